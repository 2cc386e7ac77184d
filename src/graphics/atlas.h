// The picture atlas: every rectangle of every picture file that the game
// copies, by name, and where the pictures with a fixed place land on screen.
// The one table that the drawing, the data generator and the tests share.
#pragma once

#include <span>
#include <string_view>

enum class PictureFile { Back, Skin, Zast, Rec, Screen };

enum class RegionUse {
    Opaque,        // copied without key: no pure black where it shows
    Keyed,         // black is a hole
    CopyOpen,      // the game may copy it either way: no pure black at all
    RuntimeBlack,  // overwritten while the game runs: left black
    NeverDrawn,    // an addressable slot the game never shows
    Reference,     // read, never shown (the colour samples)
    Area,          // a place on a full-screen picture or on the screen
};

// x, y are in the picture file's own coordinates: a skin's (0, 0) is row 541
// of the WorkSlot. destX, destY is the fixed place on screen, -1 when none.
struct AtlasRegion {
    PictureFile file;
    int x, y, w, h;
    const char* name;
    RegionUse use;
    int destX = -1, destY = -1;
};

inline constexpr int kSkinTop = 541;   // the skin's first row in the WorkSlot

inline constexpr AtlasRegion kAtlas[] = {
    {PictureFile::Back, 0, 0, 800, 65, "top_bar", RegionUse::CopyOpen, 0, 0},
    {PictureFile::Back, 0, 142, 235, 341, "right_column", RegionUse::CopyOpen, 537, 200},
    {PictureFile::Back, 235, 132, 235, 55, "panel_head", RegionUse::CopyOpen, 537, 122},
    {PictureFile::Back, 18, 15, 80, 39, "button_help", RegionUse::Opaque, 18, 15},
    {PictureFile::Back, 130, 14, 104, 32, "button_sound", RegionUse::Opaque, 130, 14},
    {PictureFile::Back, 264, 14, 101, 31, "button_music", RegionUse::Opaque, 264, 14},
    {PictureFile::Back, 398, 15, 107, 30, "button_minimise", RegionUse::Opaque, 398, 15},
    {PictureFile::Back, 711, 14, 72, 31, "button_exit", RegionUse::Opaque, 711, 14},
    {PictureFile::Back, 0, 65, 80, 39, "button_help_hl", RegionUse::Opaque, 18, 15},
    {PictureFile::Back, 80, 65, 104, 32, "button_sound_hl", RegionUse::Opaque, 130, 14},
    {PictureFile::Back, 185, 65, 101, 31, "button_music_hl", RegionUse::Opaque, 264, 14},
    {PictureFile::Back, 286, 65, 107, 30, "button_minimise_hl", RegionUse::Opaque, 398, 15},
    {PictureFile::Back, 544, 65, 72, 31, "button_exit_hl", RegionUse::Opaque, 711, 14},
    {PictureFile::Back, 616, 65, 178, 37, "button_newgame_hl", RegionUse::Opaque, 553, 271},
    {PictureFile::Back, 0, 104, 104, 38, "button_speed_hl", RegionUse::Opaque, 553, 322},
    {PictureFile::Back, 312, 103, 88, 29, "button_level_hl", RegionUse::Opaque, 553, 378},
    {PictureFile::Back, 104, 97, 178, 30, "button_stop_hl", RegionUse::Opaque, 553, 436},
    {PictureFile::Back, 235, 188, 178, 31, "button_skin_hl", RegionUse::Opaque, 553, 494},
    {PictureFile::Back, 0, 483, 257, 27, "button_home_hl", RegionUse::Opaque, 279, 563},
    {PictureFile::Back, 680, 102, 105, 47, "button_giveup_hl", RegionUse::Opaque, 90, 547},
    {PictureFile::Back, 15, 156, 202, 38, "mode_title_0", RegionUse::Opaque, 552, 214},
    {PictureFile::Back, 16, 213, 178, 37, "button_newgame", RegionUse::Opaque, 553, 271},
    {PictureFile::Back, 16, 264, 104, 38, "button_speed", RegionUse::Opaque, 553, 322},
    {PictureFile::Back, 16, 320, 88, 29, "button_level", RegionUse::Opaque, 553, 378},
    {PictureFile::Back, 16, 378, 178, 30, "button_stop", RegionUse::Opaque, 553, 436},
    {PictureFile::Back, 16, 436, 178, 31, "button_skin", RegionUse::Opaque, 553, 494},
    {PictureFile::Back, 170, 264, 29, 28, "speed_panel_bg", RegionUse::Opaque, 707, 322},
    {PictureFile::Back, 170, 320, 21, 28, "level_glyph_bg", RegionUse::Opaque, 707, 378},
    {PictureFile::Back, 0, 510, 257, 27, "button_home", RegionUse::Opaque, 279, 563},
    {PictureFile::Back, 680, 247, 105, 47, "button_giveup", RegionUse::Opaque, 90, 547},
    {PictureFile::Back, 680, 294, 105, 47, "giveup_blank", RegionUse::Opaque, 90, 547},
    {PictureFile::Back, 270, 465, 202, 38, "mode_title_1", RegionUse::Opaque, 552, 214},
    {PictureFile::Back, 472, 465, 202, 38, "mode_title_2", RegionUse::Opaque, 552, 214},
    {PictureFile::Back, 270, 503, 202, 38, "mode_title_0_hl", RegionUse::Opaque, 552, 214},
    {PictureFile::Back, 472, 503, 202, 38, "mode_title_1_hl", RegionUse::Opaque, 552, 214},
    {PictureFile::Back, 337, 144, 129, 28, "score_panel_bg", RegionUse::Opaque, 639, 137},
    {PictureFile::Back, 402, 103, 26, 27, "digit_0", RegionUse::Keyed},
    {PictureFile::Back, 428, 103, 11, 27, "digit_1", RegionUse::Keyed},
    {PictureFile::Back, 439, 103, 21, 27, "digit_2", RegionUse::Keyed},
    {PictureFile::Back, 460, 103, 17, 27, "digit_3", RegionUse::Keyed},
    {PictureFile::Back, 477, 103, 21, 27, "digit_4", RegionUse::Keyed},
    {PictureFile::Back, 498, 103, 19, 27, "digit_5", RegionUse::Keyed},
    {PictureFile::Back, 517, 103, 22, 27, "digit_6", RegionUse::Keyed},
    {PictureFile::Back, 539, 103, 20, 27, "digit_7", RegionUse::Keyed},
    {PictureFile::Back, 559, 103, 21, 27, "digit_8", RegionUse::Keyed},
    {PictureFile::Back, 580, 103, 22, 27, "digit_9", RegionUse::Keyed},
    {PictureFile::Back, 602, 103, 12, 27, "level_glyph_0", RegionUse::Keyed, 711, 378},
    {PictureFile::Back, 614, 103, 21, 27, "level_glyph_1", RegionUse::Keyed, 707, 378},
    {PictureFile::Back, 470, 132, 210, 140, "game_over", RegionUse::Opaque, 195, 262},
    {PictureFile::Back, 674, 471, 35, 35, "explosion_skin01", RegionUse::Opaque},
    {PictureFile::Back, 709, 471, 35, 35, "explosion_skin02", RegionUse::Opaque},
    {PictureFile::Back, 744, 471, 35, 35, "explosion_skin03", RegionUse::Opaque},
    {PictureFile::Back, 674, 506, 35, 35, "explosion_locked_skin01", RegionUse::Opaque},
    {PictureFile::Back, 709, 506, 35, 35, "explosion_locked_skin02", RegionUse::Opaque},
    {PictureFile::Back, 744, 506, 35, 35, "explosion_locked_skin03", RegionUse::Opaque},
    {PictureFile::Back, 416, 219, 7, 8, "gauge_mark", RegionUse::Keyed},
    {PictureFile::Back, 235, 447, 349, 8, "gauge_bg", RegionUse::Opaque, 125, 108},
    {PictureFile::Back, 235, 455, 349, 8, "gauge_scratch", RegionUse::RuntimeBlack},
    {PictureFile::Back, 185, 96, 32, 1, "colour_sample_row", RegionUse::Reference},
    {PictureFile::Back, 794, 65, 1, 20, "caret_bar", RegionUse::Opaque},
    {PictureFile::Back, 795, 65, 1, 20, "caret_save_column", RegionUse::RuntimeBlack},
    {PictureFile::Back, 235, 346, 58, 33, "ok_normal", RegionUse::CopyOpen, 371, 318},
    {PictureFile::Back, 235, 378, 58, 32, "ok_pressed", RegionUse::CopyOpen, 371, 318},
    {PictureFile::Back, 297, 350, 93, 24, "cancel_normal", RegionUse::CopyOpen, 356, 368},
    {PictureFile::Back, 297, 383, 93, 24, "cancel_pressed", RegionUse::CopyOpen, 356, 368},
    {PictureFile::Back, 445, 187, 3, 5, "title_piece_group1", RegionUse::CopyOpen},
    {PictureFile::Back, 428, 197, 10, 3, "title_piece_group2", RegionUse::CopyOpen},
    {PictureFile::Back, 428, 200, 3, 17, "title_piece_group3", RegionUse::CopyOpen},
    {PictureFile::Back, 428, 200, 3, 10, "title_piece_group4", RegionUse::CopyOpen},
    {PictureFile::Back, 428, 200, 3, 3, "title_piece_group5", RegionUse::CopyOpen},
    {PictureFile::Back, 453, 187, 15, 17, "title_keyed_1", RegionUse::Keyed, 206, 45},
    {PictureFile::Back, 453, 204, 15, 17, "title_keyed_2", RegionUse::Keyed, 206, 45},
    {PictureFile::Back, 428, 187, 17, 10, "help_arrow", RegionUse::Keyed},
    {PictureFile::Back, 680, 162, 80, 60, "help_tile", RegionUse::CopyOpen},
    {PictureFile::Back, 680, 222, 50, 25, "help_next_arrow", RegionUse::CopyOpen, 741, 567},
    {PictureFile::Back, 731, 222, 50, 25, "help_prev_arrow", RegionUse::CopyOpen, 741, 538},
    {PictureFile::Back, 760, 187, 35, 35, "scores_anim_patch", RegionUse::Opaque, 313, 137},
    {PictureFile::Back, 236, 273, 35, 35, "scores_anim_frame_0", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 273, 273, 35, 35, "scores_anim_frame_1", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 310, 273, 35, 35, "scores_anim_frame_2", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 347, 273, 35, 35, "scores_anim_frame_3", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 384, 273, 35, 35, "scores_anim_frame_4", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 421, 273, 35, 35, "scores_anim_frame_5", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 458, 273, 35, 35, "scores_anim_frame_6", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 495, 273, 35, 35, "scores_anim_frame_7", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 532, 273, 35, 35, "scores_anim_frame_8", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 569, 273, 35, 35, "scores_anim_frame_9", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 606, 273, 35, 35, "scores_anim_frame_10", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 643, 273, 35, 35, "scores_anim_frame_11", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 236, 310, 35, 35, "scores_anim_frame_12", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 273, 310, 35, 35, "scores_anim_frame_13", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 310, 310, 35, 35, "scores_anim_frame_14", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 347, 310, 35, 35, "scores_anim_frame_15", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 384, 310, 35, 35, "scores_anim_frame_16", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 421, 310, 35, 35, "scores_anim_frame_17", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 458, 310, 35, 35, "scores_anim_frame_18", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 495, 310, 35, 35, "scores_anim_frame_19", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 532, 310, 35, 35, "scores_anim_frame_20", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 569, 310, 35, 35, "scores_anim_frame_21", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 606, 310, 35, 35, "scores_anim_frame_22", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 643, 310, 35, 35, "scores_anim_frame_23", RegionUse::Keyed, 313, 137},
    {PictureFile::Back, 679, 346, 23, 21, "farewell_frame_0", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 702, 346, 23, 21, "farewell_frame_1", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 725, 346, 23, 21, "farewell_frame_2", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 748, 346, 23, 21, "farewell_frame_3", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 771, 346, 23, 21, "farewell_frame_4", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 679, 367, 23, 21, "farewell_frame_5", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 702, 367, 23, 21, "farewell_frame_6", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 725, 367, 23, 21, "farewell_frame_7", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 748, 367, 23, 21, "farewell_frame_8", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 771, 367, 23, 21, "farewell_frame_9", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 679, 388, 23, 21, "farewell_frame_10", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 702, 388, 23, 21, "farewell_frame_11", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 725, 388, 23, 21, "farewell_frame_12", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 748, 388, 23, 21, "farewell_frame_13", RegionUse::Opaque, 345, 54},
    {PictureFile::Back, 771, 388, 23, 21, "farewell_frame_14", RegionUse::Opaque, 345, 54},
    {PictureFile::Skin, 0, 0, 18, 25, "cursor_sprite", RegionUse::Keyed},
    {PictureFile::Skin, 18, 0, 18, 25, "cursor_save_under", RegionUse::RuntimeBlack},
    {PictureFile::Skin, 0, 40, 35, 35, "pipe_0", RegionUse::Opaque},
    {PictureFile::Skin, 35, 40, 35, 35, "pipe_1", RegionUse::Opaque},
    {PictureFile::Skin, 70, 40, 35, 35, "pipe_2", RegionUse::Opaque},
    {PictureFile::Skin, 105, 40, 35, 35, "pipe_3", RegionUse::Opaque},
    {PictureFile::Skin, 140, 40, 35, 35, "pipe_4", RegionUse::Opaque},
    {PictureFile::Skin, 175, 40, 35, 35, "pipe_5", RegionUse::Opaque},
    {PictureFile::Skin, 210, 40, 35, 35, "pipe_6", RegionUse::Opaque},
    {PictureFile::Skin, 245, 40, 35, 35, "pipe_lit_0", RegionUse::Opaque},
    {PictureFile::Skin, 280, 40, 35, 35, "pipe_lit_1", RegionUse::Opaque},
    {PictureFile::Skin, 315, 40, 35, 35, "pipe_lit_2", RegionUse::Opaque},
    {PictureFile::Skin, 350, 40, 35, 35, "pipe_lit_3", RegionUse::Opaque},
    {PictureFile::Skin, 385, 40, 35, 35, "pipe_lit_4", RegionUse::Opaque},
    {PictureFile::Skin, 420, 40, 35, 35, "pipe_lit_5", RegionUse::Opaque},
    {PictureFile::Skin, 455, 40, 35, 35, "pipe_lit_6", RegionUse::Opaque},
    {PictureFile::Skin, 490, 40, 35, 35, "pipe_lit_14", RegionUse::Opaque},
    {PictureFile::Skin, 525, 40, 35, 35, "pipe_lit_15", RegionUse::Opaque},
    {PictureFile::Skin, 0, 75, 35, 35, "pipe_locked_0", RegionUse::NeverDrawn},
    {PictureFile::Skin, 35, 75, 35, 35, "pipe_locked_1", RegionUse::Opaque},
    {PictureFile::Skin, 70, 75, 35, 35, "pipe_locked_2", RegionUse::Opaque},
    {PictureFile::Skin, 105, 75, 35, 35, "pipe_locked_3", RegionUse::Opaque},
    {PictureFile::Skin, 140, 75, 35, 35, "pipe_locked_4", RegionUse::Opaque},
    {PictureFile::Skin, 175, 75, 35, 35, "pipe_locked_5", RegionUse::Opaque},
    {PictureFile::Skin, 210, 75, 35, 35, "pipe_locked_6", RegionUse::Opaque},
    {PictureFile::Skin, 245, 75, 35, 35, "pipe_locked_lit_0", RegionUse::NeverDrawn},
    {PictureFile::Skin, 280, 75, 35, 35, "pipe_locked_lit_1", RegionUse::Opaque},
    {PictureFile::Skin, 315, 75, 35, 35, "pipe_locked_lit_2", RegionUse::Opaque},
    {PictureFile::Skin, 350, 75, 35, 35, "pipe_locked_lit_3", RegionUse::Opaque},
    {PictureFile::Skin, 385, 75, 35, 35, "pipe_locked_lit_4", RegionUse::Opaque},
    {PictureFile::Skin, 420, 75, 35, 35, "pipe_locked_lit_5", RegionUse::Opaque},
    {PictureFile::Skin, 455, 75, 35, 35, "pipe_locked_lit_6", RegionUse::Opaque},
    {PictureFile::Skin, 490, 75, 35, 35, "pipe_locked_lit_14", RegionUse::NeverDrawn},
    {PictureFile::Skin, 525, 75, 35, 35, "pipe_locked_lit_15", RegionUse::NeverDrawn},
    {PictureFile::Skin, 560, 40, 35, 35, "empty_cell", RegionUse::Opaque},
    {PictureFile::Skin, 0, 75, 35, 35, "kbd_cursor_frame", RegionUse::Keyed},
    {PictureFile::Skin, 36, 0, 35, 35, "mode1_empty", RegionUse::Opaque},
    {PictureFile::Skin, 315, 40, 35, 35, "mode1_line_h", RegionUse::Opaque},
    {PictureFile::Skin, 280, 40, 35, 35, "mode1_line_v", RegionUse::Opaque},
    {PictureFile::Skin, 245, 40, 35, 35, "mode1_line_cross", RegionUse::Opaque},
    {PictureFile::Skin, 71, 0, 35, 35, "mode1_block_128", RegionUse::Opaque},
    {PictureFile::Skin, 106, 0, 35, 35, "mode1_block_129", RegionUse::Opaque},
    {PictureFile::Skin, 141, 0, 35, 35, "mode1_block_130", RegionUse::Opaque},
    {PictureFile::Skin, 456, 0, 35, 35, "mode1_block_131", RegionUse::Opaque},
    {PictureFile::Skin, 176, 0, 35, 35, "mode1_block_132", RegionUse::Opaque},
    {PictureFile::Skin, 386, 0, 35, 35, "mode1_block_133", RegionUse::Opaque},
    {PictureFile::Skin, 491, 0, 35, 35, "mode1_block_134", RegionUse::Opaque},
    {PictureFile::Skin, 211, 0, 35, 35, "mode1_block_136", RegionUse::Opaque},
    {PictureFile::Skin, 561, 0, 35, 35, "mode1_block_137", RegionUse::Opaque},
    {PictureFile::Skin, 421, 0, 35, 35, "mode1_block_138", RegionUse::Opaque},
    {PictureFile::Skin, 526, 0, 35, 35, "mode1_block_140", RegionUse::Opaque},
    {PictureFile::Skin, 560, 75, 35, 35, "mode1_block_128_end", RegionUse::Opaque},
    {PictureFile::Skin, 246, 0, 35, 35, "mode1_block_129_end", RegionUse::Opaque},
    {PictureFile::Skin, 281, 0, 35, 35, "mode1_block_130_end", RegionUse::Opaque},
    {PictureFile::Skin, 316, 0, 35, 35, "mode1_block_132_end", RegionUse::Opaque},
    {PictureFile::Skin, 351, 0, 35, 35, "mode1_block_136_end", RegionUse::Opaque},
    {PictureFile::Skin, 527, 77, 2, 31, "wall_west", RegionUse::Opaque},
    {PictureFile::Skin, 525, 77, 2, 31, "wall_east", RegionUse::Opaque},
    {PictureFile::Skin, 492, 77, 31, 2, "wall_north", RegionUse::Opaque},
    {PictureFile::Skin, 492, 75, 31, 2, "wall_south", RegionUse::Opaque},
    {PictureFile::Skin, 0, 110, 420, 35, "counter_strip", RegionUse::Opaque, 90, 77},
    {PictureFile::Skin, 420, 110, 202, 38, "mode_title_2_hl", RegionUse::Opaque, 552, 214},
    {PictureFile::Zast, 0, 0, 800, 65, "zast_hidden_by_top_bar", RegionUse::Area},
    {PictureFile::Zast, 33, 37, 220, 28, "zast_title_area", RegionUse::Area},
    {PictureFile::Zast, 206, 45, 15, 17, "zast_title_keyed_1_spot", RegionUse::Area},
    {PictureFile::Zast, 206, 45, 15, 17, "zast_title_keyed_2_spot", RegionUse::Area},
    {PictureFile::Zast, 90, 77, 420, 35, "zast_counter_strip_area", RegionUse::Area},
    {PictureFile::Zast, 125, 108, 349, 8, "zast_gauge_area", RegionUse::Area},
    {PictureFile::Zast, 537, 122, 235, 55, "zast_hidden_by_panel_head", RegionUse::Area},
    {PictureFile::Zast, 90, 122, 420, 420, "zast_hidden_by_board", RegionUse::Area},
    {PictureFile::Zast, 537, 200, 235, 341, "zast_hidden_by_right_column", RegionUse::Area},
    {PictureFile::Zast, 90, 547, 105, 47, "zast_giveup_area", RegionUse::Area},
    {PictureFile::Zast, 279, 563, 257, 27, "zast_hidden_by_home_bar", RegionUse::Area},
    {PictureFile::Rec, 313, 137, 35, 35, "rec_anim_spot", RegionUse::Area},
    {PictureFile::Rec, 674, 287, 99, 36, "rec_next_mode_box", RegionUse::Area},
    {PictureFile::Rec, 250, 580, 325, 20, "rec_back_line_area", RegionUse::Area},
    {PictureFile::Screen, 90, 122, 420, 420, "board_area", RegionUse::Area},
    {PictureFile::Screen, 180, 182, 440, 235, "name_entry_box", RegionUse::Area},
    {PictureFile::Screen, 197, 262, 405, 30, "name_text_box", RegionUse::Area},
    {PictureFile::Screen, 204, 267, 380, 22, "name_text_field", RegionUse::Area},
    {PictureFile::Screen, 584, 267, 17, 22, "name_blank_strip", RegionUse::Area},
    {PictureFile::Screen, 360, 308, 80, 49, "name_ok_click", RegionUse::Area},
    {PictureFile::Screen, 346, 357, 114, 45, "name_cancel_click", RegionUse::Area},
    {PictureFile::Screen, 741, 538, 56, 26, "help_prev_click", RegionUse::Area},
    {PictureFile::Screen, 741, 567, 56, 26, "help_next_click", RegionUse::Area},
    {PictureFile::Screen, 345, 54, 23, 21, "farewell_anim_spot", RegionUse::Area},
};

consteval const AtlasRegion& Atlas(std::string_view name) {
    for (const AtlasRegion& r : kAtlas)
        if (name == r.name) return r;
    throw "no atlas region of that name";
}

// A picture of the WorkSlot with inclusive corners, as the copies take them,
// and its place on screen when it has one.
struct Picture {
    int left, top, right, bottom;
    int destX = -1, destY = -1;
    constexpr int width() const { return right - left + 1; }
    constexpr int height() const { return bottom - top + 1; }
};

constexpr Picture WorkPicture(const AtlasRegion& r) {
    const int top = r.y + (r.file == PictureFile::Skin ? kSkinTop : 0);
    return {r.x, top, r.x + r.w - 1, top + r.h - 1, r.destX, r.destY};
}
consteval Picture WorkPicture(std::string_view name) { return WorkPicture(Atlas(name)); }

// A hit area or a place on screen: (x, y, w, h), right and bottom excluded.
struct ScreenArea {
    int x, y, w, h;
};
consteval ScreenArea AreaOf(std::string_view name) {
    const AtlasRegion& r = Atlas(name);
    return {r.x, r.y, r.w, r.h};
}
