// The data-file generator: every picture, font, effect, piece of music, the
// help text and the manual page of the game, written into the program folder.
#pragma once

#include <string>

// back.wrk, zast.wrk, rec.wrk, 01.skn, 02.skn, 03.skn
void WritePictures(const std::string& folder);
// Every picture at 2x with the atlas regions outlined and named.
void WriteContactSheet(const std::string& folder, const std::string& pngPath);
// arial8, times16
void WriteFonts(const std::string& folder);
// 01.wav .. 13.wav
void WriteEffects(const std::string& folder);
// the *.mid pieces
void WriteMusic(const std::string& folder);
// help.txt
void WriteHelpText(const std::string& folder);
// manual.html and the pictures it shows (reads the pictures already written)
void WriteManual(const std::string& folder);
