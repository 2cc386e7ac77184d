// The top-score block: its defaults, the scrambled file, the ranking rule and
// safe access for the screens that show and shorten names.
#include "persist/top_scores.h"

#include <algorithm>
#include <cstring>

#include "board/board_state.h"
#include "platform/platform.h"
#include "services/files.h"
#include "services/messages.h"

namespace {

const char* const kScoreFileName = "torvanex.rec";

// The scrambling offset: word i of "torvanex.rec" is stored XORed with i + k.
// Every score file ever written depends on this value: it must never change.
constexpr uint16_t kScrambleOffset = 173;

constexpr int32_t kAuthorScores[kScoreTables] = {3390, 2554, 1307, 762, 504, 496};

uint8_t* Entry(uint8_t (&block)[kTopScoresBytes], int table, int row) {
    return block + (static_cast<size_t>(table) * kScoreRows + static_cast<size_t>(row)) * kScoreEntryBytes;
}

bool InRange(int table, int row) { return table >= 0 && table < kScoreTables && row >= 0 && row < kScoreRows; }

void PutEntry(uint8_t* entry, const std::string& name, int32_t score) {
    const size_t length = std::min(name.size(), static_cast<size_t>(kScoreNameCapacity));
    std::memset(entry, 0, kScoreEntryBytes);
    entry[0] = static_cast<uint8_t>(length);
    std::memcpy(entry + 1, name.data(), length);
    const auto value = static_cast<uint32_t>(score);
    for (int i = 0; i < 4; ++i) entry[21 + i] = static_cast<uint8_t>(value >> (8 * i));
}

void FillDefaults(uint8_t (&block)[kTopScoresBytes]) {
    for (int table = 0; table < kScoreTables; ++table) {
        PutEntry(Entry(block, table, 0), "Author", kAuthorScores[table]);
        for (int row = 1; row < kScoreRows; ++row) PutEntry(Entry(block, table, row), "No name             ", 0);
    }
}

// A failed write of the score file ends the game with the file error.
void WriteScoreFile(const uint8_t (&plain)[kTopScoresBytes]) {
    uint8_t stored[kTopScoresBytes];
    std::memcpy(stored, plain, sizeof stored);
    ScrambleScores(stored);
    SetLastIoResult(platform::ReplaceFileAtomically(SaveFile(kScoreFileName), stored, sizeof stored));
    CheckIo();
}

PersistState FreshPersistState() {
    PersistState state;
    FillDefaults(state.TopScores);
    return state;
}

}  // namespace

// The default tables until the file is read, so nothing ever ranks against an empty block.
PersistState Persist = FreshPersistState();

void ResetPersistState() { Persist = FreshPersistState(); }

void ScrambleScores(uint8_t (&block)[kTopScoresBytes]) {
    for (size_t i = 0; i < kTopScoresBytes / 2; ++i) {
        const auto mask = static_cast<uint16_t>(i + kScrambleOffset);
        block[2 * i] ^= static_cast<uint8_t>(mask);
        block[2 * i + 1] ^= static_cast<uint8_t>(mask >> 8);
    }
}

bool TakeTopScoresFile(const uint8_t* bytes, size_t size) {
    if (size != kTopScoresBytes) return false;
    std::memcpy(Persist.TopScores, bytes, kTopScoresBytes);
    ScrambleScores(Persist.TopScores);
    return true;
}

void LoadTopScores() {
    FillDefaults(Persist.TopScores);
    Persist.ScoresChanged = 0;
    platform::File* file = OpenGameFile(SaveFile(kScoreFileName), platform::FileMode::Read);
    if (file) {
        if (GameFileSize(file) == static_cast<int64_t>(kTopScoresBytes)) {
            uint8_t stored[kTopScoresBytes];
            ReadGameFile(file, stored, sizeof stored);
            CheckIo();
            TakeTopScoresFile(stored, sizeof stored);
            CloseGameFile(file);
            TakeLastIoResult();  // the scores are in; a failed close changes nothing
            return;
        }
        CloseGameFile(file);
    }
    // A missing score file is no error: the default tables take its place.
    TakeLastIoResult();
    WriteScoreFile(Persist.TopScores);
}

int CurrentScoreTable() {
    if (Game.GameMode < 0 || Game.GameMode > 2 || Game.Level < 0 || Game.Level > 1) return -1;
    return Game.GameMode * 2 + Game.Level;
}

int32_t ScoreValue(int table, int row) {
    if (!InRange(table, row)) return 0;
    const uint8_t* entry = Entry(Persist.TopScores, table, row);
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(entry[21 + i]) << (8 * i);
    return static_cast<int32_t>(value);
}

std::string ScoreName(int table, int row) {
    if (!InRange(table, row)) return {};
    const uint8_t* entry = Entry(Persist.TopScores, table, row);
    const size_t length = std::min<size_t>(entry[0], kScoreNameCapacity);
    return std::string(reinterpret_cast<const char*>(entry + 1), length);
}

void ShortenScoreName(int table, int row, int length) {
    if (!InRange(table, row)) return;
    uint8_t* entry = Entry(Persist.TopScores, table, row);
    const int stored = std::min<int>(entry[0], kScoreNameCapacity);
    if (length < stored) entry[0] = static_cast<uint8_t>(std::max(length, 0));
}

bool Qualifies(int32_t score) {
    const int table = CurrentScoreTable();
    if (table < 0) return false;
    for (int row = 0; row < kScoreRows; ++row)
        if (score > ScoreValue(table, row)) return true;
    return false;
}

void InsertTopScore(const std::string& name, int32_t score) {
    const int table = CurrentScoreTable();
    if (table < 0) return;
    int rank = 0;
    // An equal score goes below: the older entry keeps the better rank.
    while (rank < kScoreRows && ScoreValue(table, rank) >= score) ++rank;
    if (rank == kScoreRows) return;
    for (int row = kScoreRows - 1; row > rank; --row)
        std::memcpy(Entry(Persist.TopScores, table, row), Entry(Persist.TopScores, table, row - 1), kScoreEntryBytes);
    PutEntry(Entry(Persist.TopScores, table, rank), name, score);
    Persist.ScoresChanged = 1;
}

void SaveTopScores() {
    if (!Persist.ScoresChanged) return;
    // The block is scrambled on its way out only, so the tables in memory stay
    // readable after a save.
    WriteScoreFile(Persist.TopScores);
}
