// Any bytes as the program folder's files: names (one a line) with short
// contents, some of them MIDI pieces. The music list is scanned from the
// folder, the device checked, and every listed piece played in turn and past
// the end: the list holds at most 50 names of at most 30 characters, each the
// start of a ".mid" file's name, and the turn never leaves the list.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "services/files.h"
#include "shell/shell.h"
#include "sound/music.h"

namespace fs = std::filesystem;
namespace hl = platform::headless;

namespace {

std::string folder;

bool EndsWithMid(const std::string& name) {
    if (name.size() < 4) return false;
    std::string end = name.substr(name.size() - 4);
    for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return end == ".mid";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (fs::temp_directory_path() / "torvanex-fuzz-music-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern + "/";
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) fs::remove_all(entry.path(), error);
    // Each line: a flag byte (bit 0 a MIDI piece, bit 1 a folder), then the name.
    std::vector<std::string> made;
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    while (at < text.size() && made.size() < 80) {
        const size_t end = std::min(text.find('\n', at), text.size());
        if (end - at >= 2) {
            const uint8_t flags = static_cast<uint8_t>(text[at]);
            std::string name = text.substr(at + 1, end - at - 1);
            for (char& c : name)
                if (c == '/' || c == '\0') c = '_';
            if (name != "." && name != ".." && name.size() < 200) {
                if (flags & 2) {
                    fs::create_directory(folder + name, error);
                } else {
                    std::ofstream(folder + name, std::ios::binary) << (flags & 1 ? "MThd" : "RIFF");
                    made.push_back(name);
                }
            }
        }
        at = end + 1;
    }

    hl::Reset();
    ResetProgramState();
    Files.ProgramFolder = folder;
    ScanMusicFiles();
    if (Music.MusicCount < 0 || Music.MusicCount > kMusicListSize) std::abort();
    for (int i = 1; i <= Music.MusicCount; ++i) {
        const std::string& listed = Music.MusicList[i];
        if (listed.empty() || listed.size() > kMusicNameLength) std::abort();
        bool found = false;
        for (const std::string& name : made) found = found || (EndsWithMid(name) && name.compare(0, listed.size(), listed) == 0);
        if (!found) std::abort();
    }
    if (!CheckMidiDevice()) std::abort();
    for (int turn = 0; turn <= Music.MusicCount + 1; ++turn) {
        PlayNextMusic();
        if (Music.MusicIndex < 1 || Music.MusicIndex > std::max(Music.MusicCount, 1)) std::abort();
    }
    CloseMusic();
    return 0;
}
