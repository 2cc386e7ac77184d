// The headless backend: virtual time, scripted input, in-memory display.
#include "platform/headless/headless.h"

#include <algorithm>

#include "platform/common/file_faults.h"
#include "platform/common/message_queue.h"
#include "platform/common/surface_memory.h"

namespace platform::headless {
namespace {

struct Scripted {
    int64_t atMicros;
    uint64_t order;
    Message message;
};

State state;
std::vector<Scripted> script;  // kept sorted by time, then by order of scheduling
uint64_t scheduled = 0;

void DeliverDue() {
    size_t n = 0;
    while (n < script.size() && script[n].atMicros <= state.counter) {
        queue::Push(script[n].message);
        ++n;
    }
    script.erase(script.begin(), script.begin() + static_cast<std::ptrdiff_t>(n));
}

void AdvanceTo(int64_t micros) {
    if (micros > state.counter) state.counter = micros;
    DeliverDue();
}

}  // namespace

State& Get() { return state; }

void Reset() {
    state = State{};
    script.clear();
    scheduled = 0;
    queue::Clear();
    memory::ResetAll();
    faults::Clear();
}

void Schedule(int64_t atMs, const Message& message) {
    Scripted s{atMs * 1000, scheduled++, message};
    auto at = std::upper_bound(script.begin(), script.end(), s, [](const Scripted& a, const Scripted& b) {
        return a.atMicros < b.atMicros;
    });
    script.insert(at, s);
    DeliverDue();
}

void ScheduleKey(int64_t atMs, uint32_t virtualKey) { Schedule(atMs, {MsgKind::KeyDown, virtualKey, 0, 0}); }
void ScheduleChar(int64_t atMs, uint32_t character) { Schedule(atMs, {MsgKind::Char, character, 0, 0}); }
void ScheduleMouseMove(int64_t atMs, int x, int y) { Schedule(atMs, {MsgKind::MouseMove, 0, x, y}); }
void ScheduleClick(int64_t atMs, MsgKind kind, int x, int y) { Schedule(atMs, {kind, 0, x, y}); }

size_t PendingScripted() { return script.size(); }

void AdvanceMs(int64_t ms) { AdvanceTo(state.counter + ms * 1000); }

int64_t NowMs() { return state.counter / 1000; }

void LoseSurfacesOnNextCall() { memory::GetHooks().loseOnNextCall = true; }
void AnswerStillDrawing(int times) { memory::GetHooks().stillDrawingAnswers = times; }
void LoseAllSurfaces() { memory::MarkAllLost(); }
void RefuseVideoMemory(bool refuse) { memory::GetHooks().refuseVideoMemory = refuse; }

uint16_t Pixel(SurfaceHandle surface, int x, int y) {
    const memory::Surface* s = memory::Find(surface);
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return 0;
    return s->pixels[static_cast<size_t>(y) * s->width + x];
}

int SurfaceWidth(SurfaceHandle surface) {
    const memory::Surface* s = memory::Find(surface);
    return s ? s->width : 0;
}

int SurfaceHeight(SurfaceHandle surface) {
    const memory::Surface* s = memory::Find(surface);
    return s ? s->height : 0;
}

void EndMusicPiece() {
    state.musicPlaying = false;
    queue::Push({MsgKind::MusicNotify, 0, 0, 0});
}

static_assert(static_cast<int>(FileOp::Rename) == static_cast<int>(faults::Op::Rename),
              "the test-facing file operations mirror the fault table's");

void InjectFileError(const std::string& name, FileOp op, int code) {
    faults::Inject(name, static_cast<faults::Op>(op), code);
}

}  // namespace platform::headless

namespace platform {

using headless::state;

// ---------------------------------------------------------------- messages

bool TakeMessage(Message& out) {
    headless::AdvanceTo(state.counter + state.passCostMicros);
    return queue::Pop(out);
}

bool TakeMessageOfKind(MsgKind kind, Message& out) {
    headless::DeliverDue();
    return queue::PopKind(kind, out);
}

void PostMessage(const Message& message) { queue::Push(message); }

void PostQuit(int exitStatus) { queue::Push({MsgKind::Quit, static_cast<uint32_t>(exitStatus), 0, 0}); }

void WaitForMessage(int64_t deadline) {
    if (!queue::Empty()) return;
    int64_t until = deadline;
    if (!headless::script.empty()) until = std::min(until, headless::script.front().atMicros);
    headless::AdvanceTo(until);
}

// ---------------------------------------------------------------- clock

int64_t CounterFrequency() { return headless::kCounterFrequency; }

int64_t ReadCounter() { return state.counter; }

void Sleep(uint32_t ms) { headless::AdvanceTo(state.counter + static_cast<int64_t>(ms) * 1000); }

TimeOfDay UtcTimeOfDay() {
    const TimeOfDay& s = state.startOfDay;
    int64_t ms = ((static_cast<int64_t>(s.hour) * 60 + s.minute) * 60 + s.second) * 1000 + s.millisecond +
                 state.counter / 1000;
    ms %= 24LL * 3600 * 1000;
    TimeOfDay t;
    t.millisecond = static_cast<int>(ms % 1000);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.hour = static_cast<int>(ms / 3600000);
    return t;
}

// ---------------------------------------------------------------- window

bool CreateMainWindow(const std::string&) {
    if (!state.windowCanBeCreated) return false;
    state.windowCreated = true;
    return true;
}

void DestroyMainWindow() { state.windowCreated = false; }

void SetWindowMode(WindowMode mode) { state.windowMode = mode; }

void SetWindowIcon(const std::string& bitmapPath) { state.windowIcon = bitmapPath; }

void ShowSystemCursor(bool shown) { state.systemCursorShown = shown; }

void SetSystemCursorPos(int x, int y) {
    state.systemCursorX = x;
    state.systemCursorY = y;
}

void MinimiseWindow() { ++state.minimiseCount; }

void OpenUrl(const std::string& url) { state.urlsOpened.push_back(url); }

int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t type) {
    state.messageBoxes.push_back({text, caption, type});
    return state.messageBoxAnswer;
}

// ---------------------------------------------------------------- display

DdResult InitDisplay(int, int, int bitsPerPixel) {
    if (!state.displayWorks || bitsPerPixel != 16) return kDdInvalidParams;
    if (!state.displayHasBlitter) return kDdNoBlitter;
    // Showing the window activates the application, as on the desktop.
    queue::Push({MsgKind::ActivateApp, 1, 0, 0});
    return kDdOk;
}

void RestoreDisplayMode() {}

void WaitForVerticalBlank() { ++state.verticalBlankWaits; }

// ---------------------------------------------------------------- process

std::string ExecutablePath() { return state.executablePath; }

void ExitProcess(int status) { throw headless::ProcessExit{status}; }

}  // namespace platform
