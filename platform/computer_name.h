// The name of the computer the program runs on, made safe for a folder's name. In a
// diary folder that a sync tool shares between computers, what the program keeps only
// for itself (recovery copies, temporary files) lives in a folder of this name, so that
// one computer never takes the other's for its own.
#pragma once

#include <string>

// Letters, digits, '-', '_' and '.' as the system names the computer, anything else as
// '_'; "computer" when the system gives no name, and "computer-" before a name the
// program's folder uses for its shared folders ("merged", "tmp").
std::u16string ThisComputerName();

// The same for a name as the system gave it.
std::u16string ComputerFolderName(std::u16string_view name);
