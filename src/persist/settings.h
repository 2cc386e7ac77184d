// The options kept between runs: the skin, the game mode and the level in
// three one-byte files, and the sound and music switches in "torvanex.cfg".
#pragma once

// Reads "torvanex.cfg" before the sound and music devices are set up; a
// missing or damaged file is replaced by one that turns both on.
void LoadConfig();
// Reads "nskin", "ngame" and "level".
void LoadByteSettings();
// Writes the top scores (when they changed) and every settings file.
void SaveAll();
