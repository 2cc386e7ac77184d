// Any bytes as a player's session: timed window messages played into the whole
// game on the headless backend from start-up on, with the game's invariants
// checked after every message and every frame tick. A broken invariant, a
// fatal exit or a read or write outside any table ends the run as a crash.
//
// Bytes 0 and 1 choose the mode, level and time of day at start-up; then every
// four bytes are one event: a wait before it, what it is, and two arguments.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "board/board_state.h"
#include "invariants.h"
#include "platform/headless/headless.h"
#include "script.h"

namespace fs = std::filesystem;
using platform::Message;
using platform::MsgKind;

namespace {

// Long games cost time: a session ends once this much virtual time has gone.
constexpr int64_t kLongestSessionMs = 5 * 60 * 1000;

// Keys the game acts on, and a few it ignores.
constexpr uint32_t kKeys[] = {0x25, 0x26, 0x27, 0x28, 0x21, 0x22, 0x2E, 0x70, 0x1B,
                              0x0D, 0x20, 0x08, 0x09, 0x24, 0x23, 0x2D, 0x41, 0x71};
// Characters typed: Space, Escape, Enter, Backspace, letters, digits, and one
// byte outside ASCII.
constexpr uint32_t kChars[] = {32, 27, 13, 8, 'a', 'Z', '0', '9', '.', '-', 0xE9, 'q', 'x', ' ', 27, 32};

std::string folder;

// The program folder: the generated data files linked in, nothing else.
void MakeFolder() {
    const char* data = std::getenv("TORVANEX_DATA");
    const fs::path source = data && *data ? data : TORVANEX_DATA_DIR;
    std::string pattern = (fs::temp_directory_path() / "torvanex-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern;
    std::error_code error;
    int linked = 0;
    for (const auto& entry : fs::directory_iterator(source, error)) {
        const std::string ext = entry.path().extension().string(), name = entry.path().filename().string();
        if (ext == ".wrk" || ext == ".skn" || ext == ".wav" || ext == ".mid" || name == "arial8" ||
            name == "times16" || name == "help.txt") {
            fs::create_symlink(entry.path(), folder + "/" + name, error);
            ++linked;
        }
    }
    if (linked == 0) {
        std::fprintf(stderr, "no game data in %s (set TORVANEX_DATA)\n", source.c_str());
        std::abort();
    }
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
}

// What a previous session saved must not shape the next one.
void ForgetSavedFiles() {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (!entry.is_symlink()) fs::remove(entry.path(), error);
}

int64_t Wait(uint8_t w) { return w < 192 ? w * 4 : (w - 191) * 500; }

void Decode(const uint8_t* data, size_t size, SimOptions& options) {
    int64_t t = 0;
    const auto post = [&](MsgKind kind, uint32_t w = 0, int x = 0, int y = 0) {
        options.input.push_back({t, Message{kind, w, x, y}, false});
    };
    for (size_t at = 0; at + 4 <= size && t < kLongestSessionMs; at += 4) {
        const uint8_t kind = data[at + 1], a = data[at + 2], b = data[at + 3];
        t += Wait(data[at]);
        // A point anywhere on the screen; cells and buttons are a few steps wide.
        const int x = a * 800 / 256, y = b * 600 / 256;
        const int cellX = CellX(a % kBoardSize) + kCellSize / 2, cellY = CellY(b % kBoardSize) + kCellSize / 2;
        switch (kind % 16) {
            case 0: post(MsgKind::KeyDown, kKeys[a % std::size(kKeys)]); break;
            case 1: post(MsgKind::KeyDown, a); break;
            case 2: post(MsgKind::Char, kChars[a % std::size(kChars)]); break;
            case 3: post(MsgKind::Char, a); break;
            case 4: post(MsgKind::MouseMove, 0, x, y); break;
            case 5: post(MsgKind::LButtonDown, 0, x, y); break;
            case 6: post(MsgKind::LButtonUp, 0, x, y); break;
            case 7: post(MsgKind::RButtonDown, 0, x, y); break;
            case 8: post(MsgKind::RButtonUp, 0, x, y); break;
            case 9:
            case 10: {  // a click where the pointer is taken to
                const bool left = kind % 16 == 9;
                post(MsgKind::MouseMove, 0, x, y);
                post(left ? MsgKind::LButtonDown : MsgKind::RButtonDown, 0, x, y);
                post(left ? MsgKind::LButtonUp : MsgKind::RButtonUp, 0, x, y);
                break;
            }
            case 11: {  // a press on a piece, either button
                const bool left = (kind & 0x10) != 0;
                post(MsgKind::MouseMove, 0, cellX, cellY);
                post(left ? MsgKind::LButtonDown : MsgKind::RButtonDown, 0, cellX, cellY);
                post(left ? MsgKind::LButtonUp : MsgKind::RButtonUp, 0, cellX, cellY);
                break;
            }
            case 12: {  // a slide along a row
                const int toX = CellX((kind >> 4) % kBoardSize) + kCellSize / 2;
                post(MsgKind::MouseMove, 0, cellX, cellY);
                post(MsgKind::LButtonDown, 0, cellX, cellY);
                post(MsgKind::MouseMove, 0, toX, cellY);
                post(MsgKind::LButtonUp, 0, toX, cellY);
                break;
            }
            case 13: post(MsgKind::ActivateApp, a & 1); break;
            case 14: options.input.push_back({t, Message{}, true}); break;
            case 15:  // a key with its character, now and then the window closed
                if (a < 8) {
                    post(MsgKind::Close);
                } else {
                    post(MsgKind::KeyDown, kKeys[a % std::size(kKeys)]);
                    post(MsgKind::Char, kChars[b % std::size(kChars)]);
                }
                break;
        }
    }
}

void CheckAfterPass() {
    const std::vector<std::string> broken = BrokenInvariants();
    if (broken.empty()) return;
    std::fprintf(stderr, "invariant broken at %lld ms (screen state %d, mode %d):\n",
                 static_cast<long long>(platform::headless::NowMs()), Game.ScreenState, Game.GameMode);
    for (const std::string& line : broken) std::fprintf(stderr, "  %s\n", line.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    MakeFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    ForgetSavedFiles();
    SimOptions options;
    options.mode = data[0] % 3;
    options.level = (data[0] >> 2) & 1;
    options.utc = {12, data[1] % 60, 0, data[1] * 3};
    Decode(data + 2, size - 2, options);
    options.afterPass = CheckAfterPass;
    const SimResult result = RunScript(options, folder);
    if (result.status != 0) {
        std::fprintf(stderr, "the game ended with status %d:\n%s", result.status, result.output.c_str());
        std::abort();
    }
    return 0;
}
