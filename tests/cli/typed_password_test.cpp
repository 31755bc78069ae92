// The password as a console command takes it: a file's first line, and a line typed on a
// terminal that never shows it.
#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#endif

#include "cli/typed_password.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

TEST(TypedPassword, AFilesFirstLineWithoutItsEndOrAByteOrderMark) {
    ScratchFolder folder;
    const auto taken = [&](const std::string& text) {
        WriteFileText(folder.Path() / "password", text);
        return ReadPasswordFile(folder.Path() / "password");
    };
    EXPECT_EQ(taken("  sesame seeds \r\nsecond line\r\n").text, "  sesame seeds ");
    EXPECT_EQ(taken("\xEF\xBB\xBF\xE6\x97\xA5\xE8\xA8\x98\n").text, "\xE6\x97\xA5\xE8\xA8\x98");
    EXPECT_EQ(taken("no end").text, "no end");
    EXPECT_EQ(taken("\r\nthe second line is not the password").status, TypedPasswordStatus::Empty);
    EXPECT_EQ(taken("").status, TypedPasswordStatus::Empty);
    EXPECT_EQ(ReadPasswordFile(folder.Path() / "missing").status, TypedPasswordStatus::CannotRead);
}

#ifndef _WIN32
// On a pseudo-terminal, as in a terminal window: the prompt shows, the typed password
// does not, and the terminal echoes again afterwards.
TEST(TypedPassword, TypedOnATerminalWithoutEcho) {
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        const TypedPassword typed = AskPasswordOnTerminal("Password: ");
        termios after{};
        tcgetattr(STDIN_FILENO, &after);
        const bool echoes = (after.c_lflag & ECHO) != 0;
        _exit(typed.status == TypedPasswordStatus::Ok && typed.text == "open sesame" && echoes ? 0 : 1);
    }
    std::string shown;
    // What the terminal shows, as long as something comes within ten seconds.
    const auto readShown = [&] {
        char buffer[256];
        pollfd ready{terminal, POLLIN, 0};
        const ssize_t got = poll(&ready, 1, 10000) == 1 ? read(terminal, buffer, sizeof buffer) : -1;
        if (got > 0) shown.append(buffer, static_cast<std::size_t>(got));
        return got > 0;
    };
    // The prompt first, so the line is typed while the echo is off.
    bool prompted = false;
    while (!prompted && readShown()) prompted = shown.find("Password: ") != std::string::npos;
    if (prompted) {
        EXPECT_EQ(write(terminal, "open sesame\n", 12), 12);
        while (readShown()) {}
    }
    kill(child, SIGKILL);  // gone already, unless it hangs
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(prompted) << shown;
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "read back wrong, or the echo left off";
    EXPECT_EQ(shown.find("sesame"), std::string::npos) << shown;
}
#endif
