// Merging a day's text: a table of the ways two computers change the same text, and a
// random search for a typed line the merge loses.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "sync/text_merge.h"

namespace {

std::vector<std::u16string> LinesOf(const std::u16string& text) {
    std::vector<std::u16string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(u"\r\n", start);
        lines.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
        start = end == std::u16string::npos ? text.size() : end + 2;
    }
    return lines;
}

bool Holds(const std::vector<std::u16string>& lines, const std::u16string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The text for a failure message: line ends spelled out, anything beyond ASCII as "?".
std::string Shown(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c == u'\r')
            out += "\\r";
        else if (c == u'\n')
            out += "\\n";
        else if (c < 0x80)
            out += static_cast<char>(c);
        else
            out += "?";
    }
    return out;
}

struct Case {
    const char* what;
    std::u16string base, ours, theirs, merged;
    bool conflicted;
};

}  // namespace

TEST(TextMerge, ChangesOfOneOrBothSides) {
    const Case cases[] = {
        {"ours changes a line", u"a\r\nb\r\nc", u"a\r\nB\r\nc", u"a\r\nb\r\nc", u"a\r\nB\r\nc", false},
        {"theirs changes a line", u"a\r\nb\r\nc", u"a\r\nb\r\nc", u"a\r\nb\r\nC", u"a\r\nb\r\nC", false},
        {"different lines", u"a\r\nb\r\nc\r\nd", u"A\r\nb\r\nc\r\nd", u"a\r\nb\r\nc\r\nD", u"A\r\nb\r\nc\r\nD", false},
        {"neighbouring lines", u"a\r\nb\r\nc", u"a\r\nB\r\nc", u"a\r\nb\r\nC", u"a\r\nB\r\nC", false},
        {"the same line differently: both, ours first", u"a\r\nb\r\nc", u"a\r\nmine\r\nc", u"a\r\nyours\r\nc",
         u"a\r\nmine\r\nyours\r\nc", true},
        {"the same lines differently: what both versions start and end with once", u"a\r\nb\r\nc\r\nd",
         u"a\r\nB\r\nmine\r\nD", u"a\r\nB\r\nyours\r\nD", u"a\r\nB\r\nmine\r\nyours\r\nD", true},
        {"the same change on both", u"a\r\nb\r\nc", u"a\r\nX\r\nc", u"a\r\nX\r\nc", u"a\r\nX\r\nc", false},
        {"insertions at one place: both, ours first", u"a\r\nc", u"a\r\nb1\r\nc", u"a\r\nb2\r\nc",
         u"a\r\nb1\r\nb2\r\nc", true},
        {"the same insertion on both", u"a\r\nc", u"a\r\nb\r\nc", u"a\r\nb\r\nc", u"a\r\nb\r\nc", false},
        {"an insertion before the line the other side changed", u"a\r\nb", u"a\r\nnew\r\nb", u"a\r\nB",
         u"a\r\nnew\r\nB", false},
        {"an insertion after the line the other side changed", u"a\r\nb", u"A\r\nb", u"a\r\nnew\r\nb", u"A\r\nnew\r\nb",
         false},
        {"deleted by ours, edited by theirs: the edit stays", u"a\r\nb\r\nc", u"a\r\nc", u"a\r\nB\r\nc", u"a\r\nB\r\nc",
         true},
        {"edited by ours, deleted by theirs: the edit stays", u"a\r\nb\r\nc", u"a\r\nB\r\nc", u"a\r\nc", u"a\r\nB\r\nc",
         true},
        {"the same line deleted on both", u"a\r\nb\r\nc", u"a\r\nc", u"a\r\nc", u"a\r\nc", false},
        {"different lines deleted", u"a\r\nb\r\nc\r\nd", u"a\r\nc\r\nd", u"a\r\nb\r\nc", u"a\r\nc", false},
        {"everything deleted by ours, nothing changed by theirs", u"a\r\nb", u"", u"a\r\nb", u"", false},
        {"empty base, one side writes", u"", u"x\r\ny", u"", u"x\r\ny", false},
        {"empty base, both write", u"", u"same\r\nmine", u"same\r\nyours", u"same\r\nmine\r\nyours", true},
        {"a line after a last line without end, on both", u"a\r\nb", u"a\r\nb\r\nc", u"a\r\nb\r\nd",
         u"a\r\nb\r\nc\r\nd", true},
        {"a line end added after the last line", u"a\r\nb", u"a\r\nb\r\n", u"A\r\nb", u"A\r\nb\r\n", false},
        {"a line end taken away after the last line", u"a\r\nb\r\n", u"a\r\nB\r\n", u"a\r\nb", u"a\r\nB", false},
        {"a line ended only by the line end the other side took away", u"a\r\n", u"\r\n", u"a", u"\r\n", false},
        {"blank lines are lines", u"a\r\n\r\nb\r\n", u"a\r\n\r\n\r\nb\r\n", u"a\r\nb\r\n", u"a\r\n\r\nb\r\n", false},
        {"a lone LF or CR belongs to its line", u"x\ny\rz", u"x\nY\rz", u"X\ny\rz", u"x\nY\rz\r\nX\ny\rz", true},
        {"Japanese, and a character beyond the 16-bit range", u"今日は晴れ。\r\n公園へ行った。",
         u"今日は晴れ。\r\n公園へ行った。\r\n𩸽を食べた！", u"今日は曇り。\r\n公園へ行った。",
         u"今日は曇り。\r\n公園へ行った。\r\n𩸽を食べた！", false},
        {"Japanese lines changed on both", u"天気：晴れ\r\n", u"天気：雨\r\n", u"天気：雪\r\n",
         u"天気：雨\r\n天気：雪\r\n", true},
    };
    for (const Case& c : cases) {
        const MergedText merged = MergeDayText(c.base, c.ours, c.theirs);
        EXPECT_EQ(merged.text, c.merged) << c.what << ": " << Shown(merged.text);
        EXPECT_EQ(merged.conflicted, c.conflicted) << c.what;
    }
}

TEST(TextMerge, TextsWithoutACommonVersion) {
    const Case cases[] = {
        {"the same text", u"", u"a\r\nb", u"a\r\nb", u"a\r\nb", false},
        {"one side empty", u"", u"", u"a\r\nb\r\n", u"a\r\nb\r\n", false},
        {"each side's own lines where they stand", u"", u"a\r\nb\r\nc", u"a\r\nc\r\nd", u"a\r\nb\r\nc\r\nd", false},
        {"own lines between the same shared ones: ours first", u"", u"a\r\nmine\r\nc", u"a\r\nyours\r\nc",
         u"a\r\nmine\r\nyours\r\nc", true},
        {"a line end on either side stays", u"", u"a", u"a\r\n", u"a\r\n", false},
        {"Japanese", u"", u"朝\r\n昼", u"朝\r\n夜", u"朝\r\n昼\r\n夜", true},
    };
    for (const Case& c : cases) {
        const MergedText merged = MergeDayTextWithoutBase(c.ours, c.theirs);
        EXPECT_EQ(merged.text, c.merged) << c.what << ": " << Shown(merged.text);
        EXPECT_EQ(merged.conflicted, c.conflicted) << c.what;
    }
}

// A long day changed far apart on both sides: both changes, nothing else touched.
TEST(TextMerge, LongTextChangedAtBothEnds) {
    std::u16string base;
    for (int i = 0; i < 400; ++i)
        base += u"line " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u" of the day\r\n";
    ASSERT_GT(base.size(), 6000u);
    std::u16string ours = u"a new first line\r\n" + base;
    std::u16string theirs = base;
    theirs.replace(theirs.size() - 14, 2, u"Z!");
    const MergedText merged = MergeDayText(base, ours, theirs);
    EXPECT_FALSE(merged.conflicted);
    EXPECT_EQ(merged.text, u"a new first line\r\n" + theirs);
}

// Random texts of a few lines from a small set, each side a few random edits of the
// base: whatever either side typed is in the merge, and a side that changed nothing
// leaves the other's text as it is.
TEST(TextMerge, NoTypedLineIsLost) {
    const std::u16string pool[] = {u"", u"a", u"b", u"c", u"d", u"雨", u"晴れ"};
    std::mt19937 random(2026);
    auto pick = [&] { return pool[random() % std::size(pool)]; };
    auto text = [](const std::vector<std::u16string>& lines, bool end) {
        std::u16string t;
        for (std::size_t i = 0; i < lines.size(); ++i) t += (i ? u"\r\n" : u"") + lines[i];
        return end && !lines.empty() ? t + u"\r\n" : t;
    };
    auto edited = [&](std::vector<std::u16string> lines) {
        for (int e = random() % 4; e > 0; --e) {
            const std::size_t at = random() % (lines.size() + 1);
            switch (random() % 3) {
            case 0: lines.insert(lines.begin() + at, pick()); break;
            case 1:
                if (at < lines.size()) lines.erase(lines.begin() + at);
                break;
            default:
                if (at < lines.size()) lines[at] = pick();
                break;
            }
        }
        return lines;
    };
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::u16string> baseLines(random() % 7);
        for (auto& line : baseLines) line = pick();
        const std::u16string base = text(baseLines, random() % 2);
        const std::u16string ours = text(edited(baseLines), random() % 2);
        const std::u16string theirs = text(edited(baseLines), random() % 2);
        const std::vector<std::u16string> baseSplit = LinesOf(base);

        const std::vector<std::u16string> merged = LinesOf(MergeDayText(base, ours, theirs).text);
        const std::vector<std::u16string> united = LinesOf(MergeDayTextWithoutBase(ours, theirs).text);
        for (const std::u16string& side : {ours, theirs}) {
            for (const std::u16string& line : LinesOf(side)) {
                if (!Holds(baseSplit, line)) { ASSERT_TRUE(Holds(merged, line)) << "round " << round; }
                ASSERT_TRUE(Holds(united, line)) << "round " << round;
            }
        }
        ASSERT_EQ(MergeDayText(base, ours, base).text, ours) << "round " << round;
        ASSERT_EQ(MergeDayText(base, base, theirs).text, theirs) << "round " << round;
        const MergedText same = MergeDayText(base, ours, ours);
        ASSERT_EQ(same.text, ours) << "round " << round;
        ASSERT_FALSE(same.conflicted) << "round " << round;
        ASSERT_EQ(MergeDayTextWithoutBase(ours, ours).text, ours) << "round " << round;
    }
}
