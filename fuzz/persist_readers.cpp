// Any bytes as "torvanex.cfg" and as "torvanex.rec". The configuration reader
// must end on every input; a score block of any content must be shown,
// shortened and ranked without reading or writing outside its entries. Bytes
// past the first 750 choose the moves made on the tables.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "board/board_state.h"
#include "persist/settings.h"
#include "persist/top_scores.h"

namespace {

void ReadAsConfig(const uint8_t* data, size_t size) {
    // In two pieces, so a line end split between two reads is met too.
    const char* text = reinterpret_cast<const char*>(data);
    ConfigReader reader;
    if (reader.Take(text, size / 2)) reader.Take(text + size / 2, size - size / 2);
    volatile ConfigSwitch sound = reader.Switches().sound;
    (void)sound;
}

void PlayOnTheTables(const uint8_t* moves, size_t count) {
    for (size_t at = 0; at + 6 <= count; at += 6) {
        const uint8_t* m = moves + at;
        Game.GameMode = m[0] % 4;  // 3: out of range on purpose
        Game.Level = (m[0] >> 2) % 2;
        int32_t score = 0;
        std::memcpy(&score, m + 1, sizeof score);
        if (Qualifies(score)) InsertTopScore(std::string(m[5] % 32, static_cast<char>(m[5])), score);
        ShortenScoreName(m[1] % 7 - 1, m[2] % 6, static_cast<int8_t>(m[3]));
    }
    for (int table = 0; table < kScoreTables; ++table) {
        for (int row = 0; row < kScoreRows; ++row) {
            if (ScoreName(table, row).size() > kScoreNameCapacity) __builtin_trap();
            volatile int32_t value = ScoreValue(table, row);
            (void)value;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReadAsConfig(data, size);

    ResetPersistState();
    if (TakeTopScoresFile(data, size) != (size == kTopScoresBytes)) __builtin_trap();
    if (size < kTopScoresBytes) return 0;
    TakeTopScoresFile(data, kTopScoresBytes);
    // What is loaded is what is saved again: scrambling twice changes nothing.
    uint8_t copy[kTopScoresBytes];
    std::memcpy(copy, Persist.TopScores, sizeof copy);
    ScrambleScores(copy);
    if (std::memcmp(copy, data, sizeof copy) != 0) __builtin_trap();
    PlayOnTheTables(data + kTopScoresBytes, size - kTopScoresBytes);
    return 0;
}
