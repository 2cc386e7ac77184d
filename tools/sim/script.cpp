// Turns a script into timed window messages and plays them into the game from
// its start-up, running main-loop passes on the virtual clock.
#include "script.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>
#include <utility>

#include "board/board_state.h"
#include "frontend/front_state.h"
#include "graphics/surfaces.h"
#include "moves/moves_state.h"
#include "persist/top_scores.h"
#include "platform/common/message_queue.h"
#include "platform/headless/headless.h"
#include "services/files.h"
#include "services/random.h"
#include "shell/shell.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace hl = platform::headless;
using platform::Message;
using platform::MsgKind;

const char* const kSimUsage =
    "usage: torvanex-sim [--utc HH:MM:SS.mmm] [--mode M] [--level L] [--speed S] [--script FILE]\n"
    "                    [--screenshot FILE.bmp] [ACTION ...]\n"
    "actions: wait:MS  ticks:K  key:NAME  type:TEXT  move:X,Y  click:X,Y,left|right\n"
    "         press:C,R,left|right  rotate:C,R,left|right  slide:C,R,C2  shift:left|right\n"
    "         lose-display  close  dump  dump:effects  dump:files  dump:panel  dump:screen  dump:scores\n";

namespace {

bool ParseInt(const std::string& text, int low, int high, int& out) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    out = std::atoi(text.c_str());
    return out >= low && out <= high;
}

bool ParseUtc(const std::string& text, platform::TimeOfDay& out) {
    if (text.size() != 12 || text[2] != ':' || text[5] != ':' || text[8] != '.') return false;
    return ParseInt(text.substr(0, 2), 0, 23, out.hour) && ParseInt(text.substr(3, 2), 0, 59, out.minute) &&
           ParseInt(text.substr(6, 2), 0, 59, out.second) && ParseInt(text.substr(9, 3), 0, 999, out.millisecond);
}

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, by)) parts.push_back(part);
    if (!text.empty() && text.back() == by) parts.emplace_back();
    return parts;
}

// Keys by name: the virtual key the backend reports and the character it
// types, if any (0 for none).
struct KeyName {
    const char* name;
    uint32_t virtualKey;
    uint32_t character;
};
constexpr KeyName kKeys[] = {
    {"Escape", 0x1B, 27},   {"Enter", 0x0D, 13},   {"Backspace", 0x08, 8}, {"Tab", 0x09, 9},
    {"Space", 0x20, 32},    {"Left", 0x25, 0},     {"Up", 0x26, 0},        {"Right", 0x27, 0},
    {"Down", 0x28, 0},      {"PageUp", 0x21, 0},   {"PageDown", 0x22, 0},  {"End", 0x23, 0},
    {"Home", 0x24, 0},      {"Insert", 0x2D, 0},   {"Delete", 0x2E, 0},    {"F1", 0x70, 0},
    {"F2", 0x71, 0},        {"F3", 0x72, 0},       {"F4", 0x73, 0},        {"F5", 0x74, 0},
    {"F6", 0x75, 0},        {"F7", 0x76, 0},       {"F8", 0x77, 0},        {"F9", 0x78, 0},
    {"F10", 0x79, 0},       {"F11", 0x7A, 0},      {"F12", 0x7B, 0},
};

bool LookUpKey(const std::string& name, KeyName& out) {
    for (const KeyName& k : kKeys)
        if (name == k.name) {
            out = k;
            return true;
        }
    // A single printable character types itself; letters and digits are keys too.
    if (name.size() == 1 && static_cast<unsigned char>(name[0]) > 32) {
        const char c = name[0];
        const uint32_t vk = (c >= 'a' && c <= 'z') ? static_cast<uint32_t>(c - 'a' + 'A')
                            : ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) ? static_cast<uint32_t>(c)
                                                                                   : 0;
        out = {"", vk, static_cast<unsigned char>(c)};
        return true;
    }
    return false;
}

struct CellTarget {
    int x, y;
};
CellTarget CellCentre(int col, int row) { return {CellX(col) + kCellSize / 2, CellY(row) + kCellSize / 2}; }

// One point of the timeline: messages to deliver, or something the runner does.
enum class EventKind { Message, Dump, DumpEffects, DumpFiles, DumpPanel, DumpScreen, DumpScores, LoseDisplay };
struct TimedEvent {
    int64_t atMs;
    EventKind kind;
    Message message;
};

// Builds the timeline of `actions`; false (with the problem) for a bad action.
std::optional<std::string> Timeline(const std::vector<std::string>& actions, std::vector<TimedEvent>& out,
                                    int64_t& endMs) {
    int64_t t = 0;
    const auto post = [&](MsgKind kind, uint32_t w = 0, int x = 0, int y = 0) {
        out.push_back({t, EventKind::Message, Message{kind, w, x, y}});
    };
    const auto button = [&](const std::string& which, MsgKind left, MsgKind right) {
        return which == "left" ? left : right;
    };
    for (const std::string& action : actions) {
        const size_t colon = action.find(':');
        const std::string verb = action.substr(0, colon);
        const std::string arg = colon == std::string::npos ? std::string() : action.substr(colon + 1);
        const std::vector<std::string> p = Split(arg, ',');
        int a = 0, b = 0, c = 0;
        const auto bad = [&] { return std::optional<std::string>("bad action '" + action + "'"); };
        // Actions that are the runner's own, not messages to the game.
        static const std::pair<std::string_view, EventKind> kRunnerActions[] = {
            {"dump", EventKind::Dump},           {"dump:effects", EventKind::DumpEffects},
            {"dump:files", EventKind::DumpFiles}, {"dump:panel", EventKind::DumpPanel},
            {"dump:screen", EventKind::DumpScreen}, {"dump:scores", EventKind::DumpScores},
            {"lose-display", EventKind::LoseDisplay}};
        const auto runner = std::find_if(std::begin(kRunnerActions), std::end(kRunnerActions),
                                         [&](const auto& entry) { return entry.first == action; });
        if (runner != std::end(kRunnerActions)) {
            out.push_back({t, runner->second, {}});
        } else if (action == "close") {
            post(MsgKind::Close);
        } else if (verb == "wait") {
            if (!ParseInt(arg, 0, 100000000, a)) return bad();
            t += a;
        } else if (verb == "ticks") {
            // K frame ticks' worth of time: 18 ticks a second.
            if (!ParseInt(arg, 0, 100000000, a)) return bad();
            t += (static_cast<int64_t>(a) * 1000 + 17) / 18;
        } else if (verb == "shift" && (arg == "left" || arg == "right")) {
            post(MsgKind::KeyDown, arg == "left" ? 0x25 : 0x27);
        } else if (verb == "key") {
            KeyName key;
            if (!LookUpKey(arg, key)) return bad();
            if (key.virtualKey) post(MsgKind::KeyDown, key.virtualKey);
            if (key.character) post(MsgKind::Char, key.character);
        } else if (verb == "type") {
            for (const char ch : arg) post(MsgKind::Char, static_cast<unsigned char>(ch));
        } else if (verb == "move" && p.size() == 2 && ParseInt(p[0], 0, 799, a) && ParseInt(p[1], 0, 599, b)) {
            post(MsgKind::MouseMove, 0, a, b);
        } else if (verb == "click" && p.size() == 3 && ParseInt(p[0], 0, 799, a) && ParseInt(p[1], 0, 599, b) &&
                   (p[2] == "left" || p[2] == "right")) {
            post(MsgKind::MouseMove, 0, a, b);
            post(button(p[2], MsgKind::LButtonDown, MsgKind::RButtonDown), 0, a, b);
            post(button(p[2], MsgKind::LButtonUp, MsgKind::RButtonUp), 0, a, b);
        } else if ((verb == "press" || verb == "rotate") && p.size() == 3 && ParseInt(p[0], 0, 11, a) &&
                   ParseInt(p[1], 0, 11, b) && (p[2] == "left" || p[2] == "right")) {
            const CellTarget at = CellCentre(a, b);
            post(MsgKind::MouseMove, 0, at.x, at.y);
            post(button(p[2], MsgKind::LButtonDown, MsgKind::RButtonDown), 0, at.x, at.y);
            post(button(p[2], MsgKind::LButtonUp, MsgKind::RButtonUp), 0, at.x, at.y);
        } else if (verb == "slide" && p.size() == 3 && ParseInt(p[0], 0, 11, a) && ParseInt(p[1], 0, 11, b) &&
                   ParseInt(p[2], 0, 11, c)) {
            const CellTarget from = CellCentre(a, b), to = CellCentre(c, b);
            post(MsgKind::MouseMove, 0, from.x, from.y);
            post(MsgKind::LButtonDown, 0, from.x, from.y);
            post(MsgKind::MouseMove, 0, to.x, to.y);
            post(MsgKind::LButtonUp, 0, to.x, to.y);
        } else {
            return "unknown action '" + action + "'";
        }
    }
    endMs = t;
    return std::nullopt;
}

void PrintCells(std::string& out, const char* title, const uint8_t* cells) {
    out += std::string(title) + ":\n";
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col)
            out += std::to_string(cells[CellIndex(col, row)]) + (col == kBoardSize - 1 ? "\n" : " ");
}

void Dump(std::string& out) {
    char header[200];
    std::snprintf(header, sizeof header, "seed=%u mode=%d level=%d speed=%d score=%d pieces=%d state=%d\n",
                  Random.LastReseed, Game.GameMode, Game.Level, Game.Speed, Game.Score, Game.PieceCount,
                  Game.ScreenState);
    out += header;
    PrintCells(out, "board", Game.Board);
    PrintCells(out, "locks", Game.LockFlags);
    out += "walls:\n";
    for (int row = 0; row < kBoardSize; ++row)
        for (int col = 0; col < kBoardSize; ++col) {
            const uint8_t* w = &Game.Walls[CellIndex(col, row) * 4];
            for (int side = 0; side < 4; ++side) out += static_cast<char>('0' + w[side]);
            out += col == kBoardSize - 1 ? "\n" : " ";
        }
}

// The effects played since the last such dump, by number, in order.
void DumpEffects(std::string& out, size_t& shown) {
    const auto& played = hl::Get().effectsPlayed;
    out += "effects:";
    for (; shown < played.size(); ++shown) {
        out += ' ';
        out += std::to_string(played[shown].effect);
    }
    out += "\n";
}

// The settings and score files as they stand in the program folder.
void DumpFiles(std::string& out, const std::string& folder) {
    for (const char* name : {"torvanex.cfg", "nskin", "ngame", "level", "torvanex.rec"}) {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        if (!in) {
            out += std::string("file ") + name + " missing\n";
            continue;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        out += std::string("file ") + name + " " + std::to_string(bytes.size()) + " bytes:";
        bool text = !bytes.empty();
        for (const char b : bytes) text = text && ((b >= 32 && b < 127) || b == '\r' || b == '\n');
        if (text) {
            out += ' ';
            for (const char b : bytes) out += b == '\r' ? std::string("\\r") : b == '\n' ? std::string("\\n") : std::string(1, b);
        } else if (bytes.size() <= 200) {
            char hex[4];
            for (const char b : bytes) {
                std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned char>(b));
                out += hex;
            }
        } else {
            uint32_t hash = 2166136261u;  // FNV-1a: enough to tell two contents apart
            for (const char b : bytes) hash = (hash ^ static_cast<unsigned char>(b)) * 16777619u;
            char text[32];
            std::snprintf(text, sizeof text, " fnv1a %08x", hash);
            out += text;
        }
        out += "\n";
    }
}

// The options the panel sets and what it asked of the desktop; the program
// folder shows as <folder>, so the dump does not depend on where the run was.
void DumpPanel(std::string& out, const std::string& folder) {
    char line[200];
    std::snprintf(line, sizeof line, "panel: skin=%d hover=%d sound=%d music=%d views=%d minimised=%d\n",
                  Game.SkinIndex, Game.HoverButton, Sound.SoundOn, Music.MusicOn, Front.ScoresViewMode,
                  hl::Get().minimiseCount);
    out += line;
    for (std::string url : hl::Get().urlsOpened) {
        if (const size_t at = url.find(folder); at != std::string::npos) url.replace(at, folder.size(), "<folder>");
        out += "url opened: " + url + "\n";
    }
}

// Bytes outside plain ASCII, and the quote and backslash, as \xNN.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 32 || b > 126 || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// What the screen is doing beyond the board: the help page and where the help
// goes back to, and the name being typed with its caret.
void DumpScreen(std::string& out) {
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, "screen state=%d help-page=%d return=%d name=", Game.ScreenState,
                  Front.HelpPage, Front.ReturnState);
    out += numbers;
    out += Quoted(Moves.EntryName);
    std::snprintf(numbers, sizeof numbers, " caret=%d\n", Moves.Caret.pos);
    out += numbers;
}

// The top-score table of the current mode and level, best first.
void DumpScores(std::string& out) {
    const int table = CurrentScoreTable();
    char number[40];
    std::snprintf(number, sizeof number, "scores table %d:", table);
    out += number;
    for (int row = 0; row < kScoreRows; ++row) {
        out += ' ';
        out += Quoted(ScoreName(table, row));
        std::snprintf(number, sizeof number, " %d", ScoreValue(table, row));
        out += number;
    }
    out += '\n';
}

void WriteByteFile(const std::string& path, int value) {
    std::ofstream(path, std::ios::binary).put(static_cast<char>(value));
}

}  // namespace

std::optional<std::string> AddArgument(const std::string& arg, const std::string* next, bool& usedNext,
                                       SimOptions& options) {
    usedNext = false;
    const bool takesValue = arg == "--utc" || arg == "--mode" || arg == "--level" || arg == "--speed";
    if (takesValue) {
        if (!next) return "missing value for " + arg;
        usedNext = true;
        bool ok = false;
        if (arg == "--utc") ok = ParseUtc(*next, options.utc);
        if (arg == "--mode") ok = ParseInt(*next, 0, 2, options.mode);
        if (arg == "--level") ok = ParseInt(*next, 0, 1, options.level);
        if (arg == "--speed") ok = ParseInt(*next, 0, 9, options.speed);
        if (!ok) return "bad value for " + arg;
        return std::nullopt;
    }
    std::vector<TimedEvent> ignored;
    int64_t end = 0;
    if (auto problem = Timeline({arg}, ignored, end)) return problem;
    options.actions.push_back(arg);
    return std::nullopt;
}

std::optional<std::string> ReadScript(const std::string& path, SimOptions& options) {
    std::ifstream in(path);
    if (!in) return "cannot read the script " + path;
    std::vector<std::string> words;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream split(line);
        for (std::string word; split >> word;) words.push_back(word);
    }
    for (size_t i = 0; i < words.size(); ++i) {
        bool usedNext = false;
        const std::string* next = i + 1 < words.size() ? &words[i + 1] : nullptr;
        if (auto problem = AddArgument(words[i], next, usedNext, options)) return path + ": " + *problem;
        if (usedNext) ++i;
    }
    return std::nullopt;
}

SimResult RunScript(const SimOptions& options, const std::string& folder) {
    SimResult result;
    std::vector<TimedEvent> events;
    int64_t endMs = 0;
    if (auto problem = Timeline(options.actions, events, endMs)) {
        result.status = 2;
        result.output = *problem + "\n";
        return result;
    }
    for (const TimedInput& in : options.input) {
        events.push_back({in.atMs, in.loseDisplay ? EventKind::LoseDisplay : EventKind::Message, in.message});
        endMs = std::max(endMs, in.atMs);
    }
    if (!options.input.empty())
        std::stable_sort(events.begin(), events.end(),
                         [](const TimedEvent& a, const TimedEvent& b) { return a.atMs < b.atMs; });
    hl::Reset();
    hl::Get().startOfDay = options.utc;
    hl::Get().executablePath = folder + "/torvanex";
    ResetProgramState();
    if (options.mode >= 0) WriteByteFile(folder + "/ngame", options.mode);
    if (options.level >= 0) WriteByteFile(folder + "/level", options.level);
    // A millisecond late, so that input comes after the activation that showing
    // the window sends, as it does on the desktop.
    for (const TimedEvent& e : events)
        if (e.kind == EventKind::Message) hl::Schedule(e.atMs + 1, e.message);

    size_t effectsShown = 0;
    // Runs until the clock reaches `ms` and the input due by then is handled;
    // input due later waits, even when the clock has just jumped to it.
    const auto runUntil = [&](int64_t ms) {
        while (!result.quit && (hl::NowMs() < ms || (hl::NowMs() == ms && !platform::queue::Empty()))) {
            if (RunPass() == PassResult::Quit) result.quit = true;
            if (options.afterPass) options.afterPass();
        }
    };
    try {
        if (!StartUp()) {
            result.status = 1;
            return result;
        }
        if (options.speed >= 0) Game.Speed = options.speed;
        for (const TimedEvent& e : events) {
            if (e.kind == EventKind::Message) continue;
            runUntil(e.atMs);
            // Once the game has closed, the dumps still show how it ended.
            if (result.quit && e.kind == EventKind::LoseDisplay) continue;
            switch (e.kind) {
                case EventKind::Dump: Dump(result.output); break;
                case EventKind::DumpEffects: DumpEffects(result.output, effectsShown); break;
                case EventKind::DumpFiles: DumpFiles(result.output, folder); break;
                case EventKind::DumpPanel: DumpPanel(result.output, folder); break;
                case EventKind::DumpScreen: DumpScreen(result.output); break;
                case EventKind::DumpScores: DumpScores(result.output); break;
                case EventKind::LoseDisplay: hl::LoseAllSurfaces(); break;
                case EventKind::Message: break;
            }
        }
        runUntil(endMs);
        result.status = result.quit ? QuitStatus() : 0;
    } catch (const hl::ProcessExit& exit) {
        for (const auto& box : hl::Get().messageBoxes) result.output += "message box: " + box.text + "\n";
        result.status = exit.status == 0 ? 1 : exit.status;
    }
    Dump(result.output);
    return result;
}

bool WriteScreenshot(const std::string& path) {
    const SurfaceSlot& screen = Display.Slots[PrimarySlot];
    if (!screen.present) return false;
    const int w = hl::SurfaceWidth(screen.surface), h = hl::SurfaceHeight(screen.surface);
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t dataBytes = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(h);
    std::ofstream out(path, std::ios::binary);
    const auto u16 = [&](uint16_t v) { out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8)); };
    const auto u32 = [&](uint32_t v) { u16(static_cast<uint16_t>(v & 0xFFFF)), u16(static_cast<uint16_t>(v >> 16)); };
    out.write("BM", 2);
    u32(54 + dataBytes), u32(0), u32(54);
    u32(40), u32(static_cast<uint32_t>(w)), u32(static_cast<uint32_t>(h)), u16(1), u16(24), u32(0), u32(dataBytes);
    u32(2835), u32(2835), u32(0), u32(0);
    std::string row(static_cast<size_t>(rowBytes), '\0');
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const uint16_t p = hl::Pixel(screen.surface, x, y);
            const int r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
            row[static_cast<size_t>(x) * 3] = static_cast<char>(b << 3 | b >> 2);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(g << 2 | g >> 4);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(r << 3 | r >> 2);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}
