// The top-score tables: five entries for every game mode and level, kept in
// one 750-byte block that is stored word-scrambled in "torvanex.rec".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kScoreTables = 6;          // table = GameMode x 2 + Level
constexpr int kScoreRows = 5;            // best first
constexpr int kScoreNameCapacity = 20;
constexpr size_t kScoreEntryBytes = 25;  // length byte, 20 name bytes, int32 score (little-endian)
constexpr size_t kTopScoresBytes = kScoreTables * kScoreRows * kScoreEntryBytes;

struct PersistState {
    uint8_t TopScores[kTopScoresBytes] = {};  // plain values while the program runs
    uint8_t ScoresChanged = 0;                // an entry was inserted this run
    uint8_t SavedAll = 0;                     // SaveAll has run; it never runs twice
};
extern PersistState Persist;
// Back to the state at load: the default tables, nothing changed or saved.
void ResetPersistState();

// Reads "torvanex.rec"; a missing file, or one not exactly 750 bytes long, is
// replaced at once by the default tables. A failed read or write is fatal.
void LoadTopScores();
// Takes the bytes of a score file as stored: false (and nothing changed) when
// they are not exactly 750. The loader's one way in, and the fuzzer's.
bool TakeTopScoresFile(const uint8_t* bytes, size_t size);
// True when `score` beats at least one entry of the table of the current mode and level.
bool Qualifies(int32_t score);
// Puts `name` (its first 20 characters) and `score` into the current table
// below every entry that is as good or better; the last entry drops out.
void InsertTopScore(const std::string& name, int32_t score);
// Writes "torvanex.rec" when an entry was inserted; a failure is fatal.
void SaveTopScores();
// XORs word i of the block with i + k; applying it twice restores the block.
void ScrambleScores(uint8_t (&block)[kTopScoresBytes]);

// The table of the current mode and level, or -1 when they are out of range.
int CurrentScoreTable();
// An entry's name and score; a stored length above 20 (a damaged file) counts
// as 20. Out-of-range tables and rows read as an empty name and 0.
std::string ScoreName(int table, int row);
int32_t ScoreValue(int table, int row);
// Cuts the stored name to `length` characters when it is longer (the top-score
// screen fits long names this way); it never lengthens a name.
void ShortenScoreName(int table, int row, int length);
