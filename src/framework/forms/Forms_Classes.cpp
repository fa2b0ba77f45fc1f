// The framework's classes a stored form description may name, registered
// once at start-up (with the screen) so the form reader finds them: one
// list here, because a static library drops units nobody calls into.

#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus.h"

namespace kora {

void RegisterFrameworkClasses() {
  static const bool registered = [] {
    RegisterClasses({TForm::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TListBox::StaticClass(),
                     TPageControl::StaticClass(), TTabSheet::StaticClass(), TListView::StaticClass(),
                     TMainMenu::StaticClass(), TPopupMenu::StaticClass(), TMenuItem::StaticClass(),
                     TImageList::StaticClass(), TTimer::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora
