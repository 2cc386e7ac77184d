// Controls of the headless backend for tests and the simulator: a virtual clock
// that moves only when the game sleeps or waits, scripted input with virtual
// times, records of what the game showed and played, and switches that
// simulate faults of the display, the devices and the file system.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::headless {

// The virtual counter runs at 1 MHz.
constexpr int64_t kCounterFrequency = 1000000;

// Thrown by ExitProcess so a test can see how the program would have ended.
struct ProcessExit {
    int status;
};

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    uint32_t type;
};

struct EffectRecord {
    int effect;      // the number of the wave file played (07.wav is 7); 0 when unnamed
    int64_t timeMs;  // virtual time of the play
    int channel;     // effect slot 0..3
    SoundHandle buffer;
    PcmFormat format;
    uint32_t bytes;
};

struct SoundBufferRecord {
    PcmFormat format;
    uint32_t bytes = 0;
    std::string source;
    std::vector<uint8_t> samples;  // what the last fill copied in
};

struct State {
    int64_t counter = 0;                // virtual ReadCounter value
    int64_t passCostMicros = 0;         // added to the clock by every TakeMessage (a busy machine)
    std::string executablePath = "/torvanex/torvanex";
    TimeOfDay startOfDay{};             // UTC time of day at counter 0
    bool windowCreated = false;
    WindowMode windowMode = WindowMode::FullScreen;
    std::string windowIcon;             // the bitmap the window's icon was set from
    bool windowCanBeCreated = true;
    bool displayWorks = true;
    bool displayHasBlitter = true;
    bool systemCursorShown = true;
    int systemCursorX = -1;
    int systemCursorY = -1;
    int minimiseCount = 0;
    int verticalBlankWaits = 0;
    int messageBoxAnswer = kIdOk;
    std::vector<MessageBoxRecord> messageBoxes;
    std::vector<std::string> urlsOpened;
    // Sound and music. The switches simulate a missing device or a failing buffer.
    bool audioDeviceWorks = true;
    bool primaryBufferWorks = true;
    int soundBuffersLeft = 1 << 30;     // creations that succeed before one fails
    bool fillWorks = true;
    bool playWorks = true;
    bool midiWorks = true;              // a MIDI output exists
    bool audioDeviceOpen = false;
    int audioDeviceOpenings = 0;
    std::map<SoundHandle, SoundBufferRecord> soundBuffers;  // buffers not yet released
    SoundHandle nextSoundHandle = 1;
    std::vector<EffectRecord> effectsPlayed;
    // "open PATH", "play", "stop", "close". A piece opens when it starts with
    // "MThd"; it plays until EndMusicPiece.
    std::vector<std::string> musicCommands;
    std::string musicOpen;                   // path of the open piece, empty when none
    bool musicPlaying = false;
};

State& Get();
// Back to a fresh machine: clock 0, empty queue, no surfaces, no records.
void Reset();

// Queues a message to arrive when the virtual clock reaches `atMs`.
void Schedule(int64_t atMs, const Message& message);
void ScheduleKey(int64_t atMs, uint32_t virtualKey);
void ScheduleChar(int64_t atMs, uint32_t character);
void ScheduleMouseMove(int64_t atMs, int x, int y);
void ScheduleClick(int64_t atMs, MsgKind kind, int x, int y);
// Messages scheduled but not yet delivered.
size_t PendingScripted();
// Moves the clock on and delivers what became due.
void AdvanceMs(int64_t ms);
int64_t NowMs();

// Display faults.
void LoseSurfacesOnNextCall();
void AnswerStillDrawing(int times);
void LoseAllSurfaces();
void RefuseVideoMemory(bool refuse);
// Pixels of a surface, for geometry checks.
uint16_t Pixel(SurfaceHandle surface, int x, int y);
int SurfaceWidth(SurfaceHandle surface);
int SurfaceHeight(SurfaceHandle surface);

// A MIDI piece ends now (the notify message is queued).
void EndMusicPiece();
// The names of the pieces opened, in order ("b.mid"), failed openings included.
std::vector<std::string> MusicOpened();

// File faults: the next `op` on a file whose name ends with `name` fails with `code`.
// ReplaceFileAtomically meets them under the name of the file it replaces:
// Create when it makes the temporary, Write (half the bytes are written first,
// as on a full disk), Close when it flushes and closes the temporary, Rename
// when it puts the temporary in place. A Create or Rename fault of code 5 is
// taken like the system's "access denied": the file is then written in place.
enum class FileOp { Open, Read, Write, Close, Create, Rename };
void InjectFileError(const std::string& name, FileOp op, int code);

}  // namespace platform::headless
