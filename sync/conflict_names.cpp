#include "sync/conflict_names.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "diarycore/pages_in_folder.h"
#include "platform/utf16.h"

namespace {

constexpr std::size_t kDayDigits = 8;        // "20261207"
constexpr std::size_t kExtensionLength = 4;  // ".dbt"

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetterOrDigit(char16_t c) { return IsDigit(c) || (AsciiLower(c) >= u'a' && AsciiLower(c) <= u'z'); }

// Reads a name from the front: each step takes its part or fails, and once failed stays so.
class NameReader {
public:
    explicit NameReader(std::u16string_view text) : rest_(text) {}

    // Fixed ASCII text, in any case.
    NameReader& Text(std::u16string_view text) {
        if (!ok_ || rest_.size() < text.size()) return Fail();
        for (std::size_t i = 0; i < text.size(); ++i)
            if (AsciiLower(rest_[i]) != AsciiLower(text[i])) return Fail();
        rest_.remove_prefix(text.size());
        return *this;
    }
    // Exactly `count` digits.
    NameReader& Digits(std::size_t count) { return Run(count, count, IsDigit); }
    // A number as a tool counts copies: 1 to 9999, no leading zero.
    NameReader& Count() {
        if (ok_ && !rest_.empty() && rest_[0] == u'0') return Fail();
        return Run(1, 4, IsDigit);
    }
    // "2026-12-07"
    NameReader& IsoDate() { return Digits(4).Text(u"-").Digits(2).Text(u"-").Digits(2); }
    // Between `least` and `most` characters of a kind.
    template <typename Kind>
    NameReader& Run(std::size_t least, std::size_t most, Kind kind) {
        std::size_t n = 0;
        while (ok_ && n < most && n < rest_.size() && kind(rest_[n])) ++n;
        if (!ok_ || n < least) return Fail();
        rest_.remove_prefix(n);
        return *this;
    }
    bool AtEnd() const { return ok_ && rest_.empty(); }
    bool Ok() const { return ok_; }
    std::u16string_view Rest() const { return rest_; }

private:
    NameReader& Fail() {
        ok_ = false;
        return *this;
    }
    std::u16string_view rest_;
    bool ok_ = true;
};

bool IsSyncthingMark(std::u16string_view mark) {
    // The tool's short identifier of the computer: seven letters and digits.
    return NameReader(mark)
        .Text(u".sync-conflict-")
        .Digits(8)
        .Text(u"-")
        .Digits(6)
        .Text(u"-")
        .Run(7, 7, IsLetterOrDigit)
        .AtEnd();
}

bool IsNextcloudMark(std::u16string_view mark) {
    return NameReader(mark).Text(u" (conflicted copy ").IsoDate().Text(u" ").Digits(6).Text(u")").AtEnd();
}

bool IsGoogleDriveMark(std::u16string_view mark) { return NameReader(mark).Text(u" (").Count().Text(u")").AtEnd(); }

// " (<someone>'s conflicted copy 2026-12-07)", or with " (2)" after the date. The owner
// may hold anything, brackets and the phrase itself too, so the phrase is looked for at
// every place after the first character.
bool IsDropboxMark(std::u16string_view mark) {
    NameReader start(mark);
    if (!start.Text(u" (").Ok() || mark.empty() || mark.back() != u')') return false;
    const std::u16string_view inside = start.Rest().substr(0, start.Rest().size() - 1);
    for (std::size_t owner = 1; owner < inside.size(); ++owner) {
        for (const std::u16string_view copy : {u"'s conflicted copy ", u"\u2019s conflicted copy "}) {
            NameReader date(inside.substr(owner));
            date.Text(copy).IsoDate();
            if (date.AtEnd()) return true;
            if (date.Ok() && NameReader(date.Rest()).Text(u" (").Count().Text(u")").AtEnd()) return true;
        }
    }
    return false;
}

// "-LAPTOP": the computer's name, letters, digits, hyphens and underscores, not all
// digits (Windows allows no such name), up to the 63 a host name may have.
bool IsOneDriveMark(std::u16string_view mark) {
    if (mark.size() < 2 || mark.size() > 64 || mark[0] != u'-' || !IsLetterOrDigit(mark[1])) return false;
    bool letter = false;
    for (const char16_t c : mark.substr(1)) {
        if (!IsLetterOrDigit(c) && c != u'-' && c != u'_') return false;
        letter = letter || !IsDigit(c);
    }
    return letter;
}

}  // namespace

std::optional<ConflictCopy> RecogniseConflictCopy(std::u16string_view name) {
    // A locked day file's copy keeps "YYYYMMDD.dbt" whole before the tool's mark, which
    // goes in front of the last extension, ".locked".
    const bool locked =
        NameReader(name.substr(name.size() - std::min(name.size(), kLockedSuffix.size()))).Text(kLockedSuffix).AtEnd();
    const std::size_t front = locked ? kDayDigits + kExtensionLength : kDayDigits;
    const std::size_t back = locked ? kLockedSuffix.size() : kExtensionLength;
    if (name.size() <= front + back) return std::nullopt;
    // The day file's own name, once the tool's mark between the day and the extension is
    // taken out, must be a day file's.
    std::u16string dayFile(name.substr(0, kDayDigits));
    dayFile += locked ? name.substr(kDayDigits, kExtensionLength) : name.substr(name.size() - kExtensionLength);
    for (const char16_t c : dayFile)
        if (c >= 0x80) return std::nullopt;  // and nothing the path's conversion could refuse
    const std::int32_t day = DayOfPageFileName(std::filesystem::path(dayFile));
    if (day == 0) return std::nullopt;

    const std::u16string_view mark = name.substr(front, name.size() - front - back);
    if (!IsSyncthingMark(mark) && !IsNextcloudMark(mark) && !IsGoogleDriveMark(mark) && !IsDropboxMark(mark) &&
        !IsOneDriveMark(mark))
        return std::nullopt;
    const DayFileKind kind = AsciiLower(dayFile[9]) == u'd' ? DayFileKind::Record : DayFileKind::Picture;
    return ConflictCopy{DayKeyOfNumber(day), kind};
}
