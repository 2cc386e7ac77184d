#include "support/fresh_program.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/common/message_queue.h"

namespace fs = std::filesystem;

std::string DataFolder() {
    const char* data = std::getenv("TORVANEX_DATA");
    return std::string(data ? data : TORVANEX_DEFAULT_DATA) + "/";
}

void FreshProgram::SetUp() {
    folder_ = std::make_unique<ScratchFolder>("torvanex-test");
    // The generated data, linked rather than copied; settings and scores the
    // build folder may hold from a game played there are left out.
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(DataFolder(), error)) {
        const std::string name = entry.path().filename().string(), ext = entry.path().extension().string();
        const bool data = ext == ".wrk" || ext == ".skn" || ext == ".wav" || ext == ".mid" || name == "arial8" ||
                          name == "times16" || name == "help.txt";
        if (linkData_ && data && entry.is_regular_file()) fs::create_symlink(entry.path(), Folder() + name, error);
    }
    Restart();
}

void FreshProgram::Restart() {
    platform::headless::Reset();
    ResetProgramState();
    platform::headless::Get().executablePath = Folder() + "torvanex";
    Files.ProgramFolder = Folder();
}

void FreshProgram::TearDown() {
    platform::headless::Reset();
    ResetProgramState();
    folder_.reset();
}

void FreshProgram::CreateDisplay() { ASSERT_TRUE(CreateDisplaySlots()); }

void FreshProgram::RunUntilMs(int64_t ms) {
    while (platform::headless::NowMs() < ms)
        if (RunPass() == PassResult::Quit) return;
}

void FreshProgram::Post(const platform::Message& m) {
    platform::headless::Schedule(platform::headless::NowMs(), m);
    while (platform::headless::PendingScripted() > 0 || !platform::queue::Empty()) RunPass();
}

void FreshProgram::TickOnce() {
    for (const int64_t last = Shell.LastTick; Shell.LastTick == last;) RunPass();
}

void FreshProgram::Write(const std::string& name, std::string_view bytes) const {
    std::ofstream(Folder() + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FreshProgram::Read(const std::string& name) const {
    std::ifstream in(Folder() + name, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void FreshProgram::Remove(const std::string& name) const { fs::remove(Folder() + name); }

std::vector<std::string> FreshProgram::Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Folder())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectOneMessage(const std::string& text) {
    const auto& boxes = platform::headless::Get().messageBoxes;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
}
