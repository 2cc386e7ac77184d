// The text caret: where it stands, the column it covers, and its blink.
#include "moves/caret.h"

#include <algorithm>
#include <string_view>

#include "board/drawing.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"

namespace {

constexpr int kTicksShown = 15;
constexpr int kTicksPerBlink = 2 * kTicksShown;

}  // namespace

void InitCaret(TextCaret& caret, int pos, int barX, int barY, int saveX, int saveY, int textX, int textY, int height,
               int spacing, const std::string* text) {
    caret = TextCaret{pos, barX, barY, saveX, saveY, textX, textY, height - 1, spacing, 0, text};
}

int32_t CaretX(const TextCaret& caret, int p) {
    const std::string_view text = caret.text ? std::string_view(*caret.text) : std::string_view();
    const size_t count = static_cast<size_t>(std::clamp<int64_t>(p, 0, static_cast<int64_t>(text.size())));
    return caret.textX + MeasureString(caret.spacing, Text.LargeFont, text.substr(0, count));
}

void SaveUnderCaret(const TextCaret& caret, int p) {
    const int x = CaretX(caret, p);
    BlitOpaque(x, caret.textY, x, caret.textY + caret.lastRow, caret.saveX, caret.saveY, PrimarySlot, WorkSlot);
}

void HideCaret(const TextCaret& caret) {
    BlitOpaque(caret.saveX, caret.saveY, caret.saveX, caret.saveY + caret.lastRow, CaretX(caret, caret.pos),
               caret.textY, WorkSlot, PrimarySlot);
}

void ShowCaretAt(TextCaret& caret, int p) {
    SaveUnderCaret(caret, p);
    BlitOpaque(caret.barX, caret.barY, caret.barX, caret.barY + caret.lastRow, CaretX(caret, p), caret.textY,
               WorkSlot, PrimarySlot);
    caret.pos = p;
    caret.blink = 0;
}

void TickCaret(TextCaret& caret) {
    ++caret.blink;
    if (caret.blink == kTicksShown) {
        BeginDrawing();
        HideCaret(caret);
        EndDrawing();
    } else if (caret.blink >= kTicksPerBlink) {
        BeginDrawing();
        ShowCaretAt(caret, caret.pos);
        EndDrawing();
    }
}
