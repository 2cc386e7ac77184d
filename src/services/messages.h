// Message boxes and the fatal file error. A box needs the game's own pointer
// taken off the screen, and a fatal end needs the devices released: both belong
// to layers above, which hand their calls in at start-up (ConnectMessages).
#pragma once

#include <cstdint>
#include <string>

struct MessageCalls {
    // Takes the software cursor off the screen; true when it was on it.
    bool (*HidePointer)() = [] { return false; };
    void (*ShowPointer)() = [] {};
    // Releases music, sound and display before the process ends.
    void (*Teardown)() = [] {};
};
void ConnectMessages(const MessageCalls& calls);

// Shows a message box with the software cursor off and the system pointer on.
int ShowMessage(const std::string& text, uint32_t type);
// Returns only when the last file operation succeeded; otherwise shows
// "File error ????. Please reinstall Torvanex" with the code and ends the program.
void CheckIo();
// Shows `text` as an error, tears down and ends the process with a failure status.
[[noreturn]] void FatalExit(const std::string& text);
