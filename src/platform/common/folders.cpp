// Folders outside the program's own: whether one takes new files, making the
// player's own, and the environment that says where it is.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace platform {

// access() also answers "no" on a file system mounted read-only, which the
// permission bits alone would not tell.
bool FolderWritable(const std::string& folder) {
    const std::string path = folder.empty() ? "." : folder;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) return false;
    // Each level in turn, so every new parent gets the private mode too.
    for (size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string EnvironmentValue(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) home = account->pw_dir;
    return home;
}

}  // namespace platform
