// browser_week TEMPLATE DATA_FOLDER OUTPUT_DOCUMENT
//
// Writes one winter week of diary into DATA_FOLDER the way the program saves its days
// (the day record's bytes, 264 x 160 pictures as 4-bit BMPs), then exports it as the
// HTML output dialog does with its JPEG box ticked: the document from TEMPLATE, then a
// JPEG beside the document for every day with a picture. The week uses every weather
// and mood image, has one day without a record and one with a record but no picture.
// Exit 0 when the document and every JPEG were written.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <string>
#include <vector>

#include "calendar.h"
#include "canvas/picture_bytes.h"
#include "html_export.h"
#include "jpeg/encoder.h"
#include "picture_run.h"
#include "record.h"

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------- pictures

class Drawing {
public:
    Drawing() : pixels_(kPicturePixelBytes, kWhiteIndex * 0x11) {}

    void Fill(int left, int top, int right, int bottom, uint8_t colour) {
        for (int y = std::max(top, 0); y < std::min(bottom, kPictureHeight); ++y)
            for (int x = std::max(left, 0); x < std::min(right, kPictureWidth); ++x)
                SetPicturePixel(pixels_, x, y, colour);
    }
    // Every pixel closer to the centre than r, and no closer than inner.
    void Disc(int cx, int cy, int r, uint8_t colour, int inner = 0) {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x) {
                int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d2 < r * r && d2 >= inner * inner) Dot(x, y, colour);
            }
    }
    // A pen stroke of the given width between two points.
    void Line(int x0, int y0, int x1, int y1, int width, uint8_t colour) {
        int steps = std::max({std::abs(x1 - x0), std::abs(y1 - y0), 1});
        for (int i = 0; i <= steps; ++i) {
            int x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
            Fill(x - width / 2, y - width / 2, x - width / 2 + width, y - width / 2 + width, colour);
        }
    }
    void Polyline(std::initializer_list<std::pair<int, int>> points, int width, uint8_t colour) {
        for (auto p = points.begin(); p + 1 != points.end(); ++p)
            Line(p->first, p->second, (p + 1)->first, (p + 1)->second, width, colour);
    }
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

private:
    void Dot(int x, int y, uint8_t colour) {
        if (x >= 0 && x < kPictureWidth && y >= 0 && y < kPictureHeight) SetPicturePixel(pixels_, x, y, colour);
    }
    std::vector<uint8_t> pixels_;
};

enum Colour : uint8_t { Black = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Teal = 6, Silver = 7, Gray = 8,
                        Red = 9, Lime = 10, Yellow = 11, Blue = 12, Magenta = 13, Cyan = 14, White = 15 };

void DrawCloud(Drawing& d, int x, int y, uint8_t colour) {
    d.Disc(x, y, 16, colour);
    d.Disc(x + 20, y - 8, 20, colour);
    d.Disc(x + 42, y, 16, colour);
    d.Fill(x, y, x + 42, y + 16, colour);
}

Drawing Snowman() {
    Drawing d;
    d.Disc(225, 32, 20, Yellow);
    d.Disc(225, 32, 22, Red, 20);
    for (auto [dx, dy] : {std::pair{-34, 0}, {34, 0}, {0, 34}, {-24, 24}, {-24, -24}, {24, 24}})
        d.Line(225 + dx * 8 / 10, 32 + dy * 8 / 10, 225 + dx, 32 + dy, 2, Red);
    d.Fill(0, 132, kPictureWidth, kPictureHeight, Cyan);
    d.Disc(110, 112, 32, Black);
    d.Disc(110, 112, 30, Silver, 0);
    d.Disc(110, 112, 28, White);
    d.Disc(110, 62, 22, Black);
    d.Disc(110, 62, 20, White);
    d.Fill(94, 30, 126, 44, Gray);                    // bucket
    d.Disc(102, 58, 3, Black);
    d.Disc(118, 58, 3, Black);
    d.Polyline({{110, 64}, {128, 70}, {110, 70}}, 3, Red);  // the crooked carrot
    d.Line(80, 100, 48, 80, 3, Maroon);               // arms
    d.Line(140, 100, 172, 84, 3, Maroon);
    return d;
}

Drawing Office() {
    Drawing d;
    DrawCloud(d, 30, 30, Silver);
    DrawCloud(d, 160, 40, Gray);
    d.Fill(70, 60, 150, 150, Navy);
    for (int y = 70; y < 140; y += 18)
        for (int x = 80; x < 140; x += 20) d.Fill(x, y, x + 10, y + 10, Yellow);
    d.Fill(0, 150, kPictureWidth, kPictureHeight, Gray);
    d.Disc(210, 120, 16, Olive);                      // a taiyaki, more or less
    d.Polyline({{224, 120}, {244, 108}, {244, 132}, {224, 120}}, 3, Olive);
    d.Disc(202, 116, 2, Black);
    return d;
}

Drawing Umbrella() {
    Drawing d;
    d.Disc(132, 80, 56, Red);
    d.Fill(70, 80, 196, 142, White);
    for (int x = 8; x < kPictureWidth; x += 22)
        for (int y = 6; y < kPictureHeight; y += 26)
            if (x < 64 || x > 204 || y > 140) d.Line(x, y, x - 5, y + 10, 2, Blue);  // dry under the umbrella
    d.Polyline({{76, 80}, {188, 80}}, 2, Maroon);
    d.Polyline({{132, 26}, {132, 138}, {122, 146}, {114, 138}}, 4, Black);
    return d;
}

Drawing SnowyHouse() {
    Drawing d;
    d.Fill(60, 80, 180, 140, Olive);
    for (int i = 0; i < 40; ++i) d.Line(50 + i, 80 - i, 190 - i, 80 - i, 1, Maroon);
    d.Fill(60, 38, 180, 44, White);
    d.Fill(104, 104, 128, 140, Maroon);
    d.Fill(140, 92, 164, 112, Cyan);
    d.Fill(0, 140, kPictureWidth, kPictureHeight, Silver);
    for (auto [x, y] : {std::pair{20, 20}, {230, 30}, {210, 100}, {30, 110}, {120, 14}, {240, 140}}) {
        d.Line(x - 6, y, x + 6, y, 2, Blue);
        d.Line(x, y - 6, x, y + 6, 2, Blue);
        d.Line(x - 4, y - 4, x + 4, y + 4, 1, Blue);
        d.Line(x - 4, y + 4, x + 4, y - 4, 1, Blue);
    }
    return d;
}

Drawing Thunderstorm() {
    Drawing d;
    DrawCloud(d, 40, 30, Gray);
    DrawCloud(d, 150, 26, Gray);
    d.Polyline({{120, 40}, {100, 78}, {126, 76}, {104, 118}}, 5, Yellow);
    d.Fill(20, 112, 250, 142, Green);
    for (int x = 32; x < 240; x += 28) d.Fill(x, 118, x + 16, 130, Cyan);
    d.Fill(0, 146, kPictureWidth, 148, Black);
    d.Fill(0, 154, kPictureWidth, 156, Black);
    for (int x = 4; x < kPictureWidth; x += 14) d.Fill(x, 146, x + 4, 156, Maroon);
    d.Line(60, 102, 80, 92, 2, Magenta);              // an angry passenger's steam
    return d;
}

// ---------------------------------------------------------------- the week

struct WeekDay {
    DayKey key;
    bool hasRecord;
    DayRecord record;
    Drawing (*draw)();  // null: no picture that day
};

std::vector<WeekDay> Week() {
    auto day = [](int d, int dow) { return DayKey{2024, 2, d, dow}; };
    return {
        {day(10, 6), true, {1, 0, 5, {}, u"よく晴れたので、庭で雪だるまを作りました。\r\n\r\nにんじんの鼻が少し曲がっています。"}, Snowman},
        {day(9, 5), true, {2, 1, 4, {}, u"くもり。仕事はまあまあ順調。\r\n帰りに<b>たい焼き</b>を買いました。"}, Office},
        {day(8, 4), true, {3, 2, 3, {}, u"一日じゅう雨。\r\n傘を学校に忘れてきました。"}, Umbrella},
        {day(7, 3), false, {}, nullptr},
        {day(6, 2), true, {4, 5, 1, {}, u"友だちの家で雪合戦。\r\n転んで雪まみれになり、みんなに笑われました。"}, SnowyHouse},
        {day(5, 1), true, {5, 4, 6, {}, u"出張の帰り、雷で電車が止まりました。\r\n二時間も待たされて、もうぷんぷんです。"}, Thunderstorm},
        {day(4, 0), true, {0, 3, 0, {}, u"図書館で本を借りた。\r\nかぜ気味で頭が痛い。"}, nullptr},
    };
}

bool WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

bool WriteWeek(const fs::path& dataFolder) {
    for (const WeekDay& day : Week()) {
        DayFilePair names = DayFileNames(day.key);
        if (day.hasRecord) {
            RecordBytes record = SerializeRecord(day.record);
            if (record.replacedCharacters || !WriteBytes(dataFolder / names.record, record.bytes)) return false;
        }
        if (day.draw && !WriteBytes(dataFolder / names.picture, PictureFileBytes(day.draw().Pixels()))) return false;
    }
    return true;
}

// ---------------------------------------------------------------- the export

class ConsoleExportHost : public HtmlExportHost {
public:
    void ShowMessage(HtmlExportMessage message) override { messages.push_back(message); }
    bool ConfirmOverwrite() override { return false; }
    std::vector<HtmlExportMessage> messages;
};

class ConsoleJpegHost : public jpeg::JpegHost {
public:
    void ShowMessage(const jpeg::MessageInfo& message) override {
        std::cerr << "encoder message " << static_cast<int>(message.id) << '\n';
    }
};

class ConsolePictureHost : public PictureRunHost {
public:
    void ShowProgress(const std::u16string& line) override {
        for (char16_t c : line) std::cout << static_cast<char>(c);  // the lines are ASCII
        std::cout << '\n';
    }
    int Convert(const PictureJob& job) override {
        return jpeg::ConvertBmpToJpeg(job.bmp.u16string().c_str(), job.jpeg.u16string().c_str(), encoderHost_);
    }

private:
    ConsoleJpegHost encoderHost_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: browser_week TEMPLATE DATA_FOLDER OUTPUT_DOCUMENT\n";
        return 64;
    }
    HtmlExportRun run;
    run.templatePath = argv[1];
    run.dataFolder = argv[2];
    run.outputPath = argv[3];
    run.firstDay = Week().front().key;
    run.dayCount = static_cast<int>(Week().size());
    run.jpegPictures = true;

    if (!WriteWeek(run.dataFolder)) {
        std::cerr << "could not write the week into " << run.dataFolder << '\n';
        return 1;
    }
    ConsoleExportHost exportHost;
    HtmlExportResult result = ExportHtmlFile(run, exportHost);
    if (result != HtmlExportResult::Written ||
        exportHost.messages != std::vector{HtmlExportMessage::DocumentSaved}) {
        std::cerr << "export ended with " << static_cast<int>(result) << '\n';
        return 1;
    }
    ConsolePictureHost pictureHost;
    std::vector<PictureJob> jobs = PlanPictureRun(run.dataFolder, run.firstDay, run.dayCount, run.outputPath);
    std::vector<PictureJob> failed = RunPictureConversion(jobs, pictureHost);
    if (jobs.empty() || !failed.empty()) {
        std::cerr << jobs.size() << " pictures planned, " << failed.size() << " failed\n";
        return 1;
    }
    return 0;
}
