// The pieces as the game's mixer renders them: a player hears no jump in
// loudness from one piece to the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/piece_render.h"
#include "support/sound_measure.h"

TEST(MusicLevels, EveryPieceSoundsWithinOneDecibelOfTheOthers) {
    const char* data = std::getenv("TORVANEX_DATA");
    ASSERT_NE(data, nullptr);
    std::vector<std::string> pieces;
    for (const auto& entry : std::filesystem::directory_iterator(data))
        if (entry.path().extension() == ".mid") pieces.push_back(entry.path().string());
    std::sort(pieces.begin(), pieces.end());
    ASSERT_FALSE(pieces.empty());
    PieceRenderer renderer;
    if (!renderer.Ready()) GTEST_SKIP() << "no mixer or General MIDI soundfont on this machine";
    std::vector<std::pair<double, std::string>> levels;
    for (const std::string& piece : pieces) {
        const sound_measure::Samples x = renderer.Render(piece);
        ASSERT_GT(x.size(), static_cast<size_t>(60 * PieceRenderer::kRate)) << piece;
        levels.emplace_back(sound_measure::RmsDb(x), piece);
    }
    std::sort(levels.begin(), levels.end());
    EXPECT_LE(levels.back().first - levels.front().first, 1.0)
        << levels.back().second << " at " << levels.back().first << " dBFS, " << levels.front().second << " at "
        << levels.front().first << " dBFS";
    // Background music stays well under the effects (about -12 dBFS at their loudest).
    EXPECT_LE(levels.back().first, -22.0);
}
