#include "frontend/front_state.h"

FrontEndState Front;

void ResetFrontEndState() { Front = FrontEndState{}; }
