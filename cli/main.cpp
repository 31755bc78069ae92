// doodlebinder-export: the diary's exports from the command line.
//
//   doodlebinder-export jpeg IN.bmp OUT.jpg
//
// Exit status: 0 done, 3 the input was refused or the output not written,
// 64 bad usage.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "jpeg/encoder.h"
#include "jpeg/jpeg_host.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 3;
constexpr int kExitUsage = 64;  // EX_USAGE

constexpr const char* kProgram = "doodlebinder-export";

std::string Narrow(std::u16string_view text) {
    const std::u8string utf8 = std::filesystem::path(text).u8string();
    return {utf8.begin(), utf8.end()};
}

const char* Explain(jpeg::JpegMessage id) {
    using jpeg::JpegMessage;
    switch (id) {
    case JpegMessage::BmpUnreadable: return "cannot read the bitmap (missing, truncated or inconsistent)";
    case JpegMessage::BmpNoSignature: return "not a BMP file";
    case JpegMessage::BmpUnsupported: return "unsupported BMP format (compressed or unknown header)";
    case JpegMessage::BmpColourLayout: return "unsupported colour layout (1 bit per pixel)";
    case JpegMessage::OutOfMemory: return "out of memory";
    case JpegMessage::BlockNotCoded: return "a block could not be coded";
    case JpegMessage::StreamBitsTooWide: return "internal error in the bit writer";
    case JpegMessage::EncodingFailed: return "JPEG encoding failed";
    }
    return "error";
}

// Messages go to stderr: the reason in English, the program's own text in brackets.
struct ConsoleHost : jpeg::JpegHost {
    bool writeFailed = false;

    void ShowMessage(const jpeg::MessageInfo& m) override {
        std::fprintf(stderr, "%s: %s [%s]\n", kProgram, Explain(m.id), Narrow(m.text).c_str());
    }
    bool ReplaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) override {
        writeFailed = !JpegHost::ReplaceFile(path, bytes);
        return !writeFailed;
    }
};

int Usage() {
    std::fprintf(stderr, "usage: %s jpeg IN.bmp OUT.jpg\n", kProgram);
    return kExitUsage;
}

int RunJpeg(const std::vector<std::u16string>& args) {
    if (args.size() != 2) return Usage();
    ConsoleHost host;
    if (jpeg::ConvertBmpToJpeg(args[0].c_str(), args[1].c_str(), host)) return kExitOk;
    if (host.writeFailed) {
        std::fprintf(stderr, "%s: cannot write %s\n", kProgram, Narrow(args[1]).c_str());
    }
    return kExitFailed;
}

struct Command {
    std::u16string_view name;
    int (*run)(const std::vector<std::u16string>& args);
};

constexpr Command kCommands[] = {
    {u"jpeg", RunJpeg},
};

int Run(const std::vector<std::u16string>& argv) {
    if (argv.empty()) return Usage();
    for (const Command& c : kCommands) {
        if (argv[0] == c.name) return c.run({argv.begin() + 1, argv.end()});
    }
    return Usage();
}

}  // namespace

#ifdef _WIN32
// Linked with -municode: the arguments arrive as UTF-16.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    }
    return Run(args);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    try {
        for (int i = 1; i < argc; ++i) {
            // Paths are taken as UTF-8, the encoding of the file system's names here.
            args.push_back(std::filesystem::path(reinterpret_cast<const char8_t*>(argv[i])).u16string());
        }
    } catch (const std::exception&) {
        std::fprintf(stderr, "%s: arguments are not valid UTF-8\n", kProgram);
        return kExitUsage;
    }
    return Run(args);
}
#endif
