#include "support/fresh_program.h"

#include <cstdlib>
#include <string>

#include "graphics/surfaces.h"

void FreshProgram::SetUp() {
    platform::headless::Reset();
    ResetProgramState();
    // The build writes the game's data files beside the game; start-up reads them.
    const char* data = std::getenv("TORVANEX_DATA");
    platform::headless::Get().executablePath = std::string(data ? data : TORVANEX_DEFAULT_DATA) + "/torvanex";
    Shell.ProgramFolder = ProgramFolderOf(platform::headless::Get().executablePath);
}

void FreshProgram::TearDown() {
    platform::headless::Reset();
    ResetProgramState();
}

void FreshProgram::CreateDisplay() {
    using platform::SurfaceKind;
    ASSERT_EQ(InitDisplay(800, 600, 16), 0);
    ASSERT_EQ(CreateSurfaceSlot(PrimarySlot, 800, 600, SurfaceKind::Primary, false), 0);
    ASSERT_EQ(CreateSurfaceSlot(WorkSlot, 800, 689, SurfaceKind::VideoMemory, false), 0);
    ASSERT_EQ(CreateSurfaceSlot(ComposeSlot, 800, 600, SurfaceKind::SystemMemory, false), 0);
}

void FreshProgram::RunUntilMs(int64_t ms) {
    while (platform::headless::NowMs() < ms)
        if (RunPass() == PassResult::Quit) return;
}
