// Files through the C library, with errors turned into the numbers the game
// shows: 2 not found, 3 path not found, 5 access denied.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/common/file_faults.h"
#include "platform/platform.h"

namespace platform {

struct File {
    std::FILE* handle = nullptr;
};

namespace {

int SystemError(int err, const std::string& path) {
    switch (err) {
        case 0:
            return kFileOk;
        case ENOENT: {
            std::error_code ec;
            const auto parent = std::filesystem::path(path).parent_path();
            if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return kPathNotFound;
            return kFileNotFound;
        }
        case ENOTDIR:
        case ENAMETOOLONG:
            return kPathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return kAccessDenied;
        default:
            return err;
    }
}

}  // namespace

int OpenFile(const std::string& path, FileMode mode, File*& out) {
    out = nullptr;
    if (int fault = faults::TakeFault(path, faults::Op::Open)) return fault;
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), mode == FileMode::Read ? "rb" : "wb");
    if (!f) return SystemError(errno ? errno : ENOENT, path);
    if (mode == FileMode::Read) {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            std::fclose(f);
            return kAccessDenied;
        }
    }
    out = new File{f};
    faults::Remember(out, path);
    return kFileOk;
}

int ReadFile(File* file, void* buffer, size_t bytes, size_t& got) {
    got = 0;
    if (!file || !file->handle) return 6;  // invalid handle
    if (int fault = faults::TakeFault(file, faults::Op::Read)) return fault;
    got = std::fread(buffer, 1, bytes, file->handle);
    if (got < bytes && std::ferror(file->handle)) return SystemError(EIO, "");
    return kFileOk;
}

int WriteFile(File* file, const void* buffer, size_t bytes, size_t& written) {
    written = 0;
    if (!file || !file->handle) return 6;
    if (int fault = faults::TakeFault(file, faults::Op::Write)) return fault;
    written = std::fwrite(buffer, 1, bytes, file->handle);
    if (written < bytes) return SystemError(errno ? errno : EIO, "");
    return kFileOk;
}

int SeekFile(File* file, int64_t offset) {
    if (!file || !file->handle) return 6;
    if (std::fseek(file->handle, static_cast<long>(offset), SEEK_SET) != 0) return 25;  // seek error
    return kFileOk;
}

int64_t FileSize(File* file) {
    if (!file || !file->handle) return -1;
    const long here = std::ftell(file->handle);
    std::fseek(file->handle, 0, SEEK_END);
    const long size = std::ftell(file->handle);
    std::fseek(file->handle, here, SEEK_SET);
    return size;
}

int CloseFile(File* file) {
    if (!file) return 6;
    int fault = faults::TakeFault(file, faults::Op::Close);
    faults::Forget(file);
    const int rc = file->handle ? std::fclose(file->handle) : 0;
    delete file;
    if (fault) return fault;
    return rc == 0 ? kFileOk : SystemError(errno ? errno : EIO, "");
}

int ReplaceFileAtomically(const std::string& path, const void* data, size_t bytes) {
    if (int fault = faults::TakeFault(path, faults::Op::Open)) return fault;
    const std::string temp = path + ".new";
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return SystemError(errno ? errno : EACCES, temp);
    const size_t written = bytes ? std::fwrite(data, 1, bytes, f) : 0;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (written != bytes || !flushed || !closed) {
        std::remove(temp.c_str());
        return 101;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return SystemError(ec.value(), path);
    }
    return kFileOk;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::vector<std::string> ListFolder(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    std::error_code ec;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
    for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string name = it->path().filename().string();
        if (name.size() < suffix.size()) continue;
        bool match = true;
        for (size_t i = 0; i < suffix.size(); ++i) {
            char a = name[name.size() - suffix.size() + i];
            char b = suffix[i];
            if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
            if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
            if (a != b) match = false;
        }
        if (match) names.push_back(name);
    }
    return names;
}

}  // namespace platform
