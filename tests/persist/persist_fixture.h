// A fresh program whose folder is a scratch folder of the test's own, where
// the settings and score files are written and read back byte for byte.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "services/files.h"
#include "support/fresh_program.h"
#include "support/scratch_folder.h"

class PersistTest : public FreshProgram {
protected:
    void SetUp() override {
        FreshProgram::SetUp();
        Files.ProgramFolder = folder;
    }
    // A fresh program again, for the next case of a table, in the same folder.
    void Fresh() const {
        platform::headless::Reset();
        ResetProgramState();
        Files.ProgramFolder = folder;
    }
    void Remove(const std::string& name) const { std::filesystem::remove(folder + name); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // "<missing>" when there is no such file.
    std::string Read(const std::string& name) const {
        std::ifstream in(folder + name, std::ios::binary);
        if (!in) return "<missing>";
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Every name in the folder, sorted: a save must leave no temporary behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The fatal file error as the player sees it; `digits` are the four shown.
    static std::string FileErrorText(const char* digits) {
        return std::string("File error ") + digits + ". Please reinstall Torvanex";
    }

    ScratchFolder scratch{"torvanex-persist"};
    std::string folder = scratch.path();
};

// The file as SaveAll writes it with sound and music as given.
inline std::string ConfigFile(char sound, char music) {
    return std::string("Set sound: 1 - on, 0 - off.\r\n") + sound + "\r\nSet midi on/off: 1 - on, 0 - off.\r\n" + music +
           "\r\n";
}
