// Files through the C library, with errors turned into the numbers the game
// shows: 2 not found, 3 path not found, 5 access denied.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/common/file_faults.h"
#include "platform/platform.h"

namespace platform {

struct File {
    std::FILE* handle = nullptr;
};

constexpr int kShortWrite = 101;

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

// ---------------------------------------------------------------- whole-file replacement
// A save is written to a temporary beside the file, flushed to the disk and
// renamed over the file, so a crash, a kill or a full disk leaves either the old
// file or the new one, whole. Faults are looked up under the name the game
// saves, so tests can interrupt each step.

// A symbolic link is followed to the file it names: the temporary is made
// beside that file and renamed over it, and the link stays a link.
int FollowLinks(const std::string& path, std::string& target) {
    namespace fs = std::filesystem;
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec)) || ec) return 0;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return ec.value();
        target = next.is_absolute() ? next.string() : (fs::path(target).parent_path() / next).string();
    }
    return ELOOP;
}

// An injected fault of code 5 stands for the system's "access denied".
bool Denied(int fault, int err) { return fault ? fault == kAccessDenied : (err == EACCES || err == EPERM); }

int CreateTemporary(const std::string& temp, int& err) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        // O_EXCL: never write through something planted under the temporary's name.
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) return fd;
        err = errno;
        // A temporary left by a run that was killed under the same process number.
        if (err != EEXIST || ::unlink(temp.c_str()) != 0) break;
    }
    return -1;
}

// 101 when the bytes could not all be stored; an injected Write fault stores
// the first half first, as a disk that fills up would.
int WriteBytes(const std::string& path, int fd, const uint8_t* data, size_t bytes) {
    const int fault = faults::TakeFault(path, faults::Op::Write);
    size_t left = fault ? bytes / 2 : bytes;
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return kShortWrite;
        data += n;
        left -= static_cast<size_t>(n);
    }
    return fault;
}

// Closes `fd` whatever happened before; a failed flush or close is a short write.
int FlushAndClose(const std::string& path, int fd, int code) {
    if (code != kFileOk) {
        ::close(fd);
        return code;
    }
    const int fault = faults::TakeFault(path, faults::Op::Close);
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (fault) return fault;
    return synced && closed ? kFileOk : kShortWrite;
}

// The rename is on the disk only once the folder is.
void SyncFolderOf(const std::string& target) {
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A folder that allows no new file but holds a writable file: the file is
// overwritten where it is, as the game always did, rather than not saved.
int WriteInPlace(const std::string& path, const std::string& target, const uint8_t* data, size_t bytes) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return kAccessDenied;
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return SystemError(errno, target);
    int code = WriteBytes(path, fd, data, bytes);
    if (code == kFileOk && ::ftruncate(fd, static_cast<off_t>(bytes)) != 0) code = kShortWrite;
    return FlushAndClose(path, fd, code);
}

}  // namespace

int OpenFile(const std::string& path, FileMode mode, File*& out) {
    out = nullptr;
    if (int fault = faults::TakeFault(path, faults::Op::Open)) return fault;
    // Opened without blocking: a FIFO or a device put in place of a data file
    // would otherwise hold the game at the open until something answered.
    // Only a regular file is a file of the game; anything else is missing,
    // except a folder, which the game has always been denied.
    const int flags = (mode == FileMode::Read ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC) | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return SystemError(errno == ENXIO ? ENOENT : errno, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return folder ? kAccessDenied : kFileNotFound;
    }
    std::FILE* f = nullptr;
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !(f = ::fdopen(fd, mode == FileMode::Read ? "rb" : "wb"))) {
        const int err = errno;
        ::close(fd);
        return SystemError(err ? err : EIO, path);
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

// A save killed before its rename leaves its temporary, named after the
// process that wrote it; the next save removes those of processes that ended,
// so a game killed now and then does not litter its folder.
void RemoveStaleTemporaries(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path file(target);
    const std::string prefix = file.filename().string() + ".";
    std::error_code ec;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
        const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t writer = static_cast<pid_t>(std::stol(digits));
        if (writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH) ::unlink(it->path().c_str());
    }
}

int ReplaceFileAtomically(const std::string& path, const void* data, size_t bytes) {
    const auto* bytesIn = static_cast<const uint8_t*>(data);
    std::string target;
    if (int linkError = FollowLinks(path, target)) return SystemError(linkError, path);
    const std::string temp = target + "." + std::to_string(::getpid()) + ".tmp";

    int err = 0;
    int fault = faults::TakeFault(path, faults::Op::Create);
    const int fd = fault ? -1 : CreateTemporary(temp, err);
    if (fd < 0) {
        if (Denied(fault, err)) return WriteInPlace(path, target, bytesIn, bytes);
        return fault ? fault : SystemError(err, temp);
    }
    // The new file keeps the permissions the player gave the old one.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    int code = WriteBytes(path, fd, bytesIn, bytes);
    code = FlushAndClose(path, fd, code);
    if (code != kFileOk) {
        ::unlink(temp.c_str());
        return code;
    }

    fault = faults::TakeFault(path, faults::Op::Rename);
    err = 0;
    if (fault || ::rename(temp.c_str(), target.c_str()) != 0) {
        if (!fault) err = errno;
        ::unlink(temp.c_str());
        if (Denied(fault, err)) return WriteInPlace(path, target, bytesIn, bytes);
        return fault ? fault : SystemError(err, target);
    }
    SyncFolderOf(target);
    RemoveStaleTemporaries(target);
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
