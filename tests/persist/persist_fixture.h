// A fresh program whose folder is a scratch folder of the test's own.
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
    void SetUp() override { Fresh(); }
    // A fresh program again, in the same folder, for the next case of a table.
    void Fresh() const {
        platform::headless::Reset();
        ResetProgramState();
        Files.ProgramFolder = folder;
    }
    void Remove(const std::string& name) const { std::filesystem::remove(folder + name); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(folder + name, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
    // Sorted: a save must leave no temporary behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The one message box a fatal file error shows; `digits` are the four shown.
    static void ExpectFileError(const char* digits) {
        const auto& boxes = platform::headless::Get().messageBoxes;
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, std::string("File error ") + digits + ". Please reinstall Torvanex");
    }

    ScratchFolder scratch{"torvanex-persist"};
    std::string folder = scratch.path();
};

inline std::string ConfigFile(char sound, char music) {
    return std::string("Set sound: 1 - on, 0 - off.\r\n") + sound + "\r\nSet midi on/off: 1 - on, 0 - off.\r\n" + music +
           "\r\n";
}
