// The folder and file-type combo boxes of the file dialog.

#include "skin/dialogs/bsSkinShellCtrls_Combos.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "platform/shell/ShellIcons.h"
#include "skin/dialogs/bsSkinShellCtrls_FileList.h"

namespace kora {

namespace {

constexpr int kSmallIconSize = 16;
constexpr int kIconGap = 4;

}  // namespace

// ---- TbsSkinShellComboBox -------------------------------------------------------------

TClass TbsSkinShellComboBox::StaticClass() {
  using C = TbsSkinShellComboBox;
  static const TClassInfo info(
      TClassBuilder<C>("TbsSkinShellComboBox").Property("FileListView", &C::FileListView, &C::SetFileListView));
  return &info;
}

TbsSkinShellComboBox::TbsSkinShellComboBox(TComponent* owner) : TbsSkinCustomComboBox(owner) {
  SetDropDownCount(10);
  // Rows tall enough for the icons in the built-in look.
  SetListBoxDefaultItemHeight(kSmallIconSize + 4);
  SetOnListBoxDrawItem([this](TCanvas* canvas, int index, int, int, RECT text, TOwnerDrawState) {
    DrawEntry(canvas, index, text, true);
  });
  OnComboBoxDrawItem = [this](TCanvas* canvas, int index, int, int, RECT text, TOwnerDrawState) {
    DrawEntry(canvas, index, text, false);
  };
}

TbsSkinShellComboBox::~TbsSkinShellComboBox() {
  if (FFileListView) FFileListView->RemoveFreeNotification(this);
}

void TbsSkinShellComboBox::SetFileListView(TbsSkinFileListView* value) {
  if (FFileListView) FFileListView->RemoveFreeNotification(this);
  FFileListView = value;
  if (value) value->FreeNotification(this);
}

void TbsSkinShellComboBox::Notification(TComponent* component, TOperation operation) {
  TbsSkinCustomComboBox::Notification(component, operation);
  if (operation == opRemove && component == FFileListView) FFileListView = nullptr;
}

void TbsSkinShellComboBox::ShowFolder(const ShellItem& folder) {
  FEntries.clear();
  FEntries.push_back({ShellDesktop(), 0});
  const std::vector<ShellItem> chain = ShellFolderChain(folder);
  int selected = 0;
  for (ShellItem& top : ShellDesktopFolders()) {
    FEntries.push_back({top, 1});
    if (chain.size() >= 2 && chain[1].SamePlace(top)) {
      selected = int(FEntries.size()) - 1;
      // The chain below this desktop folder, one level deeper each.
      for (size_t i = 2; i < chain.size(); ++i) FEntries.push_back({chain[i], int(i)});
      if (chain.size() > 2) selected = int(FEntries.size()) - 1;
    }
  }
  Items()->BeginUpdate();
  Items()->Clear();
  for (const TEntry& entry : FEntries) Items()->Add(entry.Item.DisplayName);
  Items()->EndUpdate();
  FShowing = true;
  SetItemIndex(selected);
  FShowing = false;
}

const ShellItem* TbsSkinShellComboBox::SelectedFolder() const {
  const int index = ItemIndex();
  return index >= 0 && index < EntryCount() ? &FEntries[size_t(index)].Item : nullptr;
}

void TbsSkinShellComboBox::Click() {
  if (!FShowing && FFileListView) {
    if (const ShellItem* folder = SelectedFolder()) {
      // The list opens it, and tells us to show it again, chain and all.
      const ShellItem picked = *folder;
      FFileListView->SetFolder(picked);
    }
  }
  TbsSkinCustomComboBox::Click();
}

void TbsSkinShellComboBox::DrawEntry(TCanvas* canvas, int index, RECT text, bool indented) {
  if (index < 0 || index >= EntryCount()) return;
  const TEntry& entry = FEntries[size_t(index)];
  // Half an icon to the right for each level in the open list.
  const int x = text.Left + (indented ? entry.Level * kSmallIconSize / 2 : 0);
  const int iconY = text.Top + (HeightOf(text) - kSmallIconSize) / 2;
  DrawShellIcon(canvas->Handle(), GetShellIconIndex(entry.Item), x, iconY, ShellIconSize::Small);
  const int textY = text.Top + (HeightOf(text) - canvas->TextHeight("Wg")) / 2;
  canvas->Brush()->SetStyle(bsClear);
  const RECT clip{x + kSmallIconSize + kIconGap, text.Top, text.Right, text.Bottom};
  canvas->TextRect(clip, clip.Left, textY, entry.Item.DisplayName);
}

// ---- TbsSkinFilterComboBox ------------------------------------------------------------

TClass TbsSkinFilterComboBox::StaticClass() {
  using C = TbsSkinFilterComboBox;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinFilterComboBox").Property("Filter", &C::Filter, &C::SetFilter));
  return &info;
}

TbsSkinFilterComboBox::TbsSkinFilterComboBox(TComponent* owner) : TbsSkinCustomComboBox(owner) {}

void TbsSkinFilterComboBox::SetFilter(const std::string& value) {
  FFilter = value;
  FMasks.clear();
  Items()->BeginUpdate();
  Items()->Clear();
  size_t start = 0;
  std::vector<std::string> parts;
  for (;;) {
    const size_t bar = value.find('|', start);
    parts.push_back(value.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    Items()->Add(parts[i]);
    FMasks.push_back(parts[i + 1]);
  }
  Items()->EndUpdate();
  SetItemIndex(FMasks.empty() ? -1 : 0);
}

std::string TbsSkinFilterComboBox::Mask() {
  if (FMasks.empty()) return "*.*";
  if (ItemIndex() < 0 || ItemIndex() >= int(FMasks.size())) SetItemIndex(int(FMasks.size()) - 1);
  return FMasks[size_t(ItemIndex())];
}

}  // namespace kora
