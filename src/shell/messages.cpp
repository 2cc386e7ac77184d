// Message boxes with the software cursor taken off, and the fatal file error.
#include "shell/messages.h"

#include "graphics/cursor.h"
#include "graphics/number_text.h"
#include "shell/file_io.h"
#include "shell/shell.h"

int ShowMessage(const std::string& text, uint32_t type) {
    const bool wasDrawn = Cursor.CursorDrawn;
    if (wasDrawn) EraseCursor();
    platform::ShowSystemCursor(true);
    const int result = platform::ShowMessageBox(text, "Torvanex", type);
    platform::ShowSystemCursor(false);
    if (wasDrawn) DrawCursor();
    return result;
}

void FatalExit(const std::string& text) {
    if (Cursor.CursorDrawn) EraseCursor();
    platform::ShowSystemCursor(true);
    platform::ShowMessageBox(text, "Torvanex", platform::kMbIconError);
    Teardown();
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
