// An hour of virtual time in each mode of random but plausible play: presses on
// pieces, slides, lines between blocks, column shifts, the panel's buttons, the
// help, names typed for new top scores. The player watches the screen and acts
// on what it shows, as a person would; the game's invariants are checked after
// every message and frame tick. Prints what was played and every invariant
// broken (there should be none).
//   bench_soak [MINUTES]   virtual minutes per mode, 60 by default
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "frontend/panel.h"
#include "invariants.h"
#include "platform/headless/headless.h"
#include "script.h"

namespace fs = std::filesystem;
namespace hl = platform::headless;
using platform::Message;
using platform::MsgKind;

namespace {

constexpr uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kPageUp = 0x21, kPageDown = 0x22,
                   kDelete = 0x2E, kF1 = 0x70;

class Player {
public:
    explicit Player(int mode) : mode_(mode), random_(1000u + static_cast<unsigned>(mode)) {}

    // After every pass: check the game, and act once the last act has been
    // handled and the player's thinking time is over.
    void AfterPass() {
        const std::vector<std::string> broken = BrokenInvariants();
        for (const std::string& line : broken) {
            if (seen_.insert(line).second)
                std::printf("  invariant broken at %lld ms, state %d: %s\n", static_cast<long long>(hl::NowMs()),
                            Game.ScreenState, line.c_str());
        }
        invariantsBroken += !broken.empty();
        if (hl::PendingScripted() > 0 || hl::NowMs() < nextAt_) return;
        at_ = hl::NowMs() + 1;
        Act();
        nextAt_ = at_ + Between(250, 1200);
    }

    int64_t invariantsBroken = 0;
    int64_t acts = 0;

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    void Post(MsgKind kind, uint32_t w = 0, int x = 0, int y = 0) { hl::Schedule(at_, Message{kind, w, x, y}); }
    void Key(uint32_t virtualKey) { Post(MsgKind::KeyDown, virtualKey); }
    void Type(uint32_t character) { Post(MsgKind::Char, character); }
    void Click(int x, int y, bool left = true) {
        Post(MsgKind::MouseMove, 0, x, y);
        Post(left ? MsgKind::LButtonDown : MsgKind::RButtonDown, 0, x, y);
        Post(left ? MsgKind::LButtonUp : MsgKind::RButtonUp, 0, x, y);
    }
    void Button(int button, bool left = true) {
        const ScreenArea a = PanelButtonArea(button);
        Click(a.x + a.w / 2, a.y + a.h / 2, left);
    }
    void Cell(CellPos c, bool left = true) { Click(CellX(c.col) + kCellSize / 2, CellY(c.row) + kCellSize / 2, left); }

    // A random cell for which `wanted` holds, or a random cell when none does.
    template <typename Wanted>
    CellPos AnyCell(Wanted wanted) {
        std::vector<CellPos> cells;
        for (int row = 0; row < kBoardSize; ++row)
            for (int col = 0; col < kBoardSize; ++col)
                if (wanted(col, row, Game.Board[CellIndex(col, row)])) cells.push_back({col, row});
        if (cells.empty()) return {Between(0, kBoardSize - 1), Between(0, kBoardSize - 1)};
        return cells[static_cast<size_t>(Between(0, static_cast<int>(cells.size()) - 1))];
    }

    void Act() {
        ++acts;
        switch (Game.ScreenState) {
            case StartScreen: Type(' '); break;
            case Playing: Chance(4) ? UsePanel() : Chance(1) ? Type(27) : Play(); break;
            case Stopped: Chance(70) ? Button(kNewGameButton) : UsePanel(); break;
            case GameOver: Chance(70) ? Button(kNewGameButton) : Type(27); break;
            case NameEntry: TypeName(); break;
            case HelpScreen: Chance(40) ? Key(kPageDown) : Chance(30) ? Key(kPageUp) : Type('x'); break;
            case TopScoresScreen: Type(' '); break;
            default: break;  // the farewell: the player never asks for it
        }
    }

    // Everything on the panel but the mode, which this player keeps, and the
    // sound, whose effects are counted.
    void UsePanel() {
        switch (Between(0, 10)) {
            case 0: Button(kHelpButton); break;
            case 1: mode_ == 1 ? Button(kHelpButton) : Key(kF1); break;
            case 2: Button(kMusicButton); break;
            case 3: Button(kSpeedButton, true); break;
            case 4: Button(kSpeedButton, false); break;
            case 5: Button(kLevelButton); break;
            case 6: Button(kStopButton); break;
            case 7: Button(kSkinButton); break;
            case 8: Button(kNewGameButton); break;
            case 9: Button(kExitButton); break;
            default: Button(kHomeButton); break;
        }
    }

    // Modes 0 and 2: the player looks for four corners in a square and turns
    // one of them towards the small loop they could make, clockwise.
    bool TurnTowardsLoop() {
        constexpr int kWanted[4] = {4, 5, 3, 6};  // top-left, top-right, bottom-left, bottom-right
        std::vector<CellPos> turns;
        for (int row = 0; row + 1 < kBoardSize; ++row)
            for (int col = 0; col + 1 < kBoardSize; ++col) {
                const CellPos square[4] = {{col, row}, {col + 1, row}, {col, row + 1}, {col + 1, row + 1}};
                int wrong = 0;
                CellPos first{};
                bool corners = true;
                for (int i = 0; i < 4; ++i) {
                    const uint8_t code = Game.Board[CellIndex(square[i].col, square[i].row)];
                    corners = corners && code >= 3 && code <= 6;
                    if (code != kWanted[i] && wrong++ == 0) first = square[i];
                }
                if (corners && wrong > 0) turns.push_back(first);
            }
        if (turns.empty()) return false;
        Cell(turns[static_cast<size_t>(Between(0, static_cast<int>(turns.size()) - 1))], false);
        return true;
    }

    void Play() {
        const auto piece = [](int, int, uint8_t code) { return code < kEmptyPipeCell; };
        if (mode_ == 0) {
            if (!Chance(60) || !TurnTowardsLoop()) Cell(AnyCell(piece), Chance(50));
        } else if (mode_ == 2) {
            const int roll = Between(1, 1000);
            if (roll <= 600) {
                if (!Chance(50) || !TurnTowardsLoop()) Cell(AnyCell(piece), Chance(50));
            } else if (roll <= 850) {
                const CellPos from = AnyCell(piece);
                const int toX = CellX(Between(0, kBoardSize - 1)) + kCellSize / 2, y = CellY(from.row) + kCellSize / 2;
                Post(MsgKind::MouseMove, 0, CellX(from.col) + kCellSize / 2, y);
                Post(MsgKind::LButtonDown, 0, CellX(from.col) + kCellSize / 2, y);
                Post(MsgKind::MouseMove, 0, toX, y);
                Post(MsgKind::LButtonUp, 0, toX, y);
            } else if (roll <= 997) {
                Key(Chance(50) ? kLeft : kRight);
            } else {
                Button(kGiveUpButton);
            }
        } else {
            PlayLines();
        }
    }

    // Mode 1: mostly the next block in line with the end of the line being
    // drawn, back to its first block when it lines up; now and then the keys.
    void PlayLines() {
        if (Chance(15)) {
            constexpr uint32_t keys[] = {kLeft, kUp, kRight, kDown, kLeft, kUp, kRight, kDown, ' ', kDelete};
            const uint32_t k = keys[Between(0, 9)];
            k == ' ' ? Type(' ') : Key(k);
            return;
        }
        const CellPos end = Game.LineEnd, start = Game.LineStart;
        const auto block = [](int, int, uint8_t code) { return (code & kBlock) != 0; };
        if (end.col < 0) {
            Cell(AnyCell(block));
            return;
        }
        // The first block met in each direction from the end of the line.
        std::vector<CellPos> next;
        constexpr int kSteps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        for (const auto& step : kSteps) {
            for (CellPos p{end.col + step[0], end.row + step[1]}; OnBoard(p.col, p.row);
                 p = {p.col + step[0], p.row + step[1]}) {
                if (Game.Board[CellIndex(p.col, p.row)] & kBlock) {
                    next.push_back(p);
                    break;
                }
            }
        }
        for (const CellPos& p : next)
            if (p == start && Chance(70)) {
                Cell(start);
                return;
            }
        if (next.empty() || Chance(5)) {
            Cell(AnyCell(block));
            return;
        }
        Cell(next[static_cast<size_t>(Between(0, static_cast<int>(next.size()) - 1))]);
    }

    void TypeName() {
        const int letters = Between(0, 9);
        for (int i = 0; i < letters; ++i) Type(static_cast<uint32_t>(Chance(85) ? Between('a', 'z') : Between(32, 126)));
        if (Chance(20)) Type(8);
        Type(13);
    }

    int mode_;
    std::mt19937 random_;
    int64_t nextAt_ = 0;
    int64_t at_ = 0;
    std::set<std::string> seen_;
};

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    std::string pattern = (fs::temp_directory_path() / "torvanex-soak-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    std::error_code error;
    int64_t totalBroken = 0;
    for (int mode = 0; mode < 3; ++mode) {
        for (const auto& entry : fs::directory_iterator(pattern, error)) fs::remove(entry.path(), error);
        for (const auto& entry : fs::directory_iterator(TORVANEX_DATA_DIR, error)) {
            const std::string ext = entry.path().extension().string(), name = entry.path().filename().string();
            if (ext == ".wrk" || ext == ".skn" || ext == ".wav" || ext == ".mid" || name == "arial8" ||
                name == "times16" || name == "help.txt")
                fs::create_symlink(entry.path(), pattern + "/" + name, error);
        }
        Player player(mode);
        SimOptions options;
        options.utc = {9, 30, 0, 0};
        options.mode = mode;
        options.actions = {"wait:" + std::to_string(minutes * 60000)};
        options.afterPass = [&] { player.AfterPass(); };
        const auto start = std::chrono::steady_clock::now();
        const SimResult run = RunScript(options, pattern);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        int games = 0, over = 0, loops = 0;
        const auto& effects = hl::Get().effectsPlayed;
        for (const auto& e : effects) {
            games += e.effect == 2;
            over += e.effect == 8;
            loops += e.effect == 5;
        }
        std::printf("mode %d: %d virtual min in %.1f s: games played %d (over %d), loops cleared %d, effects played "
                    "%zu, acts %lld, invariants broken %lld, status %d%s\n",
                    mode, minutes, seconds, games, over, loops, effects.size(), static_cast<long long>(player.acts),
                    static_cast<long long>(player.invariantsBroken), run.status, run.quit ? " (the game closed)" : "");
        if (run.status != 0) std::printf("%s", run.output.substr(0, run.output.find("seed=")).c_str());
        totalBroken += player.invariantsBroken + (run.status != 0);
    }
    fs::remove_all(pattern, error);
    return totalBroken == 0 ? 0 : 1;
}
