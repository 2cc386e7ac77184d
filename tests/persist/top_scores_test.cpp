// The top-score tables: the scrambled file, damaged entries, the ranking.
#include <cstring>
#include <utility>

#include "board/board_state.h"
#include "persist/persist_fixture.h"
#include "persist/top_scores.h"

namespace hl = platform::headless;

namespace {

size_t Offset(int table, int row) { return static_cast<size_t>(table * 125 + row * 25); }

// A table's five scores, and the first letters of its five names.
std::pair<std::vector<int32_t>, std::string> Table(int table) {
    std::pair<std::vector<int32_t>, std::string> rows;
    for (int row = 0; row < 5; ++row) rows.first.push_back(ScoreValue(table, row)), rows.second += ScoreName(table, row)[0];
    return rows;
}

}  // namespace

TEST_F(PersistTest, MissingScoreFileIsCreatedWithTheDefaultTables) {
    LoadTopScores();
    const std::string stored = Read("torvanex.rec");
    ASSERT_EQ(stored.size(), 750u);
    // Scrambled words pinned: the first ("Author"'s length and 'A'), word 10
    // (the low byte of 3390) and the last. A changed offset breaks every file.
    EXPECT_EQ(stored.substr(0, 2), "\xAB\x41");
    EXPECT_EQ(stored.substr(20, 2), "\xB7\x3E");
    EXPECT_EQ(stored.substr(748, 2), "\x23\x02");

    for (size_t size : {0u, 749u, 751u}) {
        Restart();
        Write("torvanex.rec", std::string(size, '\x55'));
        LoadTopScores();
        EXPECT_EQ(Read("torvanex.rec"), stored) << size << " bytes are replaced at once";
        EXPECT_EQ(Names(), std::vector<std::string>{"torvanex.rec"});
        EXPECT_EQ(TakeLastIoResult(), 0);
    }
}

// Scrambling is an XOR, so a bit flipped in the file flips the same bit of the
// table: a default file with a few bytes changed tells what the loader must see.
TEST_F(PersistTest, ScoreFileValuesAndDamagedNames) {
    LoadTopScores();
    std::string stored = Read("torvanex.rec");
    const auto flip = [&](size_t at, int bits) { stored[at] = static_cast<char>(stored[at] ^ bits); };
    flip(Offset(3, 2) + 21, 0x07);  // score 0 becomes 7 ...
    flip(Offset(3, 2) + 24, 0x80);  // ... minus 2^31
    flip(Offset(3, 2), 20 ^ 3);     // name cut to "No "
    flip(Offset(0, 1), 20 ^ 255);   // a length no name may have
    Write("torvanex.rec", stored);
    Restart();
    LoadTopScores();
    EXPECT_EQ(ScoreValue(3, 2), static_cast<int32_t>(0x80000007u));
    EXPECT_EQ(ScoreName(3, 2), "No ");
    EXPECT_EQ(ScoreName(0, 1), "No name             ") << "a length above 20 reads as 20";
    EXPECT_EQ(ScoreValue(0, 1), 0);
    EXPECT_EQ(Read("torvanex.rec"), stored) << "a 750-byte file is taken unchanged";
    Persist.ScoresChanged = 1;
    SaveTopScores();
    EXPECT_EQ(Read("torvanex.rec"), stored) << "and written back exactly as read";

    ShortenScoreName(0, 1, 25);
    EXPECT_EQ(Persist.TopScores[Offset(0, 1)], 255) << "nothing to shorten";
    ShortenScoreName(0, 1, 4);
    ShortenScoreName(0, 1, 6);
    EXPECT_EQ(ScoreName(0, 1), "No n") << "shortened, never lengthened";
    Persist.TopScores[Offset(0, 1)] = 255;
    InsertTopScore("Best", 9000);
    EXPECT_EQ(Persist.TopScores[Offset(0, 2)], 255) << "a damaged entry moves down whole";
    InsertTopScore("ABCDEFGHIJKLMNOPQRSTUVWXY", 9500);
    EXPECT_EQ(Persist.TopScores[Offset(0, 0)], 20);
    EXPECT_EQ(ScoreName(0, 0), "ABCDEFGHIJKLMNOPQRST") << "a new name keeps at most twenty characters";
}

TEST_F(PersistTest, QualifyingAndRanking) {
    // A custom table holds A 500, B 400, C 300, D 200, E 100; the new entry is N.
    const struct { int mode, level; bool custom; int32_t score; std::vector<int32_t> after; const char* initials; } cases[] = {
        {0, 0, false, 0, {3390, 0, 0, 0, 0}, "ANNNN"},  // 0 never enters a default table
        {1, 1, false, -4, {762, 0, 0, 0, 0}, "ANNNN"},
        {2, 1, false, 497, {497, 496, 0, 0, 0}, "NANNN"},
        {2, 1, false, 496, {496, 496, 0, 0, 0}, "ANNNN"},  // equal goes below
        {1, 0, false, 1, {1307, 1, 0, 0, 0}, "ANNNN"},
        {0, 1, true, 600, {600, 500, 400, 300, 200}, "NABCD"},
        {0, 1, true, 150, {500, 400, 300, 200, 150}, "ABCDN"},
        {0, 1, true, 300, {500, 400, 300, 300, 200}, "ABCND"},
        {0, 1, true, 100, {500, 400, 300, 200, 100}, "ABCDE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.score);
        Restart();
        Game.GameMode = c.mode;
        Game.Level = c.level;
        const int table = c.mode * 2 + c.level;
        for (int row = 0; c.custom && row < 5; ++row) {
            uint8_t* e = Persist.TopScores + Offset(table, row);
            e[0] = 1;
            e[1] = static_cast<uint8_t>('A' + row);
            e[21] = static_cast<uint8_t>((500 - 100 * row) & 0xFF);
            e[22] = static_cast<uint8_t>((500 - 100 * row) >> 8);
        }
        uint8_t before[750];
        std::memcpy(before, Persist.TopScores, sizeof before);
        const bool enters = c.after != Table(table).first;

        EXPECT_EQ(Qualifies(c.score), enters);
        InsertTopScore("New", c.score);
        EXPECT_EQ(Table(table), std::pair(c.after, std::string(c.initials)));
        EXPECT_EQ(Persist.ScoresChanged, enters ? 1 : 0);
        std::memcpy(before + Offset(table, 0), Persist.TopScores + Offset(table, 0), 125);
        EXPECT_EQ(std::memcmp(before, Persist.TopScores, sizeof before), 0) << "other tables are untouched";
    }
}

// Writing the default tables goes the way of a save, whose every failing step
// SaveTest.SaveCutOffAtEveryStep tries.
TEST_F(PersistTest, ScoreFileFailuresAreFatal) {
    // Reading a 750-byte file that is there, or writing the default one.
    const struct { bool present; hl::FileOp op; int code; const char* digits; } cases[] = {
        {true, hl::FileOp::Read, 5, "   5"}, {false, hl::FileOp::Create, 3, "   3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        Restart();
        Remove("torvanex.rec");
        if (c.present) Write("torvanex.rec", std::string(750, 'a'));
        hl::InjectFileError("torvanex.rec", c.op, c.code);
        EXPECT_EQ(ExitStatusOf([] { LoadTopScores(); }), 1);
        ExpectOneMessage(FileError(c.digits));
        EXPECT_EQ(Read("torvanex.rec"), c.present ? std::string(750, 'a') : "<missing>");
        EXPECT_EQ(Names().size(), c.present ? 1u : 0u) << "no temporary is left behind";
    }
}
