// The caret of a one-line text field drawn straight onto the screen: a bar
// copied from the WorkSlot, with the screen column under it kept in a spare
// column of the WorkSlot so that hiding it puts the screen back.
#pragma once

#include <cstdint>
#include <string>

struct TextCaret {
    int32_t pos = 0;       // characters before the caret
    int32_t barX = 0, barY = 0;
    int32_t saveX = 0, saveY = 0;
    int32_t textX = 0, textY = 0;
    int32_t lastRow = 0;   // caret height - 1
    int32_t spacing = 0;
    int32_t blink = 0;     // frame ticks since the caret was last shown
    const std::string* text = nullptr;   // the caller's; none reads as empty
};

// Fills the record; draws nothing.
void InitCaret(TextCaret& caret, int pos, int barX, int barY, int saveX, int saveY, int textX, int textY, int height,
               int spacing, const std::string* text);
// Screen x right after the first p characters of the text, in the large font.
int32_t CaretX(const TextCaret& caret, int p);
void SaveUnderCaret(const TextCaret& caret, int p);
// Puts back what the caret covers at `pos`; the text must not have moved since.
void HideCaret(const TextCaret& caret);
void ShowCaretAt(TextCaret& caret, int p);
// One frame tick: hidden after 15 ticks shown, shown again 15 ticks later.
// Takes the cursor off around what it draws.
void TickCaret(TextCaret& caret);
