// torvanex-sim: plays a script of timed input into the whole game on the
// headless backend, in a scratch copy of the program folder, and prints text
// dumps of the board and of what the game played and saved. A tool for
// checking and for reproducing a game from its start time; the game itself
// takes no command-line options.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include "script.h"

namespace fs = std::filesystem;

namespace {

fs::path ExecutableFolder(const char* argv0) {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) self = fs::absolute(argv0, error);
    return self.parent_path();
}

// Only the data the build generates: settings and scores a player left in the
// build folder must not change a run.
bool IsDataFile(const fs::path& file) {
    static const char* const kNames[] = {"back.wrk", "zast.wrk", "rec.wrk", "01.skn",  "02.skn",
                                         "03.skn",   "arial8",   "times16", "help.txt", "manual.html"};
    const std::string name = file.filename().string();
    for (const char* known : kNames)
        if (name == known) return true;
    const std::string ext = file.extension().string();
    return ext == ".wav" || ext == ".mid";
}

constexpr const char* kScratchPrefix = "torvanex-sim-";
// A folder younger than this may belong to a run that has made it but not
// yet locked it.
constexpr time_t kLockGraceSeconds = 10;

// A run killed before its end cannot remove its scratch folder. Every run
// holds a lock on its own folder for as long as it lives (the system drops it
// however the process ends), and at start removes the folders of this user
// that no run holds.
void RemoveAbandonedScratchFolders(const fs::path& temp) {
    std::error_code error;
    for (fs::directory_iterator it(temp, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().rfind(kScratchPrefix, 0) != 0) continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        const bool abandoned = ::fstat(fd, &st) == 0 && st.st_uid == ::getuid() &&
                               std::time(nullptr) - st.st_mtime > kLockGraceSeconds &&
                               ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        std::error_code ignored;
        if (abandoned) fs::remove_all(it->path(), ignored);
        ::close(fd);
    }
}

fs::path MakeScratchFolder(const fs::path& dataFolder) {
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    if (error) return {};
    RemoveAbandonedScratchFolders(temp);
    std::string pattern = (temp / (std::string(kScratchPrefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return {};
    const fs::path scratch = pattern;
    // Held until the process ends; never closed.
    const int lock = ::open(scratch.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        if (lock >= 0) ::close(lock);
        fs::remove_all(scratch, error);
        return {};
    }
    for (const auto& entry : fs::directory_iterator(dataFolder, error))
        if (entry.is_regular_file() && IsDataFile(entry.path()))
            fs::copy_file(entry.path(), scratch / entry.path().filename(), error);
    return scratch;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::string next = i + 1 < argc ? argv[i + 1] : std::string();
        std::optional<std::string> problem;
        if (arg == "--script" || arg == "--screenshot") {
            if (i + 1 >= argc) problem = "missing value for " + arg;
            else if (arg == "--script") problem = ReadScript(argv[++i], options);
            else screenshot = argv[++i];
        } else {
            bool usedNext = false;
            problem = AddArgument(arg, i + 1 < argc ? &next : nullptr, usedNext, options);
            if (usedNext) ++i;
        }
        if (problem) {
            std::fprintf(stderr, "torvanex-sim: %s\n%s", problem->c_str(), kSimUsage);
            return 2;
        }
    }
    const fs::path scratch = MakeScratchFolder(ExecutableFolder(argv[0]));
    if (scratch.empty()) {
        std::fprintf(stderr, "torvanex-sim: no scratch folder could be made\n");
        return 1;
    }
    const SimResult result = RunScript(options, scratch.string());
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fflush(stdout);
    if (!screenshot.empty() && !WriteScreenshot(screenshot))
        std::fprintf(stderr, "torvanex-sim: cannot write %s\n", screenshot.c_str());
    if (result.status != 0) std::fprintf(stderr, "torvanex-sim: the game ended with status %d\n", result.status);
    std::error_code error;
    fs::remove_all(scratch, error);
    return result.status;
}
