#pragma once
// The skinned controls of the program: the control base, panels and group
// boxes, the standard label, buttons, and the numeric and spin edits.

#include "skin/controls/bsSkinCtrls_Control.h"
