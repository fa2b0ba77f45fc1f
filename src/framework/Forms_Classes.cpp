// The framework's classes a stored form description may name, registered
// once at start-up (with the screen) so the form reader finds them: one
// list here, because a static library drops units nobody calls into.

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"

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
