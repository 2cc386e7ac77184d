// The six pages of help.
#pragma once

// Shows page Front.HelpPage and enters HelpScreen; the callers set ReturnState.
void ShowHelp();
