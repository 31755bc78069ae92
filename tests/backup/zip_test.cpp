// Zip files as the backups write and read them: what the writer makes reads back whole,
// a zip made by the zip tool reads too, and a damaged or unsupported one is told apart.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backup/zip_reader.h"
#include "backup/zip_writer.h"
#include "platform/file_write.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

// 2026-12-06 21:30:00 UTC.
constexpr std::int64_t kEvening = 1796592600;

fs::path WriteZip(const fs::path& path, const std::vector<std::pair<std::string, Bytes>>& files) {
    PendingFile file(path, Durability::Atomic);
    ZipWriter zip(file);
    for (const auto& [name, bytes] : files) EXPECT_EQ(zip.Add(name, bytes, kEvening), ZipWriteStatus::Ok);
    EXPECT_EQ(zip.Finish(), ZipWriteStatus::Ok);
    EXPECT_EQ(file.Commit(), WriteStatus::Ok);
    return path;
}

}  // namespace

TEST(Zip, WhatIsWrittenReadsBackAndDamageIsFound) {
    ScratchFolder folder;
    Bytes drawing(20000, 0x11);
    drawing[5000] = 0x42;
    Bytes photo(3000);
    std::uint32_t noise = 1;
    for (std::uint8_t& b : photo) b = static_cast<std::uint8_t>((noise = noise * 1103515245 + 12345) >> 24);
    const fs::path path =
        WriteZip(folder / "a.zip", {{"20261206.bmp", drawing}, {"empty.html", {}}, {"写真.jpg", photo}});
    ZipArchive archive;
    ASSERT_EQ(archive.Open(path), ZipReadStatus::Ok);
    ASSERT_EQ(archive.Entries().size(), 3u);
    EXPECT_LT(archive.Entries()[0].compressedSize, 1000u) << "a drawing deflates";
    EXPECT_EQ(archive.Entries()[2].name, "写真.jpg");
    EXPECT_NE(archive.Entries()[2].flags & (1 << 11), 0) << "UTF-8 names are flagged";
    EXPECT_EQ(archive.Entries()[0].modifiedUnix, kEvening);
    for (const auto& [name, bytes] :
         {std::pair{"20261206.bmp", drawing}, {"empty.html", Bytes{}}, {"写真.jpg", photo}}) {
        Bytes read;
        ASSERT_EQ(archive.Read(*archive.Find(name), read), ZipReadStatus::Ok) << name;
        EXPECT_EQ(read, bytes) << name;
    }
#ifndef _WIN32
    EXPECT_EQ(std::system(("unzip -tq " + path.string() + " >/dev/null").c_str()), 0);
#endif

    // One byte of the photo, stored as it is, changed (after its header, name and time):
    // only its CRC tells.
    const ZipEntry stored = archive.Entries()[2];
    EXPECT_EQ(stored.compressedSize, stored.size) << "noise does not shrink, and is stored";
    Bytes file = ReadFileBytes(path);
    file[stored.localOffset + 30 + stored.name.size() + 9 + 100] ^= 0x55;
    WriteFileBytes(folder / "damaged.zip", file);
    ASSERT_EQ(archive.Open(folder / "damaged.zip"), ZipReadStatus::Ok);
    EXPECT_EQ(archive.CheckEveryEntry(), ZipReadStatus::Damaged);

    const Bytes whole = ReadFileBytes(path);
    struct Case {
        const char* what;
        Bytes bytes;
        ZipReadStatus status;
    };
    Bytes countPastDirectory = whole;  // 0xFFFF entries claimed, and no Zip64 record
    for (std::size_t at : {8, 9, 10, 11}) countPastDirectory[countPastDirectory.size() - 22 + at] = 0xFF;
    Bytes offsetPastEnd = whole;
    offsetPastEnd[offsetPastEnd.size() - 22 + 19] = 0x7F;
    const Case cases[] = {
        {"no zip", BytesOf("just some text, longer than an end record"), ZipReadStatus::NotAZip},
        {"cut before its end", Bytes(whole.begin(), whole.end() - 30), ZipReadStatus::NotAZip},
        {"more entries than the directory holds", countPastDirectory, ZipReadStatus::Damaged},
        {"directory past the end", offsetPastEnd, ZipReadStatus::Damaged},
    };
    for (const Case& c : cases) {
        WriteFileBytes(folder / "case.zip", c.bytes);
        EXPECT_EQ(archive.Open(folder / "case.zip"), c.status) << c.what;
    }
    EXPECT_EQ(archive.Open(folder / "missing.zip"), ZipReadStatus::CannotOpen);
    EXPECT_EQ(archive.ReadFailure(), ReadStatus::Missing);
}

// A lifetime diary holds more files than the classic end record counts: the count goes
// into a Zip64 end record, and the archive reads back whole, here and with unzip.
TEST(Zip, MoreThan65535EntriesGoIntoAZip64Record) {
    ScratchFolder folder;
    const fs::path path = folder / "many.zip";
    constexpr std::uint32_t kMany = 70000;
    {
        PendingFile file(path, Durability::Atomic);
        ZipWriter zip(file);
        for (std::uint32_t i = 0; i < kMany; ++i) {
            const std::string name = std::to_string(i) + ".dbt";
            ASSERT_EQ(zip.Add(name, Bytes{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)}, kEvening),
                      ZipWriteStatus::Ok);
        }
        ASSERT_EQ(zip.Finish(), ZipWriteStatus::Ok);
        ASSERT_EQ(file.Commit(), WriteStatus::Ok);
    }
    const Bytes whole = ReadFileBytes(path);
    ASSERT_GT(whole.size(), 22u + 20u + 56u);
    const std::size_t end = whole.size() - 22;
    EXPECT_EQ(whole[end + 10] | whole[end + 11] << 8, 0xFFFF) << "the classic count says: look in the Zip64 record";

    ZipArchive archive;
    ASSERT_EQ(archive.Open(path), ZipReadStatus::Ok);
    ASSERT_EQ(archive.Entries().size(), kMany);
    EXPECT_EQ(archive.Entries().back().name, std::to_string(kMany - 1) + ".dbt");
    Bytes read;
    ASSERT_EQ(archive.Read(archive.Entries()[66000], read), ZipReadStatus::Ok);
    EXPECT_EQ(read, (Bytes{static_cast<std::uint8_t>(66000), static_cast<std::uint8_t>(66000 >> 8)}));
    EXPECT_EQ(archive.CheckEveryEntry(), ZipReadStatus::Ok);
#ifndef _WIN32
    EXPECT_EQ(std::system(("unzip -tq " + path.string() + " >/dev/null").c_str()), 0);
#endif

    // The Zip64 end record pointing past the directory's end is damage, not a count.
    Bytes lying = whole;
    const std::size_t zip64End = end - 20 - 56;
    lying[zip64End + 40] ^= 0x40;  // the directory's size
    WriteFileBytes(folder / "lying.zip", lying);
    EXPECT_EQ(archive.Open(folder / "lying.zip"), ZipReadStatus::Damaged);
}

// An entry whose headers claim 256 MiB for a few compressed bytes: read whole it is
// refused before any memory is set aside for it, and checked in pieces it is found out.
// A true 64 MiB of zeros, deflated to a few kilobytes, checks in pieces just as well. The
// comment comes back as written, with or without the directory.
TEST(Zip, LyingSizesCostNothingAndCommentsComeBack) {
    ScratchFolder folder;
    const Bytes zeros(64u << 20, 0);
    const fs::path path = folder / "lying.zip";
    {
        PendingFile file(path, Durability::Atomic);
        ZipWriter zip(file);
        ASSERT_EQ(zip.Add("20000301.bmp", Bytes(4000, 7), kEvening), ZipWriteStatus::Ok);
        ASSERT_EQ(zip.Add("big.png", zeros, kEvening), ZipWriteStatus::Ok);
        ASSERT_EQ(zip.Finish("Doodlebinder snapshot\nline two\n"), ZipWriteStatus::Ok);
        ASSERT_EQ(file.Commit(), WriteStatus::Ok);
    }
    ZipArchive archive;
    ASSERT_EQ(archive.Open(path), ZipReadStatus::Ok);
    EXPECT_EQ(archive.Comment(), "Doodlebinder snapshot\nline two\n");
    std::string comment;
    EXPECT_EQ(ReadZipComment(path, comment), ZipReadStatus::Ok);
    EXPECT_EQ(comment, archive.Comment());
    EXPECT_EQ(archive.CheckEveryEntry(), ZipReadStatus::Ok);
    Bytes read;
    EXPECT_EQ(archive.Read(*archive.Find("big.png"), read, 16u << 20), ZipReadStatus::Unsupported);
    EXPECT_TRUE(read.empty());

    // The day's entry made to claim 256 MiB, in its local and central headers alike.
    Bytes bytes = ReadFileBytes(path);
    const ZipEntry day = *archive.Find("20000301.bmp");
    const std::size_t end = bytes.size() - 22 - comment.size();
    const std::size_t central = bytes[end + 16] | bytes[end + 17] << 8 | bytes[end + 18] << 16 | bytes[end + 19] << 24;
    ASSERT_EQ(bytes[central], 0x50);
    for (std::size_t at : {static_cast<std::size_t>(day.localOffset) + 22, central + 24}) {
        for (std::uint8_t byte : {0x00, 0x00, 0x00, 0x10}) bytes[at++] = byte;  // 256 MiB, little-endian
    }
    WriteFileBytes(folder / "claims.zip", bytes);
    ASSERT_EQ(archive.Open(folder / "claims.zip"), ZipReadStatus::Ok);
    ASSERT_EQ(archive.Entries()[0].size, 256u << 20);
    EXPECT_EQ(archive.Read(archive.Entries()[0], read, 16u << 20), ZipReadStatus::Unsupported);
    EXPECT_EQ(archive.Check(archive.Entries()[0]), ZipReadStatus::Damaged);
    EXPECT_EQ(archive.Check(archive.Entries()[1]), ZipReadStatus::Ok);
}

#ifndef _WIN32
// The zip tool's own archive, with a comment and folders, reads back as the tool made it.
TEST(Zip, ReadsAZipMadeByTheZipTool) {
    ScratchFolder folder;
    fs::create_directory(folder / "in");
    Bytes text(50000);
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<std::uint8_t>('a' + i % 23);
    WriteFileBytes(folder / "in" / "20261206.dbt", text);
    const std::string command =
        "cd " + folder.Path().string() + " && zip -qr tool.zip in && echo 'a comment' | zip -qz tool.zip";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ZipArchive archive;
    ASSERT_EQ(archive.Open(folder / "tool.zip"), ZipReadStatus::Ok);
    ASSERT_NE(archive.Find("in/20261206.dbt"), nullptr);
    Bytes read;
    EXPECT_EQ(archive.Read(*archive.Find("in/20261206.dbt"), read), ZipReadStatus::Ok);
    EXPECT_EQ(read, text);
    EXPECT_EQ(archive.CheckEveryEntry(), ZipReadStatus::Ok);

    // The same with the tool's Zip64 fields forced in.
    ASSERT_EQ(std::system(("cd " + folder.Path().string() + " && zip -qr -fz tool64.zip in").c_str()), 0);
    ASSERT_EQ(archive.Open(folder / "tool64.zip"), ZipReadStatus::Ok);
    ASSERT_NE(archive.Find("in/20261206.dbt"), nullptr);
    EXPECT_EQ(archive.Read(*archive.Find("in/20261206.dbt"), read), ZipReadStatus::Ok);
    EXPECT_EQ(read, text);
}
#endif
