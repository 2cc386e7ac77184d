// The program's spine: start-up, the window procedure, the main loop with its
// 18-per-second frame tick, the clock and the blocking wait, and teardown.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// The seven input events handed to DispatchInput through Shell.InputEvent.
enum InputEventCode : uint8_t {
    KeyDown = 0,
    CharTyped = 1,
    LeftDown = 2,
    RightDown = 3,
    LeftUp = 4,
    RightUp = 5,
    MouseMove = 6,
};

struct ShellState {
    bool MainWindow = false;      // the window exists
    std::string ProgramFolder;    // ends with '/'; every file is opened as ProgramFolder + name
    uint8_t AppActive = 0;
    uint8_t InputEvent = 0;
    int64_t CounterFrequency = 0;
    int64_t TickInterval = 0;     // CounterFrequency div 18
    int64_t ClockNow = 0;
    int64_t LastTick = 0;
    bool TornDown = false;        // the devices have been released
    int QuitStatus = 0;           // carried by the quit message that ended the loop
};
extern ShellState Shell;
void ResetShellState();

// Only these virtual keys become KeyDown events; the rest arrive as characters.
bool IsCommandKey(uint8_t virtualKey);

// The folder part of an executable path, ending with its last '/' (or '\'); empty without one.
std::string ProgramFolderOf(const std::string& executablePath);
std::string ProgramFile(const std::string& name);

int64_t ReadCounter();
// Blocks for `ms` while the software cursor keeps following the mouse. Mouse
// moves (and, with discardClicks, left presses) are taken off the queue and
// never dispatched; everything else stays queued.
void WaitMs(bool discardClicks, int64_t ms);

// Start-up up to the main loop; false when the program must end at once.
bool StartUp();
enum class PassResult { Continue, Quit };
// One pass of the main loop: at most one tick and one message.
PassResult RunPass();
// The exit status carried by the quit message that ended the loop.
int QuitStatus();
int RunMainLoop();
// Start-up, main loop and exit status, as the process entry runs them.
int RunProgram();

void WindowProc(const platform::Message& message);
// Stops and closes the music, releases the sound, restores the display mode and
// releases the surfaces. Runs at most once.
void Teardown();

// Every module's program-wide state back to its value at load.
void ResetProgramState();
