#include "support/fresh_program.h"

#include <cstdlib>
#include <string>

#include "graphics/surfaces.h"
#include "services/files.h"

void FreshProgram::SetUp() {
    platform::headless::Reset();
    ResetProgramState();
    const char* data = std::getenv("TORVANEX_DATA");
    platform::headless::Get().executablePath = std::string(data ? data : TORVANEX_DEFAULT_DATA) + "/torvanex";
    Files.ProgramFolder = ProgramFolderOf(platform::headless::Get().executablePath);
}

void FreshProgram::TearDown() {
    platform::headless::Reset();
    ResetProgramState();
}

void FreshProgram::CreateDisplay() { ASSERT_TRUE(CreateDisplaySlots()); }

void FreshProgram::RunUntilMs(int64_t ms) {
    while (platform::headless::NowMs() < ms && RunPass() == PassResult::Continue) {
    }
}
