// Finding the page's path in the ways the viewer may be started.
#include "command_line.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
    std::u16string_view commandLine;
    std::u16string_view page;
};

const CommandLineCase kCases[] = {
    // The diary's way: both paths quoted.
    {uR"("C:\Program Files\Diary\peghelp.exe" "C:\Program Files\Diary\DoodBind.htp")", uR"(C:\Program Files\Diary\DoodBind.htp)"},
    {uR"("C:\x\PEGHELP.EXE"   "C:\a\p.htp"  )", uR"(C:\a\p.htp)"},
    {uR"("C:\x\peghelp.exe" C:\a b\p.htp)", uR"(C:\a b\p.htp)"},
    {uR"("C:\x\peghelp.exe" "C:\a\p.htp)", uR"(C:\a\p.htp)"},
    {uR"(peghelp C:\a\p.htp)", uR"(C:\a\p.htp)"},
    {uR"(C:/x/peghelp.exe "C:\a b\p.htp")", uR"(C:\a b\p.htp)"},
    // The handheld's way: the page alone, spaces and all.
    {uR"(\Windows\DoodBind.htp)", uR"(\Windows\DoodBind.htp)"},
    {uR"(C:\My Diary\DoodBind.htp)", uR"(C:\My Diary\DoodBind.htp)"},
    {uR"("C:\My Diary\DoodBind.htp")", uR"(C:\My Diary\DoodBind.htp)"},
    {uR"(C:\peghelpers\page.htp)", uR"(C:\peghelpers\page.htp)"},
    // No page at all.
    {uR"("C:\x\peghelp.exe")", u""},
    {uR"("C:\x\peghelp.exe" "")", u""},
    {u"peghelp.exe   ", u""},
    {u"", u""},
};

TEST(HelpCommandLine, FindsThePagePath) {
    for (const CommandLineCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - kCases));
        EXPECT_EQ(FindPagePath(c.commandLine, u"peghelp.exe"), c.page);
    }
}

}  // namespace
