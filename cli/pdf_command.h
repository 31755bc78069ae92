// doodlebinder-export pdf: a run of days as a book, one day a page or two, written whole
// through the safe writer. The Windows console program has no PDF drawer: there the
// program's Print (Ctrl+P) makes the book.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace CLI {
class App;
}

struct PdfOptions {
    std::string data;
    std::string out;
    std::string from;  // YYYY-MM-DD, checked by the parser; empty: the diary's first day
    std::string to;    // empty: its last day
    std::string paper = "a4";
    bool twoPerPage = false;
    std::string lang;  // "ja" or "en"; empty: the environment's
    bool yes = false;
};

CLI::App* AddPdfCommand(CLI::App& app, PdfOptions& options);

// The exit code; messages go to `error`, one a call.
int RunPdf(const PdfOptions& options, const std::filesystem::path& data, const std::filesystem::path& out,
           const std::function<void(const std::string&)>& error);
