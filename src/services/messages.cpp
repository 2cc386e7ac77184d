// Message boxes with the software cursor taken off, and the fatal file error.
#include "services/messages.h"

#include "platform/platform.h"
#include "services/files.h"
#include "services/number_text.h"

namespace {

MessageCalls calls;

}  // namespace

void ConnectMessages(const MessageCalls& c) { calls = c; }

int ShowMessage(const std::string& text, uint32_t type) {
    const bool wasDrawn = calls.HidePointer();
    platform::ShowSystemCursor(true);
    const int result = platform::ShowMessageBox(text, "Torvanex", type);
    platform::ShowSystemCursor(false);
    if (wasDrawn) calls.ShowPointer();
    return result;
}

void FatalExit(const std::string& text) {
    calls.HidePointer();
    platform::ShowSystemCursor(true);
    platform::ShowMessageBox(text, "Torvanex", platform::kMbIconError);
    calls.Teardown();
    // A failure ends the process with a failure status, never 0.
    platform::ExitProcess(1);
}

void CheckIo() {
    const int code = TakeLastIoResult();
    if (code == 0) return;
    std::string text = "File error ????. Please reinstall Torvanex";
    text.replace(11, 4, NumberText(code, 10, 4, 0));
    FatalExit(text);
}
