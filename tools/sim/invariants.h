// What must hold of the whole game between any two window messages, whatever
// the player did: the game fuzzer checks it after every message and the soak
// benchmark after every pass of its long games.
#pragma once

#include <string>
#include <vector>

// The invariants broken now, one line each; empty when all hold. Meant for a
// game whose start-up is over (the start screen or any later one).
std::vector<std::string> BrokenInvariants();
