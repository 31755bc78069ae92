// Reading the help page from disk, whole, with the file closed again at once: the diary
// rewrites the page on every HELP press, perhaps while a viewer is still showing it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PageFileStatus { Ok, NoPageNamed, CannotOpen, CannotRead, TooLarge };

// A help page is a few hundred bytes; anything past this is not one.
constexpr std::uint64_t kLargestHelpPage = 4u << 20;

PageFileStatus ReadPageFile(const std::wstring& path, std::vector<std::uint8_t>& bytes);
