// The one interface the game calls for anything outside itself: window messages,
// the clock, the 16-bit display surfaces, sound buffers, MIDI music, files and the
// rest. Two backends implement it: sdl/ (the real window) and headless/ (virtual
// time and scripted input, for tests and the simulator). Nothing here names SDL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// ---------------------------------------------------------------- messages

// Windows-style messages, kept in arrival order.
enum class MsgKind : uint8_t {
    KeyDown,      // wParam: virtual-key code of the Windows set (every key the backend knows)
    Char,         // wParam: Windows-1252 character code (Escape 27, Enter 13, Backspace 8, ...)
    LButtonDown,  // the four buttons carry the pointer position in x, y too
    RButtonDown,
    LButtonUp,
    RButtonUp,
    MouseMove,    // x, y: pointer in 800x600 screen coordinates, clamped to the screen
    ActivateApp,  // wParam: 1 the application became active, 0 it lost the focus
    Close,        // close button, Alt+F4, the session ending
    Quit,         // wParam: exit status
    MusicNotify,  // the MIDI piece that was playing has ended
};

struct Message {
    MsgKind kind = MsgKind::Quit;
    uint32_t wParam = 0;
    int32_t x = 0;
    int32_t y = 0;
};

// Takes the oldest waiting message. Never blocks.
bool TakeMessage(Message& out);
// Takes the oldest waiting message of one kind, leaving the others queued.
bool TakeMessageOfKind(MsgKind kind, Message& out);
void PostMessage(const Message& message);
void PostQuit(int exitStatus);
// Blocks until a message may be waiting or the counter reaches `deadline`
// (a ReadCounter value). Presents the screen first if it changed.
void WaitForMessage(int64_t deadline);

// ---------------------------------------------------------------- clock

// Counts per second of ReadCounter; never 0.
int64_t CounterFrequency();
int64_t ReadCounter();
// Sleeps at least `ms` milliseconds (presents the screen if it changed).
void Sleep(uint32_t ms);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};
TimeOfDay UtcTimeOfDay();

// ---------------------------------------------------------------- window

// The whole screen, or an 800x600 window scaled by the largest whole factor
// that fits the desktop. Alt+Enter switches between the two while the game runs.
enum class WindowMode { FullScreen, Windowed };
// Takes effect when the main window is made.
void SetWindowMode(WindowMode mode);
// Creates the (still hidden) main window; false when it cannot be made.
bool CreateMainWindow(const std::string& title);
// The icon the desktop shows for the window, from a 32-bit bitmap file with
// alpha; an unreadable file leaves the desktop's own icon.
void SetWindowIcon(const std::string& bitmapPath);
void DestroyMainWindow();
void ShowSystemCursor(bool shown);
void SetSystemCursorPos(int x, int y);
void MinimiseWindow();
void OpenUrl(const std::string& url);

// Message-box styles and answers, as the Windows values.
constexpr uint32_t kMbOk = 0x00;
constexpr uint32_t kMbIconError = 0x10;
constexpr int kIdOk = 1;
int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t type);

// ---------------------------------------------------------------- display

// Results of display calls, as the DirectDraw values the game judges them by.
using DdResult = uint32_t;
constexpr DdResult kDdOk = 0;
constexpr DdResult kDdSurfaceLost = 0x887601C2u;
constexpr DdResult kDdStillDrawing = 0x8876021Cu;
constexpr DdResult kDdInvalidRect = 0x88760096u;
constexpr DdResult kDdInvalidParams = 0x80070057u;
constexpr DdResult kDdOutOfMemory = 0x8007000Eu;
constexpr DdResult kDdNoBlitter = 256;

enum class SurfaceKind : int32_t {
    Primary = 0,
    BackBuffer = 1,
    VideoMemory = 2,
    SystemMemory = 3,
};

using SurfaceHandle = int32_t;  // 0 is no surface

struct Rect {  // right and bottom exclusive
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Sets the 800x600 16-bit mode and shows the window.
DdResult InitDisplay(int width, int height, int bitsPerPixel);
void RestoreDisplayMode();
// The primary surface is the visible screen; there is at most one.
DdResult CreateSurface(int width, int height, SurfaceKind kind, SurfaceHandle& out);
void ReleaseSurface(SurfaceHandle surface);
// Copies `source` of `from` so its top-left lands at (x, y) of `to`. A rectangle
// that does not fit either surface is refused with kDdInvalidRect: nothing is
// clipped and nothing is written out of bounds. Keyed copies leave out pixel 0.
DdResult BltFast(SurfaceHandle to, int x, int y, SurfaceHandle from, const Rect& source, bool keyed);
// Pixels are RGB565; pitch is in bytes.
DdResult LockSurface(SurfaceHandle surface, uint16_t*& pixels, int32_t& pitchBytes);
DdResult UnlockSurface(SurfaceHandle surface);
bool IsSurfaceLost(SurfaceHandle surface);
DdResult RestoreSurface(SurfaceHandle surface);
void WaitForVerticalBlank();

// Reads a Windows bitmap file of any depth a picture editor writes and converts
// it to RGB565 (black stays 0). False when the file is missing, unreadable, not
// a regular file, claims more pixels than it holds, or is wider or taller than
// the bound given, all found before anything is allocated for its pixels.
constexpr int kLargestPictureSide = 4096;
bool DecodeBitmapFile(const std::string& path, std::vector<uint16_t>& pixels, int& width, int& height,
                      int largestWidth = kLargestPictureSide, int largestHeight = kLargestPictureSide);

// ---------------------------------------------------------------- sound

// Wave format as a wave file declares it.
struct PcmFormat {
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 22050;
    uint32_t averageBytesPerSecond = 22050;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 8;
};

// What a sound card plays: 1 or 2 channels of 8 or 16 bits at 4,000 to
// 192,000 samples a second. Far outside those rates the conversion to the
// device's rate grows without measure (2 Hz to 22,050 is a factor of 11,025).
constexpr bool PlayableFormat(const PcmFormat& format) {
    return (format.channels == 1 || format.channels == 2) && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.samplesPerSecond >= 4000 && format.samplesPerSecond <= 192000;
}

using SoundHandle = int32_t;  // 0 is no buffer

// Opens the audio device (22050 Hz, four effect channels); false when there is none.
// Opening it again starts afresh: buffers of the earlier opening are released.
bool OpenAudioDevice();
// The device-wide output format; false when it cannot be set up.
bool CreatePrimarySoundBuffer();
// Releases every buffer. Music keeps the device while a piece is open.
void CloseAudioDevice();
// A buffer of `bytes` (at least 1) sample bytes in `format` (8 or 16 bits PCM,
// mono or stereo, 4,000 to 192,000 samples a second). `source` names the file the samples come from; the
// headless backend records it with each play.
bool CreateSoundBuffer(const PcmFormat& format, uint32_t bytes, SoundHandle& out, const std::string& source = {});
// Copies at most the buffer's size; false when `bytes` is larger, or when the
// samples converted for the device would take more than 32 MiB.
bool FillSoundBuffer(SoundHandle buffer, const uint8_t* data, uint32_t bytes);
// Plays the buffer once on effect channel 0..3, cutting off what played there.
bool PlaySoundBuffer(SoundHandle buffer, int channel);
void StopSoundBuffer(SoundHandle buffer);
void ReleaseSoundBuffer(SoundHandle buffer);

// ---------------------------------------------------------------- music

// Number of MIDI outputs: 1 when the mixer is open and can play MIDI, else 0.
int MidiOutputDeviceCount();
// Opens one piece, closing the one open before; false when it cannot be read.
bool OpenMusic(const std::string& path);
// Plays the open piece once; its end arrives as a MusicNotify message.
bool PlayMusic();
// Neither of these two is ever reported as the end of a piece.
void StopMusic();
void CloseMusic();

// ---------------------------------------------------------------- files

// File results are the operating system's error numbers as the game knows them.
constexpr int kFileOk = 0;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;

enum class FileMode { Read, Write };
struct File;

int OpenFile(const std::string& path, FileMode mode, File*& out);
int ReadFile(File* file, void* buffer, size_t bytes, size_t& got);
int WriteFile(File* file, const void* buffer, size_t bytes, size_t& written);
int SeekFile(File* file, int64_t offset);
int64_t FileSize(File* file);
int CloseFile(File* file);
// Writes a whole file through a temporary beside it, flushed to the disk and
// renamed over it, so an interrupted save leaves the old file or the new one,
// whole; on failure the old file is untouched and no temporary is left. A
// symbolic link is followed (the link stays); a folder that allows no new file
// but holds a writable one gets the file overwritten in place. Returns the
// game's file codes: 101 when the bytes could not all be stored.
int ReplaceFileAtomically(const std::string& path, const void* data, size_t bytes);
bool FileExists(const std::string& path);
// Names (not paths) in `folder` ending with `suffix` (case-insensitive), in the
// order the file system lists them.
std::vector<std::string> ListFolder(const std::string& folder, const std::string& suffix);

// ---------------------------------------------------------------- folders

// Whether new files can be made in `folder` (empty: the current folder).
bool FolderWritable(const std::string& folder);
// Makes a folder and the parents it lacks, each new one private to the user;
// true when the folder exists afterwards.
bool MakeFolders(const std::string& folder);
// A variable of the process environment; empty when it is not set.
std::string EnvironmentValue(const std::string& name);
// The user's home folder: $HOME, else the account's entry; empty when unknown.
std::string HomeFolder();

// ---------------------------------------------------------------- process

// The full path of the running executable; empty when unknown.
std::string ExecutablePath();
[[noreturn]] void ExitProcess(int status);

}  // namespace platform
