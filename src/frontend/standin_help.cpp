// Stand-in until the help is built: the help never opens.
#include "frontend/help.h"

void ShowHelp() {}
