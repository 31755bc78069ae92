#include "cli/pdf_command.h"

#include <CLI/CLI.hpp>

#include "cli/console_text.h"

#ifndef _WIN32
#include "book/book_days.h"
#include "book/paper.h"
#include "book/pdf_book.h"
#include "diarycore/pages_in_folder.h"
#include "platform/file_write.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"
#endif

namespace fs = std::filesystem;

// On Windows any pdf command, complete or not, gets the answer that names the program's Print.
#ifdef _WIN32
constexpr bool kDrawsPdf = false;
#else
constexpr bool kDrawsPdf = true;
#endif

CLI::App* AddPdfCommand(CLI::App& app, PdfOptions& options) {
    CLI::App* command = app.add_subcommand("pdf", "Write a run of days as a book, a PDF of a day or two a page");
    command->add_option("--data", options.data, "The diary folder (the day files)")
        ->required(kDrawsPdf)
        ->type_name("DIR");
    command->add_option("--out", options.out, "The PDF file to write")->required(kDrawsPdf)->type_name("FILE");
    const CLI::Validator day([](std::string& text) { return DayArgumentProblem(text); }, "");
    command->add_option("--from", options.from, "The first day (default: the diary's first)")
        ->check(day)
        ->type_name("YYYY-MM-DD");
    command->add_option("--to", options.to, "The last day (default: the diary's last)")
        ->check(day)
        ->type_name("YYYY-MM-DD");
    command->add_option("--paper", options.paper, "The paper, portrait (default: a4)")
        ->check(CLI::IsMember({"a4", "a5", "letter"}).description(""))
        ->type_name("a4|a5|letter");
    command->add_flag("--two-per-page", options.twoPerPage, "Two days on each page");
    command
        ->add_option("--lang", options.lang,
                     "The language of the titles, legends and dates (default: the environment's, LANG)")
        ->check(CLI::IsMember({"ja", "en"}).description(""))
        ->type_name("ja|en");
    command->add_flag("--yes", options.yes, "Replace an existing file");
    command->footer(
        "Exit codes:\n"
        "  0   done\n"
        "  1   no day of the run has a page: nothing was written\n"
        "  3   the data folder could not be read, or the file could not be written or was not to be overwritten\n"
        "  4   the file was written, but some days' files could not be read and were left out\n"
        "  64  bad usage");
    return command;
}

#ifdef _WIN32

int RunPdf(const PdfOptions&, const fs::path&, const fs::path&, const std::function<void(const std::string&)>& error) {
    error(
        "pdf: this console program writes no PDF on Windows; open the diary and use Print (Ctrl+P) in its "
        "diary menu, with \"Microsoft Print to PDF\" as the printer");
    return kExitUsage;
}

#else

int RunPdf(const PdfOptions& options, const fs::path& data, const fs::path& out,
           const std::function<void(const std::string&)>& error) {
    const DayKey first = options.from.empty() ? DayKey{1, 1, 1, 1} : *ParseDayArgument(options.from);
    const DayKey last = options.to.empty() ? DayKey{9999, 12, 31, 5} : *ParseDayArgument(options.to);
    if (DayNumberOf(first) > DayNumberOf(last)) {
        error("--from " + options.from + " --to " + options.to + ": the first day comes after the last");
        return kExitUsage;
    }
    if (const std::string refusal = OutputRefusal(out, options.yes); !refusal.empty()) {
        error(options.out + ": " + refusal);
        return kExitFileFailed;
    }
    DayFileIndex index;
    std::error_code failed;
    if (!fs::is_directory(data, failed) || !index.List(data)) {
        error(options.data + ": cannot read the data folder");
        return kExitFileFailed;
    }

    const BookDays days = ReadBookDays(data, index, first, last);
    // The days left out, at the end of the run, whatever became of the book.
    const auto listUnreadable = [&] {
        for (const fs::path& file : days.unreadable) {
            const std::u8string name = file.u8string();
            error(std::string(name.begin(), name.end()) + ": could not be read; its day is left out");
        }
        if (days.unreadableDays > 0) error(UnreadDaysText(days.unreadableDays));
    };
    if (days.days.empty()) {
        error("no day " + (options.from.empty() ? std::string() : "from " + options.from + " ") +
              (options.to.empty() ? std::string() : "to " + options.to + " ") + "has a page: " + options.out +
              " was not written");
        listUnreadable();
        return days.unreadableDays > 0 ? kExitFileFailed : kExitNothingFound;
    }

    // The PDF goes into the writer's pending file as cairo makes it, and replaces the
    // target only once it is whole.
    PendingFile file(out, Durability::Atomic);
    const PaperSize paper = SizeOfPaper(*PaperNamed(options.paper));
    bool drawn = false;
    {
        PdfBook pdf(paper, [&](std::span<const std::uint8_t> bytes) { return file.Write(bytes); });
        const Book book =
            LayOutBook(days.days, paper, options.twoPerPage, pdf.Measure(), ConsoleLanguage(options.lang));
        drawn = pdf.Draw(book, days.days);
    }
    if (!drawn || file.Commit() != WriteStatus::Ok) {
        const WriteFault fault = file.Fault();
        error(options.out + ": cannot be written" +
              (fault == WriteFault::None ? std::string() : ": " + EncodeUtf8(ProgramText(ReasonTextId(fault)))));
        listUnreadable();
        return kExitFileFailed;
    }
    listUnreadable();
    return days.unreadableDays == 0 ? kExitOk : kExitIncomplete;
}

#endif
