// The sound of a program whose folder holds only the files the test writes.
#pragma once

#include "services/files.h"
#include "sound/sound_files.h"
#include "support/fresh_program.h"

class SoundTest : public FreshProgram {
protected:
    SoundTest() : FreshProgram(false) {}
};
