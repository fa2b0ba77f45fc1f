// The skinned controls a stored form description may name, registered in
// one list because a static library drops units nobody calls into.

#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinTabs.h"

namespace kora {

void RegisterSkinControlClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinButton::StaticClass(), TbsSkinPanel::StaticClass(), TbsSkinGroupBox::StaticClass(),
                     TbsSkinStdLabel::StaticClass(), TbsSkinUpDown::StaticClass(), TbsSkinPageControl::StaticClass(),
                     TbsSkinTabSheet::StaticClass(), TbsSkinSpinEdit::StaticClass(), TbsSkinScrollBar::StaticClass(),
                     TbsSkinListBox::StaticClass(), TbsSkinComboBox::StaticClass(), TbsSkinCheckRadioBox::StaticClass(),
                     TbsSkinSpeedButton::StaticClass(), TbsSkinMenuSpeedButton::StaticClass(),
                     TbsSkinBevel::StaticClass(), TbsSkinEdit::StaticClass(), TbsSkinListView::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora
