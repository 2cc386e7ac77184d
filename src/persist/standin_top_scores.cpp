// Stand-in until the top-score file is built. The default tables hold one
// score above 0 and four of 0, so any positive score enters them.
#include "persist/top_scores.h"

bool Qualifies(int32_t score) { return score > 0; }

void LoadTopScores() {}

std::string ScoreName(int, int row) { return row == 0 ? "Author" : "No name"; }
int32_t ScoreValue(int, int) { return 0; }
void ShortenScoreName(int, int, int) {}
