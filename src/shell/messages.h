// Message boxes and the fatal file error.
#pragma once

#include <cstdint>
#include <string>

// Shows a message box with the software cursor off and the system pointer on.
int ShowMessage(const std::string& text, uint32_t type);
// Returns only when the last file operation succeeded; otherwise shows
// "File error ????. Please reinstall Torvanex" with the code and ends the program.
void CheckIo();
// Shows `text` as an error, tears down and ends the process with a failure status.
[[noreturn]] void FatalExit(const std::string& text);
