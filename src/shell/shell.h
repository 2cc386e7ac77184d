// The program's spine: start-up, the window procedure, the main loop with its
// 18-per-second frame tick, and teardown.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct ShellState {
    bool MainWindow = false;      // the window exists
    uint8_t AppActive = 0;
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

// Hands the lower layers the calls they make upward: the rebuild after a lost
// display, the teardown of a fatal error, the cursor around message boxes and
// the board's few calls into the front end.
void ConnectLayers();
// Every module's program-wide state back to its value at load, layers connected.
void ResetProgramState();
