// The settings and score files, in a program folder that starts empty.
#pragma once

#include <string>

#include "support/fresh_program.h"

class PersistTest : public FreshProgram {
protected:
    PersistTest() : FreshProgram(false) {}
};

inline std::string ConfigFile(char sound, char music) {
    return std::string("Set sound: 1 - on, 0 - off.\r\n") + sound + "\r\nSet midi on/off: 1 - on, 0 - off.\r\n" + music +
           "\r\n";
}
