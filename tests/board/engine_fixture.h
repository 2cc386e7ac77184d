// A fresh program with the three surface slots, and a WorkSlot painted with a
// pattern in which no pixel is 0 and nearby pixels all differ, so every copy
// out of it can be checked by where it landed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "board/front_end_calls.h"
#include "graphics/surfaces.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "services/files.h"

inline uint16_t WorkPattern(int x, int y) { return static_cast<uint16_t>((y * 800 + x) % 65521 + 1); }

inline platform::SurfaceHandle SurfaceOf(int slot) { return Display.Slots[slot].surface; }

// The destination rectangle of `slot` at (x, y) equals the WorkSlot's inclusive
// rectangle (left, top)-(right, bottom).
inline bool ShowsWork(int left, int top, int right, int bottom, int x, int y, int slot = PrimarySlot) {
    for (int j = 0; j <= bottom - top; ++j)
        for (int i = 0; i <= right - left; ++i)
            if (platform::headless::Pixel(SurfaceOf(slot), x + i, y + j) !=
                platform::headless::Pixel(SurfaceOf(WorkSlot), left + i, top + j))
                return false;
    return true;
}

class EngineTest : public ::testing::Test {
public:
    void SetUp() override {
        platform::headless::Reset();
        ResetProgramState();
        // The engine on its own: its calls into the front end do nothing.
        ConnectFrontEnd({});
        ASSERT_TRUE(CreateDisplaySlots());
        LockSlot(WorkSlot);
        SurfaceSlot& work = Display.Slots[WorkSlot];
        for (int y = 0; y < 689; ++y)
            for (int x = 0; x < 800; ++x) work.pixels[y * work.pitch + x] = WorkPattern(x, y);
        UnlockSlot(WorkSlot);
        EmptyBoard();
        Game.ScreenState = Playing;
    }

    static void EmptyBoard() {
        std::memset(Game.Board, kEmptyPipeCell, sizeof Game.Board);
        std::memset(Game.LockFlags, 0, sizeof Game.LockFlags);
        Game.PieceCount = 0;
    }

    // Places pieces given as {col, row, code} and keeps PieceCount right.
    struct Placed {
        int col, row;
        uint8_t code;
    };
    static void Place(std::initializer_list<Placed> pieces) {
        for (const Placed& p : pieces) {
            if (Game.Board[CellIndex(p.col, p.row)] >= kEmptyPipeCell) ++Game.PieceCount;
            Game.Board[CellIndex(p.col, p.row)] = p.code;
        }
    }
    static uint8_t At(int col, int row) { return Game.Board[CellIndex(col, row)]; }

    // Sound on, with the generated effect files, so the effects played can be read back.
    static void HearEffects() {
        const char* data = std::getenv("TORVANEX_DATA");
        Files.ProgramFolder = std::string(data ? data : TORVANEX_DEFAULT_DATA) + "/";
        ASSERT_TRUE(InitSound());
    }
    static std::vector<int> EffectsPlayed() {
        std::vector<int> numbers;
        for (const auto& e : platform::headless::Get().effectsPlayed) numbers.push_back(e.effect);
        return numbers;
    }
};
