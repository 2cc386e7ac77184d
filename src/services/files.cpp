// The program folder and the game's file layer over the platform, which
// remembers the last failure for CheckIo.
#include "services/files.h"

FilesState Files;

void ResetFilesState() { Files = FilesState{}; }

std::string ProgramFolderOf(const std::string& executablePath) {
    // A backslash is an ordinary character of a name here, not a separator.
#ifdef _WIN32
    const size_t cut = executablePath.find_last_of("/\\");
#else
    const size_t cut = executablePath.find_last_of('/');
#endif
    return cut == std::string::npos ? std::string() : executablePath.substr(0, cut + 1);
}

std::string ProgramFile(const std::string& name) { return Files.ProgramFolder + name; }

std::string SaveFile(const std::string& name) {
    return (Files.SaveFolder.empty() ? Files.ProgramFolder : Files.SaveFolder) + name;
}

namespace {

bool Record(int code) {
    if (code != 0) Files.LastIoResult = code;
    return code == 0;
}

}  // namespace

void SetLastIoResult(int code) { Files.LastIoResult = code; }

int TakeLastIoResult() {
    const int code = Files.LastIoResult;
    Files.LastIoResult = 0;
    return code;
}

platform::File* OpenGameFile(const std::string& path, platform::FileMode mode) {
    platform::File* file = nullptr;
    Record(platform::OpenFile(path, mode, file));
    return file;
}

bool ReadGameFile(platform::File* file, void* buffer, size_t bytes) {
    if (!file) return Record(kIoNotOpen);
    size_t got = 0;
    if (!Record(platform::ReadFile(file, buffer, bytes, got))) return false;
    return got == bytes || Record(kIoShortRead);
}

bool WriteGameFile(platform::File* file, const void* buffer, size_t bytes) {
    if (!file) return Record(kIoNotOpen);
    size_t written = 0;
    if (!Record(platform::WriteFile(file, buffer, bytes, written))) return false;
    return written == bytes || Record(kIoShortWrite);
}

bool SeekGameFile(platform::File* file, int64_t offset) {
    if (!file) return Record(kIoNotOpen);
    return Record(platform::SeekFile(file, offset));
}

int64_t GameFileSize(platform::File* file) {
    if (!file) {
        Record(kIoNotOpen);
        return -1;
    }
    return platform::FileSize(file);
}

bool CloseGameFile(platform::File* file) {
    if (!file) return Record(kIoNotOpen);
    return Record(platform::CloseFile(file));
}
