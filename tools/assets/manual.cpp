// manual.html: the local manual page the home-page bar opens, with piece pictures cut
// from the first skin so the page shows exactly what the player sees on the board.
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data_out.h"
#include "generator.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "torvanex-assets: %s\n", what.c_str());
    std::exit(1);
}

// An uncompressed 24-bit bitmap, as the picture generator writes the skins.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;  // top row first
    std::uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y * width + x)]; }
};

std::uint32_t Le(const std::vector<std::uint8_t>& b, size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

Picture ReadBitmap(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), {});
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') Fail("not a bitmap: " + path);
    Picture p;
    p.width = static_cast<int>(Le(b, 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(Le(b, 22, 4));
    p.height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::uint32_t offset = Le(b, 10, 4);
    if (Le(b, 28, 2) != 24 || Le(b, 30, 4) != 0 || p.width <= 0 || p.width > 4096 || p.height > 4096)
        Fail("expected an uncompressed 24-bit bitmap: " + path);
    const size_t stride = (static_cast<size_t>(p.width) * 3 + 3) & ~size_t{3};
    if (offset + stride * static_cast<size_t>(p.height) > b.size()) Fail("bitmap is cut short: " + path);
    p.rgb.resize(static_cast<size_t>(p.width * p.height));
    for (int y = 0; y < p.height; ++y) {
        const size_t row = offset + stride * static_cast<size_t>(rawHeight < 0 ? y : p.height - 1 - y);
        for (int x = 0; x < p.width; ++x) {
            const size_t at = row + static_cast<size_t>(x) * 3;
            p.rgb[static_cast<size_t>(y * p.width + x)] =
                static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 1]) << 8 | b[at];
        }
    }
    return p;
}

struct Tile {
    int x, y;  // top-left of a 35 x 35 picture in the skin; x < 0 leaves a gap
};

// One illustration: rows of skin tiles laid side by side, written as a PNG data URI.
std::string Illustration(const Picture& skin, const std::vector<std::vector<Tile>>& rows) {
    constexpr int kCell = 35;
    const int width = static_cast<int>(rows.front().size()) * kCell;
    const int height = static_cast<int>(rows.size()) * kCell;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            for (int y = 0; y < kCell; ++y)
                for (int x = 0; x < kCell; ++x) {
                    const Tile& t = rows[r][c];
                    const bool inside = t.x >= 0 && t.x + kCell <= skin.width && t.y + kCell <= skin.height;
                    std::uint32_t pixel = inside ? skin.At(t.x + x, t.y + y) : 0x10182A;
                    auto* out = reinterpret_cast<std::uint32_t*>(
                        data + (static_cast<int>(r) * kCell + y) * stride);
                    out[static_cast<int>(c) * kCell + x] = pixel;
                }
    cairo_surface_mark_dirty(surface);
    std::vector<unsigned char> png;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* bytes, unsigned int length) {
            auto* sink = static_cast<std::vector<unsigned char>*>(closure);
            sink->insert(sink->end(), bytes, bytes + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(surface);
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string uri = "data:image/png;base64,";
    for (size_t i = 0; i < png.size(); i += 3) {
        std::uint32_t group = static_cast<std::uint32_t>(png[i]) << 16;
        if (i + 1 < png.size()) group |= static_cast<std::uint32_t>(png[i + 1]) << 8;
        if (i + 2 < png.size()) group |= png[i + 2];
        uri += kDigits[group >> 18 & 63];
        uri += kDigits[group >> 12 & 63];
        uri += i + 1 < png.size() ? kDigits[group >> 6 & 63] : '=';
        uri += i + 2 < png.size() ? kDigits[group & 63] : '=';
    }
    return uri;
}

Tile Piece(int kind) { return {35 * kind, 40}; }
Tile LitPiece(int kind) { return {245 + 35 * kind, 40}; }
Tile LockedPiece(int kind) { return {35 * kind, 75}; }
constexpr Tile kGap{-1, 0};

std::string Figure(const std::string& uri, const std::string& caption) {
    return "<figure><img src=\"" + uri + "\" alt=\"" + caption + "\"><figcaption>" + caption +
           "</figcaption></figure>\n";
}

}  // namespace

void WriteManual(const std::string& folder) {
    const Picture skin = ReadBitmap(folder + "01.skn");
    const std::string pieces = Illustration(skin, {{Piece(0), Piece(1), Piece(2), Piece(3), Piece(4), Piece(5), Piece(6)}});
    const std::string turning = Illustration(skin, {{Piece(6), kGap, Piece(5), kGap, Piece(4), kGap, Piece(3)}});
    const std::string loop = Illustration(skin, {{LitPiece(4), LitPiece(2), LitPiece(5)}, {LitPiece(3), LitPiece(2), LitPiece(6)}});
    const std::string locked = Illustration(skin, {{LockedPiece(1), LockedPiece(2), LockedPiece(3), LockedPiece(4), LockedPiece(5), LockedPiece(6)}});
    // A closed line of Lash Tiles: four linked blocks joined by line segments.
    const std::string line = Illustration(skin, {{{526, 0}, {315, 40}, {561, 0}},
                                                 {{280, 40}, {36, 0}, {280, 40}},
                                                 {{491, 0}, {315, 40}, {456, 0}}});
    std::string html = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Torvanex - manual</title>
<style>
body { font-family: sans-serif; max-width: 46em; margin: 2em auto; padding: 0 1em; line-height: 1.5;
       background: #10182a; color: #ece6d6; }
h1, h2 { color: #f2d28a; }
figure { display: inline-block; margin: 0.5em 1.5em 0.5em 0; }
figure img { image-rendering: pixelated; width: auto; }
figcaption { font-size: 0.85em; color: #b8b0a0; }
table { border-collapse: collapse; }
td, th { border: 1px solid #34486e; padding: 0.3em 0.6em; text-align: left; vertical-align: top; }
kbd { background: #1c2a44; border: 1px solid #34486e; border-radius: 3px; padding: 0 0.3em; }
</style>
</head>
<body>
<h1>Torvanex</h1>
<p>Torvanex is a puzzle game of pipes and loops on a board of 12 by 12 cells. It has three games:
Twist Conduits, Lash Tiles and Conduit Sage. The game button at the top of the panel on the right
switches to the next game and starts it.</p>

<h2>Twist Conduits</h2>
<p>Pipe pieces appear one at a time and fill the board along a spiral from its centre. Turn them so
that their pipes join into closed loops. A closed loop lights up, explodes and scores; the pieces
left on the board settle in toward the centre, and loops closed by the settling score too.</p>
)" + Figure(pieces, "The seven pieces: a cross, two straights and four corners") +
                       Figure(turning, "A corner turned by the left button, one quarter turn at a time") + R"(
<p>The left mouse button turns a piece a quarter turn counter-clockwise, the right button
clockwise. The straights swap with each other; a cross cannot be turned. When a turn closes no loop,
the pipe the piece belongs to lights up for a moment so you can follow it.</p>
)" + Figure(loop, "A closed loop lights up before it explodes") + R"(
<p>A loop scores three points for each piece in it plus twice the speed, minus four; a cross that
the loop passes twice counts twice. The speed rises every 100 pieces, up to 9. The game ends when
a new piece finds no empty cell.</p>

<h2>Lash Tiles</h2>
<p>Blocks appear one at a time. Join them with a line of straight steps, each from one block to
another in the same row or column. A step may cross earlier steps but never passes over a block
or through a wall. Bring the line back to its first block and every block on it explodes and scores.
The speed rises every 50 blocks; the game ends when 40 blocks stand on the board.</p>
)" + Figure(line, "A closed line joining four blocks") + R"(
<p>With the mouse, left-click a block to start and then the blocks to visit; click the last block
again or right-click to take back a step. With the keyboard, move the frame with the arrow keys,
press <kbd>Space</kbd> on a block to start, and use the arrow keys to step to the nearest block in
that direction. The arrow pointing back along the last step, or <kbd>Space</kbd>, takes it back;
<kbd>Delete</kbd> erases the whole line.</p>

<h2>Conduit Sage</h2>
<p>The board starts full and nothing new arrives. Turn pieces to close loops; pieces above a loop
fall into the gaps it leaves. Press the left button on a piece, move to another column and let go
to slide the piece along its row: it drops into holes on the way and stops next to the first piece
in its way. When a whole column is empty, the <kbd>Left</kbd> and <kbd>Right</kbd> arrow keys close
the gap. Clearing the board earns a bonus of 100 and ends the game; the Give up button below the
board ends it too.</p>

<h2>Level 2</h2>
<p>At Level 2 some pieces are locked and cannot be turned (Twist Conduits and Conduit Sage), and
walls stand between some cells (Lash Tiles). Change the level with the Level button after Stop,
while the board is empty. Each game and each level keeps its own table of the five best scores.</p>
)" + Figure(locked, "Locked pieces") + R"(

<h2>Controls</h2>
<table>
<tr><th>Left mouse button</th><td>turn a piece counter-clockwise; in Lash Tiles start or extend the line</td></tr>
<tr><th>Right mouse button</th><td>turn a piece clockwise; in Lash Tiles take back the last step</td></tr>
<tr><th><kbd>F1</kbd> or Help</th><td>the help pages (in Lash Tiles, while playing, use the Help button)</td></tr>
<tr><th><kbd>Page Up</kbd>, <kbd>Page Down</kbd></th><td>turn the help pages</td></tr>
<tr><th><kbd>Escape</kbd> or Exit</th><td>the top scores; from there <kbd>Space</kbd> plays again and any other key leaves</td></tr>
<tr><th>New game, Stop</th><td>start again; empty the board so that the speed and level can be changed</td></tr>
<tr><th>Speed</th><td>raise the speed while playing; after Stop the left and right buttons step it up and down</td></tr>
<tr><th>Skin, Sound, Music, Minimise</th><td>another look for the pieces; effects and music on or off; put the game aside</td></tr>
</table>
<p>Any MIDI files placed in the game's folder are played as background music, one after another.</p>
</body>
</html>
)";
    data_out::WriteText(folder + "manual.html", html);
}
