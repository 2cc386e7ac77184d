// The top-score tables: the scrambled file, damaged entries, and the ranking
// of new scores.
#include <cstring>

#include "board/board_state.h"
#include "persist/persist_fixture.h"
#include "persist/top_scores.h"

namespace hl = platform::headless;

namespace {

// Entries written by the layout of the file format: length, 20 name bytes, int32 LE.
size_t Offset(int table, int row) { return static_cast<size_t>(table * 125 + row * 25); }

void SetEntry(int table, int row, const std::string& name, int32_t score) {
    uint8_t* e = Persist.TopScores + Offset(table, row);
    std::memset(e, 0, 25);
    e[0] = static_cast<uint8_t>(name.size());
    std::memcpy(e + 1, name.data(), name.size());
    const auto v = static_cast<uint32_t>(score);
    for (int i = 0; i < 4; ++i) e[21 + i] = static_cast<uint8_t>(v >> (8 * i));
}

const char* const kPlayers[5] = {"Ann", "Bo", "Cy", "Di", "Ed"};

std::vector<int32_t> Scores(int table) {
    std::vector<int32_t> scores;
    for (int row = 0; row < 5; ++row) scores.push_back(ScoreValue(table, row));
    return scores;
}

}  // namespace

TEST_F(PersistTest, MissingScoreFileIsCreatedWithTheDefaultTables) {
    LoadTopScores();
    const std::string stored = Read("torvanex.rec");
    ASSERT_EQ(stored.size(), 750u);
    // Pinned scrambled words: the first (the "Author" length and 'A'), word 10
    // (the low byte of 3390) and the last. A changed offset breaks every file.
    EXPECT_EQ(static_cast<uint8_t>(stored[0]), 0xAB);
    EXPECT_EQ(static_cast<uint8_t>(stored[1]), 0x41);
    EXPECT_EQ(static_cast<uint8_t>(stored[20]), 0xB7);
    EXPECT_EQ(static_cast<uint8_t>(stored[21]), 0x3E);
    EXPECT_EQ(static_cast<uint8_t>(stored[748]), 0x23);
    EXPECT_EQ(static_cast<uint8_t>(stored[749]), 0x02);

    const int32_t authors[] = {3390, 2554, 1307, 762, 504, 496};
    for (int table = 0; table < 6; ++table) {
        EXPECT_EQ(ScoreName(table, 0), "Author");
        EXPECT_EQ(Scores(table), (std::vector<int32_t>{authors[table], 0, 0, 0, 0}));
        for (int row = 1; row < 5; ++row) EXPECT_EQ(ScoreName(table, row), "No name             ");
    }
    EXPECT_EQ(Persist.ScoresChanged, 0);
}

TEST_F(PersistTest, ScoreFileOfAnyOtherSizeIsReplacedAtOnce) {
    LoadTopScores();
    const std::string defaults = Read("torvanex.rec");
    for (size_t size : {0u, 1u, 749u, 751u, 1500u}) {
        SCOPED_TRACE(size);
        Fresh();
        Write("torvanex.rec", std::string(size, '\x55'));
        LoadTopScores();
        EXPECT_EQ(Read("torvanex.rec"), defaults);
        EXPECT_EQ(ScoreValue(0, 0), 3390);
        EXPECT_EQ(Names(), std::vector<std::string>{"torvanex.rec"});
        EXPECT_EQ(TakeLastIoResult(), 0);
    }
}

TEST_F(PersistTest, ScoreFileIsReadAndWrittenBackExactly) {
    std::string bytes(750, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37 + 11);
    Write("torvanex.rec", bytes);
    LoadTopScores();
    Persist.ScoresChanged = 1;
    SaveTopScores();
    EXPECT_EQ(Read("torvanex.rec"), bytes);
}

// Scrambling is an XOR, so a bit flipped in the stored file flips the same bit
// of the plain table: a default file with a few bytes changed tells what the
// loader must see, without knowing the offset.
TEST_F(PersistTest, ScoreFileValuesAndDamagedNames) {
    LoadTopScores();
    std::string stored = Read("torvanex.rec");
    const auto flip = [&](size_t at, uint8_t bits) { stored[at] = static_cast<char>(stored[at] ^ bits); };
    flip(Offset(3, 2) + 21, 0x07);       // score 0 -> 7
    flip(Offset(3, 2) + 24, 0x80);       // ... -> 7 - 2^31
    flip(Offset(3, 2), 20 ^ 3);          // name "No name..." cut to "No "
    flip(Offset(0, 1), 20 ^ 255);        // a length no name may have
    flip(Offset(5, 4) + 20, 'x' ^ ' ');  // the last name byte of the file
    Write("torvanex.rec", stored);
    Fresh();
    LoadTopScores();

    EXPECT_EQ(ScoreValue(3, 2), static_cast<int32_t>(0x80000007u));
    EXPECT_EQ(ScoreName(3, 2), "No ");
    EXPECT_EQ(ScoreName(0, 1), "No name             ") << "a length above 20 reads as 20";
    EXPECT_EQ(ScoreValue(0, 1), 0) << "the score beside a damaged name is intact";
    EXPECT_EQ(ScoreName(5, 4), "No name            x");
    EXPECT_EQ(Read("torvanex.rec"), stored) << "a 750-byte file is accepted unchanged";

    ShortenScoreName(0, 1, 25);
    EXPECT_EQ(Persist.TopScores[Offset(0, 1)], 255) << "shortening to more than 20 changes nothing";
    ShortenScoreName(0, 1, 4);
    EXPECT_EQ(ScoreName(0, 1), "No n");
    ShortenScoreName(0, 1, 6);
    EXPECT_EQ(ScoreName(0, 1), "No n") << "a name is never lengthened";
    ShortenScoreName(0, 1, -3);
    EXPECT_EQ(ScoreName(0, 1), "");

    // A damaged entry moves down whole when a better score comes in.
    Game.GameMode = 0;
    Game.Level = 0;
    SetEntry(0, 2, "", 0);
    Persist.TopScores[Offset(0, 2)] = 255;
    InsertTopScore("Best", 9000);
    EXPECT_EQ(Persist.TopScores[Offset(0, 3)], 255);
    EXPECT_EQ(ScoreName(0, 3).size(), 20u);
    EXPECT_EQ(ScoreName(0, 2), "");
    EXPECT_EQ(ScoreName(0, 0), "Best");
}

TEST_F(PersistTest, EntriesOutsideTheBlockReadAsEmpty) {
    for (auto [table, row] : {std::pair{-1, 0}, {6, 0}, {0, -1}, {0, 5}, {1000000, 0}}) {
        EXPECT_EQ(ScoreName(table, row), "");
        EXPECT_EQ(ScoreValue(table, row), 0);
        ShortenScoreName(table, row, 0);
    }
    Game.GameMode = 3;
    EXPECT_FALSE(Qualifies(1 << 30));
    InsertTopScore("Nobody", 1 << 30);
    EXPECT_EQ(Persist.ScoresChanged, 0);
}

TEST_F(PersistTest, QualifyingAndRanking) {
    struct Case {
        const char* name;
        int mode, level;
        bool custom;  // the table holds 500, 400, 300, 200, 100 instead of the defaults
        int32_t score;
        int rank;     // where the new entry lands; -1: it does not qualify
        std::vector<int32_t> after;
    } cases[] = {
        {"0 never enters a default table", 0, 0, false, 0, -1, {3390, 0, 0, 0, 0}},
        {"a negative score", 1, 1, false, -4, -1, {762, 0, 0, 0, 0}},
        {"one above the author", 2, 1, false, 497, 0, {497, 496, 0, 0, 0}},
        {"equal to the author goes below", 2, 1, false, 496, 1, {496, 496, 0, 0, 0}},
        {"1 beats the unnamed entries", 1, 0, false, 1, 1, {1307, 1, 0, 0, 0}},
        {"rank 1 pushes the last out", 0, 1, true, 600, 0, {600, 500, 400, 300, 200}},
        {"rank 5 replaces only the last", 0, 1, true, 150, 4, {500, 400, 300, 200, 150}},
        {"equal in the middle goes below", 0, 1, true, 300, 3, {500, 400, 300, 300, 200}},
        {"equal to the last does not enter", 0, 1, true, 100, -1, {500, 400, 300, 200, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        Game.GameMode = c.mode;
        Game.Level = c.level;
        const int table = c.mode * 2 + c.level;
        if (c.custom)
            for (int row = 0; row < 5; ++row) SetEntry(table, row, kPlayers[row], 500 - 100 * row);
        uint8_t before[750];
        std::memcpy(before, Persist.TopScores, sizeof before);

        EXPECT_EQ(Qualifies(c.score), c.rank >= 0);
        InsertTopScore("New", c.score);
        EXPECT_EQ(Scores(table), c.after);
        EXPECT_EQ(Persist.ScoresChanged, c.rank >= 0 ? 1 : 0);
        for (int row = 0; row < 5; ++row) {
            const size_t at = Offset(table, row);
            if (row == c.rank) {
                EXPECT_EQ(ScoreName(table, row), "New");
            } else {
                // Entries above stay; entries below are the ones that were one up.
                const size_t from = c.rank >= 0 && row > c.rank ? Offset(table, row - 1) : at;
                EXPECT_EQ(std::memcmp(Persist.TopScores + at, before + from, 25), 0) << "row " << row;
            }
        }
        EXPECT_EQ(std::memcmp(Persist.TopScores, before, Offset(table, 0)), 0) << "tables before are untouched";
        EXPECT_EQ(std::memcmp(Persist.TopScores + Offset(table + 1, 0), before + Offset(table + 1, 0),
                              750 - Offset(table + 1, 0)),
                  0)
            << "tables after are untouched";
    }
}

TEST_F(PersistTest, InsertedNamesKeepAtMostTwentyCharacters) {
    Game.GameMode = 1;
    Game.Level = 0;
    InsertTopScore("ABCDEFGHIJKLMNOPQRSTUVWXY", 5000);
    EXPECT_EQ(Persist.TopScores[Offset(2, 0)], 20);
    EXPECT_EQ(ScoreName(2, 0), "ABCDEFGHIJKLMNOPQRST");
    InsertTopScore("", 6000);
    EXPECT_EQ(ScoreName(2, 0), "");
    EXPECT_EQ(ScoreValue(2, 0), 6000);
}

TEST_F(PersistTest, ScoreFileFailuresAreFatal) {
    struct Case {
        const char* name;
        bool present;  // a 750-byte file is there to read
        hl::FileOp op;
        int code;
        const char* digits;
    } cases[] = {
        {"read at start-up", true, hl::FileOp::Read, 5, "   5"},
        {"create at start-up", false, hl::FileOp::Create, 3, "   3"},
        {"write at start-up", false, hl::FileOp::Write, 112, " 112"},
        {"flush at start-up", false, hl::FileOp::Close, 101, " 101"},
        {"rename at start-up", false, hl::FileOp::Rename, 32, "  32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        Remove("torvanex.rec");
        if (c.present) Write("torvanex.rec", std::string(750, 'a'));
        hl::InjectFileError("torvanex.rec", c.op, c.code);
        EXPECT_EQ(ExitStatusOf([] { LoadTopScores(); }), 1);
        ASSERT_EQ(hl::Get().messageBoxes.size(), 1u);
        EXPECT_EQ(hl::Get().messageBoxes[0].text, FileErrorText(c.digits));
        EXPECT_EQ(Read("torvanex.rec"), c.present ? std::string(750, 'a') : "<missing>");
        EXPECT_EQ(Names().size(), c.present ? 1u : 0u) << "no temporary is left behind";
    }
}
