// A fresh program whose folder is a scratch folder the test fills with its own files.
#pragma once

#include <filesystem>
#include <fstream>

#include "services/files.h"
#include "sound/sound_files.h"
#include "support/fresh_program.h"
#include "support/scratch_folder.h"

class SoundTest : public FreshProgram {
public:
    void SetUp() override { Restart(); }
    // A fresh program in the same folder, also for each case of a table.
    void Restart() {
        FreshProgram::SetUp();
        Files.ProgramFolder = folder;
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(folder + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void Remove(const std::string& name) const { std::filesystem::remove(folder + name); }

    ScratchFolder scratch{"torvanex-sound"};
    std::string folder = scratch.path();
};
