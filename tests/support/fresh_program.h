// A fresh program on the headless backend for every test, in a program folder
// of its own: the generated data files are linked in, or left out for tests
// that bring their own, and whatever the game writes stays in that folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "services/files.h"
#include "shell/shell.h"
#include "support/scratch_folder.h"

class FreshProgram : public ::testing::Test {
public:
    explicit FreshProgram(bool linkData = true) : linkData_(linkData) {}
    void SetUp() override;
    void TearDown() override;
    // A fresh program again in the same folder, for the next case of a table.
    void Restart();
    // The display with its three slots, as start-up makes them.
    void CreateDisplay();
    // Runs main-loop passes until the virtual clock reaches `ms` or the loop quits.
    void RunUntilMs(int64_t ms);
    // Hands `m` to the game now and runs passes until it and what it queued are handled.
    static void Post(const platform::Message& m);
    // Runs passes until the next frame tick has run.
    static void TickOnce();
    // The program folder, ending with '/'.
    const std::string& Folder() const { return folder_->path(); }
    // Files of the program folder; Read gives "<missing>" for none, Names are sorted.
    void Write(const std::string& name, std::string_view bytes) const;
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    std::string Read(const std::string& name) const;
    void Remove(const std::string& name) const;
    std::vector<std::string> Names() const;

private:
    bool linkData_;
    std::unique_ptr<ScratchFolder> folder_;
};

// The folder the build writes the game's data files into.
std::string DataFolder();

// Runs `action` and returns the exit status it ended the process with, or -1.
template <typename F>
int ExitStatusOf(F&& action) {
    try {
        action();
    } catch (const platform::headless::ProcessExit& e) {
        return e.status;
    }
    return -1;
}

// The one message box shown so far says `text`.
void ExpectOneMessage(const std::string& text);
// What the fatal file error says; `digits` are the four it shows.
inline std::string FileError(const char* digits) {
    return std::string("File error ") + digits + ". Please reinstall Torvanex";
}

// The numbers of the effects played so far, in order.
inline std::vector<int> EffectsHeard() {
    std::vector<int> numbers;
    for (const auto& e : platform::headless::Get().effectsPlayed) numbers.push_back(e.effect);
    return numbers;
}
