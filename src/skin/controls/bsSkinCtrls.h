#pragma once
// The skinned controls of the program: the control base, panels and group
// boxes, the standard label, buttons and tool bar buttons, the check and
// radio box, the plain, numeric and spin edits, the bevel and the scroll
// bar.

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/controls/bsSkinCtrls_CheckRadio.h"
#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/controls/bsSkinCtrls_Edit.h"
#include "skin/controls/bsSkinCtrls_Label.h"
#include "skin/controls/bsSkinCtrls_Panel.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/controls/bsSkinCtrls_SpinEdit.h"
#include "skin/controls/bsSkinCtrls_UpDown.h"

namespace kora {

// Makes the classes above known by name to the form reader; once is enough.
void RegisterSkinControlClasses();

}  // namespace kora
