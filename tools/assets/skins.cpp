// The three skin files: pointer, pipe rows, mode-1 pictures, walls, the strip
// above the board and the highlighted title of mode 2.
#include "pictures.h"
#include "skin_art.h"

namespace {

struct BlockSpec {
    const char* name;
    int sides;
    bool lineEnd;
};

// Mode-1 block codes: 1 west, 2 north, 4 east, 8 south.
constexpr BlockSpec kBlocks[] = {
    {"mode1_block_128", 0, false},
    {"mode1_block_129", kWest, false},
    {"mode1_block_130", kNorth, false},
    {"mode1_block_131", kWest | kNorth, false},
    {"mode1_block_132", kEast, false},
    {"mode1_block_133", kWest | kEast, false},
    {"mode1_block_134", kNorth | kEast, false},
    {"mode1_block_136", kSouth, false},
    {"mode1_block_137", kWest | kSouth, false},
    {"mode1_block_138", kNorth | kSouth, false},
    {"mode1_block_140", kEast | kSouth, false},
    {"mode1_block_128_end", 0, true},
    {"mode1_block_129_end", kWest, true},
    {"mode1_block_130_end", kNorth, true},
    {"mode1_block_132_end", kEast, true},
    {"mode1_block_136_end", kSouth, true},
};

void PaintPointer(Canvas& c, const SkinStyle& s) {
    const AtlasRegion& r = Region("cursor_sprite");
    Sprite sprite(r.w, r.h);
    {
        Pen pen(sprite.Surface());
        DrawPointer(pen, s);
    }
    Canvas matte(r.w, r.h);
    matte.Fill(0, 0, r.w, r.h, ToRgb(s.pointerEdge));
    sprite.StampKeyed(c, r.x, r.y, matte, 0, 0, 100);
    const AtlasRegion& save = Region("cursor_save_under");
    c.MakeHoles(save.x, save.y, save.w, save.h);
}

void PaintPipes(Canvas& c, const SkinStyle& s) {
    for (int locked = 0; locked < 2; ++locked) {
        const int y = locked ? 75 : 40;
        for (int kind = 0; kind < 7; ++kind) {
            if (locked && kind == 0) continue;  // a locked cross never occurs
            PaintPipe(c, 35 * kind, y, s, kind, false, false, locked);
            PaintPipe(c, 35 * (7 + kind), y, s, kind, true, true, locked);
        }
        if (!locked) {
            PaintPipe(c, 35 * 14, y, s, 0, true, false, false);
            PaintPipe(c, 35 * 15, y, s, 0, false, true, false);
        }
    }
    PaintCellBackground(c, 560, 40, s, false);
}

void PaintKeyFrame(Canvas& c, const SkinStyle& s) {
    const AtlasRegion& r = Region("kbd_cursor_frame");
    Sprite sprite(r.w, r.h);
    {
        Pen pen(sprite.Surface());
        DrawKeyFrame(pen, s);
    }
    Canvas matte(r.w, r.h);
    matte.Fill(0, 0, r.w, r.h, {40, 40, 48});
    sprite.StampKeyed(c, r.x, r.y, matte, 0, 0, 110);
}

// Barrier bars striped in the wall colour and a dark tone, 4 pixels each: a
// wall never passes for the keyboard frame, which is solid and in a colour no
// wall uses. The side facing the wall's own cell is the brighter one.
void PaintWalls(Canvas& c, const SkinStyle& s) {
    const Rgb stripes[2][2] = {{ToRgb(s.wall), ToRgb(Darker(s.wall, 0.35))},
                               {ToRgb(s.wallDark), ToRgb(Darker(s.wallDark, 0.4))}};
    auto bar = [&](const char* name, bool brightFirst) {
        const AtlasRegion& r = Region(name);
        const bool across = r.w > r.h;
        const int length = across ? r.w : r.h;
        for (int i = 0; i < length; ++i)
            for (int k = 0; k < 2; ++k) {
                const Rgb p = stripes[(i / 4) % 2][(k == 0) == brightFirst ? 0 : 1];
                if (across)
                    c.Set(r.x + i, r.y + k, p);
                else
                    c.Set(r.x + k, r.y + i, p);
            }
    };
    bar("wall_west", false);
    bar("wall_east", true);
    bar("wall_north", false);
    bar("wall_south", true);
}

}  // namespace

void PaintSkin(Canvas& skin, int index, const Canvas& back, const Canvas& zast) {
    const SkinStyle& s = SkinStyleOf(index);
    skin.Fill(0, 0, skin.Width(), skin.Height(), {24, 30, 40});
    PaintPointer(skin, s);
    PaintCellBackground(skin, 36, 0, s, false);
    for (const BlockSpec& b : kBlocks) {
        const AtlasRegion& r = Region(b.name);
        PaintBlock(skin, r.x, r.y, s, b.sides, b.lineEnd);
    }
    PaintPipes(skin, s);
    PaintKeyFrame(skin, s);
    // The never-shown locked-cross slots that hold the walls get a plain cell.
    PaintCellBackground(skin, 245, 75, s, true);
    skin.Fill(490, 75, 70, 35, {24, 30, 40});
    PaintWalls(skin, s);
    CopyRegion(skin, "counter_strip", zast, 90, 77);
    // The same backdrop the five titles of the background image sit on.
    Canvas column(back.Width(), back.Height());
    PaintColumnBackdrop(column);
    const AtlasRegion& title = Region("mode_title_0");
    CopyRegion(skin, "mode_title_2_hl", column, title.x, title.y);
    const AtlasRegion& hl = Region("mode_title_2_hl");
    PaintModeTitle(skin, hl.x, hl.y, "Conduit Sage", true);
}
