// While the program runs on a diary, it keeps a small file in the program's folder that
// every computer shares, "<computer>.open", naming the computer and the time it last
// said so; it is written again every few minutes and removed at the close. A sync tool
// carries it to the other computers, whose program tells the user the diary is open there
// too. It locks nothing: a page both change is merged (page_merge.h).
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/write_fault.h"

// How old another computer's file may be and still say it is open there: a program that
// ended without its close (a crash, a power cut) stops saying so after this.
inline constexpr std::chrono::minutes kPresenceFreshFor{10};
// How often the program writes its file again.
inline constexpr std::chrono::minutes kPresenceRefresh{3};

std::filesystem::path PresenceFile(std::u16string_view diary, std::u16string_view computer);

// Writes this computer's file, with the time given; None or why it could not be written.
WriteFault WritePresence(std::u16string_view diary, std::u16string_view computer,
                         std::chrono::system_clock::time_point now);
void RemovePresence(std::u16string_view diary, std::u16string_view computer);

// The other computers whose file was written within kPresenceFreshFor of `now`, by name.
std::vector<std::u16string> OtherComputersOpen(std::u16string_view diary, std::u16string_view computer,
                                               std::chrono::system_clock::time_point now);
