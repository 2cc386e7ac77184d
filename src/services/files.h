// The game's files: the program folder every file is opened in, and the file
// layer over the platform. Every operation records its failure as the last
// file-operation result, which CheckIo reads. Codes: the system's numbers
// (2 not found, 3 path not found, 5 access denied), 100 short read, 101 short
// write, 103 operation on a file that is not open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

constexpr int kIoShortRead = 100;
constexpr int kIoShortWrite = 101;
constexpr int kIoNotOpen = 103;

struct FilesState {
    std::string ProgramFolder;   // ends with '/'; every file is opened as ProgramFolder + name
    // Where the settings and score files live instead, when it is not the
    // program folder (an installed game keeps them in the player's own
    // folder); empty: the program folder.
    std::string SaveFolder;
    int LastIoResult = 0;
};
extern FilesState Files;
void ResetFilesState();

// The folder part of an executable path, ending with its last '/' (on Windows
// '\' too); empty without one.
std::string ProgramFolderOf(const std::string& executablePath);
std::string ProgramFile(const std::string& name);
// A settings or score file: in SaveFolder, or the program folder without one.
std::string SaveFile(const std::string& name);

// Null when the file cannot be opened.
platform::File* OpenGameFile(const std::string& path, platform::FileMode mode);
// A read that delivers fewer bytes than asked records 100 and returns false.
bool ReadGameFile(platform::File* file, void* buffer, size_t bytes);
bool WriteGameFile(platform::File* file, const void* buffer, size_t bytes);
bool SeekGameFile(platform::File* file, int64_t offset);
int64_t GameFileSize(platform::File* file);
bool CloseGameFile(platform::File* file);

void SetLastIoResult(int code);
// Reads and clears the last file-operation result.
int TakeLastIoResult();
