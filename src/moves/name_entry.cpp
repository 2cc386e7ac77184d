// The name entry for a new top score: a box over the game screen with a prompt,
// a one-line text field with its caret, and OK and Cancel.
#include "moves/name_entry.h"

#include <string>

#include "board/board_state.h"
#include "board/drawing.h"
#include "board/front_end_calls.h"
#include "graphics/atlas.h"
#include "graphics/cursor.h"
#include "graphics/surfaces.h"
#include "graphics/text.h"
#include "graphics/wait.h"
#include "moves/caret.h"
#include "moves/moves_state.h"
#include "persist/top_scores.h"

namespace {

constexpr size_t kNameCapacity = 25;
constexpr const char* kPrompt = "Enter your name (25 chars):";
constexpr int kPromptX = 270, kPromptY = 222;
constexpr int64_t kPressedMs = 300, kReleasedMs = 200;
constexpr uint8_t kPress = 0, kBackspace = 8, kEnter = 13, kEscape = 27, kFirstTyped = 32;

// Entries of the colour table.
constexpr int kBoxLight = 25, kBoxFill = 24, kBoxDark = 26;
constexpr int kFieldLight = 5, kFieldFill = 6, kFieldDark = 4;
constexpr int kPromptColour = 20, kNameColour = 0;

constexpr ScreenArea kBox = AreaOf("name_entry_box");
constexpr ScreenArea kTextBox = AreaOf("name_text_box");
constexpr ScreenArea kField = AreaOf("name_text_field");
// Plain field right of where any text may reach: the eraser of Backspace.
constexpr ScreenArea kBlankStrip = AreaOf("name_blank_strip");
constexpr ScreenArea kOkArea = AreaOf("name_ok_click");
constexpr ScreenArea kCancelArea = AreaOf("name_cancel_click");
constexpr Picture kOk = WorkPicture("ok_normal");
constexpr Picture kOkPressed = WorkPicture("ok_pressed");
constexpr Picture kCancel = WorkPicture("cancel_normal");
constexpr Picture kCancelPressed = WorkPicture("cancel_pressed");
constexpr Picture kCaretBar = WorkPicture("caret_bar");
constexpr Picture kCaretSave = WorkPicture("caret_save_column");
// A typed letter is drawn in the corner of the ComposeSlot, in a cell as big as
// the eraser, and pasted keyed onto the field.
constexpr int kLetterW = kBlankStrip.w, kLetterH = kBlankStrip.h;

uint16_t Colour(int entry) { return Text.ColourTable[entry]; }

bool In(const ScreenArea& a) {
    return PointerIn(static_cast<uint16_t>(a.x), static_cast<uint16_t>(a.y), static_cast<uint16_t>(a.w),
                     static_cast<uint16_t>(a.h));
}

void SetUpCaret(int pos) {
    InitCaret(Moves.Caret, pos, kCaretBar.left, kCaretBar.top, kCaretSave.left, kCaretSave.top, kField.x, kField.y,
              kCaretBar.height(), 0, &Moves.EntryName);
}

int NameLength() { return static_cast<int>(Moves.EntryName.size()); }

// The button looks pressed for a moment, then the game-over screen comes back.
void Close(const Picture& pressed, const Picture& normal, bool store) {
    BeginDrawing();
    CopyPicture(pressed, PrimarySlot);
    EndDrawing();
    WaitMs(true, kPressedMs);
    BeginDrawing();
    CopyPicture(normal, PrimarySlot);
    EndDrawing();
    WaitMs(true, kReleasedMs);
    if (store) InsertTopScore(Moves.EntryName, Game.Score);
    Game.ScreenState = GameOver;
    FrontEnd.ShowGameScreen();
}

void EraseLast() {
    if (Moves.EntryName.empty()) return;
    BeginDrawing();
    HideCaret(Moves.Caret);
    Moves.EntryName.pop_back();
    BlitOpaque(kBlankStrip.x, kBlankStrip.y, kBlankStrip.x + kBlankStrip.w - 1, kBlankStrip.y + kBlankStrip.h - 1,
               CaretX(Moves.Caret, NameLength()), kField.y, PrimarySlot, PrimarySlot);
    ShowCaretAt(Moves.Caret, NameLength());
    EndDrawing();
}

void Append(uint8_t c) {
    const std::string longer = Moves.EntryName + static_cast<char>(c);
    if (longer.size() > kNameCapacity || kField.x + MeasureString(0, Text.LargeFont, longer) >= kField.x + kField.w)
        return;
    {
        SlotWriter writer(ComposeSlot);
        writer.Fill(0, 0, kLetterW, kLetterH, Colour(kPlainEntry));
        writer.Text(0, 0, 1, Colour(kNameColour), Text.LargeFont, longer.substr(longer.size() - 1));
    }
    BeginDrawing();
    HideCaret(Moves.Caret);
    BlitKeyed(0, 0, kLetterW - 1, kLetterH - 1, CaretX(Moves.Caret, NameLength()), kField.y, ComposeSlot, PrimarySlot);
    Moves.EntryName = longer;
    ShowCaretAt(Moves.Caret, NameLength());
    EndDrawing();
}

}  // namespace

void ResetNameField() {
    Moves.EntryName.clear();
    SetUpCaret(0);
    BeginDrawing();
    BlitOpaque(0, 0, 799, 599, 0, 0, PrimarySlot, ComposeSlot);
    EndDrawing();
}

void OpenNameEntry() {
    Game.ScreenState = NameEntry;
    if (Moves.Caret.text != &Moves.EntryName) SetUpCaret(NameLength());
    {
        SlotWriter writer(ComposeSlot);
        writer.Bevel(kBox.x, kBox.y, kBox.w, kBox.h, kBoxLight, kBoxFill, kBoxDark);
        writer.Bevel(kTextBox.x, kTextBox.y, kTextBox.w, kTextBox.h, kFieldLight, kFieldFill, kFieldDark);
        writer.Text(kPromptX, kPromptY, 0, Colour(kPromptColour), Text.LargeFont, kPrompt);
        writer.Text(kField.x, kField.y, 0, Colour(kNameColour), Text.LargeFont, Moves.EntryName);
    }
    CopyPicture(kOk, ComposeSlot);
    CopyPicture(kCancel, ComposeSlot);
    BeginDrawing();
    BlitOpaque(kBox.x, kBox.y, kBox.x + kBox.w - 1, kBox.y + kBox.h - 1, kBox.x, kBox.y, ComposeSlot, PrimarySlot);
    ShowCaretAt(Moves.Caret, Moves.Caret.pos);
    EndDrawing();
}

void NameEntryInput(uint8_t code) {
    switch (code) {
        case kPress:
            if (In(kOkArea))
                Close(kOkPressed, kOk, true);
            else if (In(kCancelArea))
                Close(kCancelPressed, kCancel, false);
            break;
        case kEnter:
            Close(kOkPressed, kOk, true);
            break;
        case kEscape:
            Close(kCancelPressed, kCancel, false);
            break;
        case kBackspace:
            EraseLast();
            break;
        default:
            if (code >= kFirstTyped) Append(code);
            break;
    }
}

void BlinkCaret() { TickCaret(Moves.Caret); }
