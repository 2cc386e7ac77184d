// The top-score tables: five entries for every game mode and level.
#pragma once

#include <cstdint>
#include <string>

// True when `score` beats at least one entry of the table of the current mode and level.
bool Qualifies(int32_t score);
// Reads "torvanex.rec", or writes the default tables when it is missing.
void LoadTopScores();
// Entry `row` (0..4) of table `table` (GameMode x 2 + Level): the name, never
// longer than 20 characters, and the score.
std::string ScoreName(int table, int row);
int32_t ScoreValue(int table, int row);
// Cuts the stored name to `length` characters.
void ShortenScoreName(int table, int row, int length);
