// Where the game finds its data and where it keeps the player's settings and
// scores. A game that runs from a folder holding its data, and may write
// there (the build folder, a copy carried around), keeps everything beside
// itself as it always has. An installed game reads its data from the folder
// it was installed with and keeps the player's files in the player's own
// data folder, so one installation serves every user of the machine.
#pragma once

#include <string>

struct FolderPlaces {
    // The data folder as installed, relative to the program's folder: an
    // installation moved elsewhere as a whole still finds its data.
    std::string dataFromProgram;
    // The data folder the game was built to be installed with.
    std::string installedData;
    // The player's own folder for an installed game (see PlayerFolderOf).
    std::string playerFolder;
};

// The places of this build, the player's folder taken from the environment.
FolderPlaces FolderPlacesOfThisBuild();

// $XDG_DATA_HOME/torvanex/, or ~/.local/share/torvanex/ when that is unset or
// not an absolute path; empty when neither is known.
std::string PlayerFolderOf(const std::string& xdgDataHome, const std::string& home);

// Sets the program folder (where the data is read) and the save folder from
// the executable's path; the player's folder is made when it is chosen.
void ChooseFolders(const std::string& executablePath, const FolderPlaces& places);
