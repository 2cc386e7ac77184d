// The process entry: the game keeps no command-line options.
#include "shell/shell.h"

int main() { return RunProgram(); }
