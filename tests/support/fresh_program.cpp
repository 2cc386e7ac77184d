#include "support/fresh_program.h"

#include <cstdlib>
#include <filesystem>

#include "graphics/surfaces.h"
#include "services/files.h"

namespace fs = std::filesystem;

std::string DataFolder() {
    const char* data = std::getenv("TORVANEX_DATA");
    return std::string(data ? data : TORVANEX_DEFAULT_DATA) + "/";
}

void FreshProgram::SetUp() {
    platform::headless::Reset();
    ResetProgramState();
    folder_ = std::make_unique<ScratchFolder>("torvanex-test");
    // The generated data, linked rather than copied; settings and scores the
    // build folder may hold from a game played there are left out.
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(DataFolder(), error)) {
        const std::string name = entry.path().filename().string(), ext = entry.path().extension().string();
        const bool data = ext == ".wrk" || ext == ".skn" || ext == ".wav" || ext == ".mid" || name == "arial8" ||
                          name == "times16" || name == "help.txt";
        if (data && entry.is_regular_file()) fs::create_symlink(entry.path(), Folder() + name, error);
    }
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
