// The data folder and the save folder, chosen once at start-up.
#include "services/folders.h"

#include "platform/platform.h"
#include "services/files.h"

#ifndef TORVANEX_DATA_FROM_PROGRAM
#define TORVANEX_DATA_FROM_PROGRAM ""
#endif
#ifndef TORVANEX_INSTALLED_DATA
#define TORVANEX_INSTALLED_DATA ""
#endif

namespace {

// Any of the data files would do; the background is read by every start.
constexpr const char* kDataMark = "back.wrk";

std::string AsFolder(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

bool HoldsData(const std::string& folder) { return platform::FileExists(folder + kDataMark); }

}  // namespace

FolderPlaces FolderPlacesOfThisBuild() {
    return {TORVANEX_DATA_FROM_PROGRAM, TORVANEX_INSTALLED_DATA,
            PlayerFolderOf(platform::EnvironmentValue("XDG_DATA_HOME"), platform::HomeFolder())};
}

std::string PlayerFolderOf(const std::string& xdgDataHome, const std::string& home) {
    // A relative setting would put the files wherever the game happened to be
    // started from; the desktop's rules say to ignore it.
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') return AsFolder(xdgDataHome) + "torvanex/";
    if (home.empty()) return {};
    return AsFolder(home) + ".local/share/torvanex/";
}

void ChooseFolders(const std::string& executablePath, const FolderPlaces& places) {
    const std::string program = ProgramFolderOf(executablePath);
    std::string data = program;
    if (!HoldsData(program)) {
        const std::string relative = program.empty() || places.dataFromProgram.empty()
                                         ? std::string()
                                         : program + AsFolder(places.dataFromProgram);
        const std::string installed = AsFolder(places.installedData);
        if (!relative.empty() && HoldsData(relative)) data = relative;
        else if (!installed.empty() && HoldsData(installed)) data = installed;
    }
    Files.ProgramFolder = data;
    Files.SaveFolder.clear();
    if (data == program && platform::FolderWritable(program)) return;
    // Without a home the files stay with the data, where the game reports
    // what it cannot write.
    if (places.playerFolder.empty()) return;
    Files.SaveFolder = AsFolder(places.playerFolder);
    platform::MakeFolders(Files.SaveFolder);
}
