// The popups the frame opens, the keyboard menu mode of its menu bar and
// the system menu.

#include "skin/form/bsFrameMenuMode.h"

#include <functional>
#include <vector>

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

TbsFrameMenuMode::TbsFrameMenuMode(TbsSkinForm* frame)
    : FFrame(frame), FSysMenu(std::make_unique<TPopupMenu>(nullptr)) {}

TbsFrameMenuMode::~TbsFrameMenuMode() { RemoveHook(); }

IbsFrameMenuBar* TbsFrameMenuMode::Bar() const { return dynamic_cast<IbsFrameMenuBar*>(FFrame->MainMenuBar()); }

TMenuTrackEnd TbsFrameMenuMode::PopupAt(TMenuItem* items, POINT at, const RECT* under) {
  // A menu dropped from an object comes with the point at the object's
  // bottom, or at its top when it opens upwards.
  const RECT anchor = under ? *under : RECT{at.X, at.Y, at.X, at.Y};
  TbsSkinData* skin = FFrame->MenusSkinData() ? FFrame->MenusSkinData() : FFrame->SkinData();
  return Popup(items, anchor, under && at.Y == under->Top && under->Top != under->Bottom, skin, nullptr);
}

TMenuTrackEnd TbsFrameMenuMode::Popup(TMenuItem* items, const RECT& anchor, bool popupUp, TbsSkinData* skin,
                                      TControl* popupControl, int first, const TbsMenuDropOptions* drop) {
  if (!items || items->VisibleCount() == 0) return TMenuTrackEnd::Closed;
  ++FPopupCount;
  if (FMenuOpen) Closed();
  FMenuOpen = true;
  InstallHook();
  FFrame->OnSkinMenuOpen(FFrame);
  TbsSkinMenu* engine = SkinMenuOf(FFrame);
  engine->TakeFrameSettings(*FFrame);
  TMenuTrackEnd end = TMenuTrackEnd::Closed;
  try {
    // The engine tells the form (1228) when the chain closes.
    end = engine->Popup(popupControl, skin, popupUp, items, anchor, first, drop);
  } catch (...) {
    if (FMenuOpen) Closed();
    throw;
  }
  // Without a window to hear 1228 (or once the chosen command closed it).
  if (FMenuOpen) Closed();
  return end;
}

void TbsFrameMenuMode::Closed() {
  FMenuOpen = false;
  for (int i = 0; i < FFrame->FrameObjects().Count(); ++i)
    if (FFrame->FrameObjects().At(i)->MenuClosed()) break;
  FFrame->OnSkinMenuClose(FFrame);
  if (FKeyboardMode) {
    LeaveKeyboardMode();
  } else {
    RemoveHook();
  }
}

void TbsFrameMenuMode::EnterKeyboardMode(bool announce) {
  IbsFrameMenuBar* bar = Bar();
  if (!bar) return;
  FKeyboardMode = true;
  InstallHook();
  bar->EnterKeyboardMenu();
  if (announce) FFrame->OnMainMenuEnter(FFrame);
}

void TbsFrameMenuMode::LeaveKeyboardMode() {
  if (!FKeyboardMode) return;
  FKeyboardMode = false;
  if (IbsFrameMenuBar* bar = Bar()) bar->LeaveKeyboardMenu();
  if (!FMenuOpen) RemoveHook();
  FFrame->OnMainMenuExit(FFrame);
}

bool TbsFrameMenuMode::KeyMenu(WORD letter) {
  if (letter == 0) {
    if (!FKeyboardMode)
      EnterKeyboardMode(true);
    else
      LeaveKeyboardMode();
    return true;
  }
  IbsFrameMenuBar* bar = Bar();
  if (!bar || letter == ' ') return false;
  if (!FKeyboardMode) EnterKeyboardMode(true);
  const WORD key = letter >= 'a' && letter <= 'z' ? WORD(letter - 'a' + 'A') : letter;
  if (!bar->MenuBarKey(key) && !FMenuOpen) LeaveKeyboardMode();
  return true;
}

bool TbsFrameMenuMode::ShortCut(const MSG& msg) {
  IbsFrameMenuBar* bar = Bar();
  return bar && bar->MenuBarShortCut(msg);
}

void TbsFrameMenuMode::InstallHook() {
  if (FHookId) return;
  FHookId = AddMessageHook([this](MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) return HandleKey(msg);
    return msg.message == WM_MOUSEWHEEL;
  });
}

void TbsFrameMenuMode::RemoveHook() {
  if (!FHookId) return;
  RemoveMessageHook(FHookId);
  FHookId = 0;
}

bool TbsFrameMenuMode::HandleKey(MSG& msg) {
  if (!FKeyboardMode) return false;
  // The bar walks its items and opens them; Escape still ends a mode the
  // bar had nothing to light in.
  if (IbsFrameMenuBar* bar = Bar(); bar && bar->MenuBarKey(WORD(msg.wParam))) return true;
  if (FMenuOpen) return false;  // an open popup tracks its own keys (its loop hook sees them first)
  if (msg.wParam == VK_ESCAPE) LeaveKeyboardMode();
  return true;
}

// ---- System menu -------------------------------------------------------------------

void TbsFrameMenuMode::RebuildSystemMenu() {
  TbsSkinForm* f = FFrame;
  FSysMenu->Items()->Clear();
  // The commands of the last opening leave the application's own menu.
  TPopupMenu* own = f->SystemMenu();
  if (own) {
    TMenuItem* root = own->Items();
    for (int i = root->Count() - 1; i >= 0; --i)
      if (root->Items(i)->Name().starts_with("BSF_")) root->Delete(i);
  }
  const TbsSkinData* skin = f->SkinData();
  const bool mdiChild = f->Form()->FormStyle() == fsMDIChild;
  const TbsBorderIcons icons = f->BorderIcons();
  const TbsFrameWindowState state = f->States().WindowState();
  std::vector<TMenuItem*> items;
  const auto add = [&](const char* name, const char* key, int id, std::function<void()> command) {
    auto* item = new TMenuItem(FSysMenu.get());
    item->SetName(name);
    item->SetCaption(FrameResourceString(skin, key, id));
    item->SetOnClick([command = std::move(command)](TObject*) { command(); });
    items.push_back(item);
    return item;
  };
  if (icons.Contains(TbsBorderIcon::biMinimize) && state != fwsMinimized)
    add("BSF_MINITEM", "MI_MINCAPTION", 65232, [f] { f->MinimizeAll(); });
  if (icons.Contains(TbsBorderIcon::biMaximize) && state != fwsMaximized)
    add("BSF_MAXITEM", "MI_MAXCAPTION", 65233, [f] { f->Maximize(); });
  if (state != fwsNormal || f->States().RolledUp())
    add("BSF_RESTORE", "MI_RESTORECAPTION", 65235, [f] {
      if (f->States().RolledUp() && f->States().WindowState() == fwsNormal)
        f->RollUp(false);
      else
        f->Restore();
    });
  if (icons.Contains(TbsBorderIcon::biRollUp) && !f->States().RolledUp() && state != fwsMinimized &&
      !(mdiChild && state == fwsMaximized))
    add("BSF_ROLLUP", "MI_ROLLUPCAPTION", 65237, [f] { f->RollUp(true); });
  if (icons.Contains(TbsBorderIcon::biMinimizeToTray))
    add("BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION", 65236, [f] { f->MinimizeToTray(); });
  if (!items.empty()) {
    auto* line = new TMenuItem(FSysMenu.get());
    line->SetName("BSF_LINE");
    line->SetCaption("-");
    items.push_back(line);
  }
  TMenuItem* close = add("BSF_CLOSE", "MI_CLOSECAPTION", 65234, [f] { f->CloseForm(); });
  close->SetShortCut(TextToShortCut(mdiChild ? "Ctrl+F4" : "Alt+F4"));
  if (own) {
    // The standard commands go on top of the application's own menu.
    TMenuItem* root = own->Items();
    for (size_t i = 0; i < items.size(); ++i) root->Insert(int(i), items[i]);
    return;
  }
  for (TMenuItem* item : items) FSysMenu->Items()->Add(item);
}

TMenuItem* TbsFrameMenuMode::SystemMenuItems() {
  TPopupMenu* own = FFrame->SystemMenu();
  if (FFrame->UseDefaultSysMenu || own) RebuildSystemMenu();
  return own ? own->Items() : FSysMenu->Items();
}

}  // namespace kora
