// TbsSkinFileListView: reading a folder through the shell into rows, the
// details columns, navigation by mouse and keys, and the folder watch.

#include "skin/dialogs/bsSkinShellCtrls_FileList.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <unordered_set>

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/SysFiles.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

// Widths of the four details columns, in characters.
constexpr int kNameChars = 25, kSizeChars = 10, kTypeChars = 10, kModifiedChars = 14;

// The shell's pictures, drawn once: they cost more than a whole folder.
const std::vector<ShellIconImage>& ShellIcons(ShellIconSize size) {
  static std::vector<ShellIconImage> small, large;
  std::vector<ShellIconImage>& icons = size == ShellIconSize::Small ? small : large;
  if (icons.empty())
    for (int kind = 0; kind < SHELL_ICON_KIND_COUNT; ++kind)
      icons.push_back(RenderShellIcon(ShellIconKind(kind), size));
  return icons;
}

// The shell's pictures as image lists: the same index in both sizes.
std::unique_ptr<TImageList> ShellImageList(ShellIconSize size) {
  auto list = std::make_unique<TImageList>(nullptr);
  const int side = int(size);
  list->SetWidth(side);
  list->SetHeight(side);
  for (const ShellIconImage& icon : ShellIcons(size)) {
    TBitmap image, mask;
    image.SetSize(side, side);
    mask.SetSize(side, side);
    for (int y = 0; y < side; ++y) {
      auto* pixels = reinterpret_cast<uint32_t*>(image.ScanLine(y));
      auto* shape = reinterpret_cast<uint32_t*>(mask.ScanLine(y));
      for (int x = 0; x < side; ++x) {
        const uint32_t p = icon.Pixels[size_t(y) * size_t(side) + size_t(x)];
        const uint32_t a = p >> 24;
        // Over white, for whoever draws them through the list.
        const auto over = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 255 * (255 - a)) / 255) << shift; };
        pixels[x] = over(16) | over(8) | over(0);
        shape[x] = a >= 128 ? 0 : 0xFFFFFF;
      }
    }
    list->Add(&image, &mask);
  }
  return list;
}

std::string ErrorText(const std::system_error& error) { return SysErrorMessage(error.code().value()); }

}  // namespace

std::string ShellDialogText(const TbsSkinData* skin, const char* key, const char* builtIn) {
  if (skin && skin->ResourceStrData()) {
    std::string text = skin->ResourceStrData()->LookUpResString(key);
    if (!text.empty()) return text;
  }
  return builtIn;
}

std::string FormatShellTime(FileTime time) {
  const LocalDateTime t = ToLocalDateTime(time);
  // Two-second steps, as the file times of the classic file system.
  return Format("%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second & ~1);
}

TClass TbsSkinFileListView::StaticClass() {
  using C = TbsSkinFileListView;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinFileListView")
                                   .Property("Mask", &C::Mask, &C::SetMask)
                                   .Property("AutoRefresh", &C::AutoRefresh, &C::SetAutoRefresh)
                                   .Default(false)
                                   .Property("OnPathChange", &C::OnPathChange)
                                   .Property("OnItemsChange", &C::OnItemsChange)
                                   .Property("OnFileOpen", &C::OnFileOpen));
  return &info;
}

TbsSkinFileListView::TbsSkinFileListView(TComponent* owner)
    : TbsSkinListView(owner),
      FSmall(ShellImageList(ShellIconSize::Small)),
      FLarge(ShellImageList(ShellIconSize::Large)) {
  FFolder = ShellDesktop();
  SetSmallImages(FSmall.get());
  SetLargeImages(FLarge.get());
  OnSelectItem = [this](TObject*, int, bool) { SelectionChanged(); };
}

TbsSkinFileListView::~TbsSkinFileListView() {
  OnSelectItem = nullptr;
  FNotifier.reset();
  // The lists go before the base would tell them about us.
  SetSmallImages(nullptr);
  SetLargeImages(nullptr);
}

void TbsSkinFileListView::Loaded() {
  TbsSkinListView::Loaded();
  // The folder is read once the whole description is in.
  Fill({});
  UpdateWatch();
}

// ---- The folder -----------------------------------------------------------------------

void TbsSkinFileListView::SetPath(const std::string& value) {
  std::string path = value;
  if (IsHomePath(path))
    path = ShellHomeFolder() + path.substr(1);
  else if (!path.empty() && !IsAbsolutePath(path) && !FFolder.Path.empty())
    path = IncludeTrailingPathDelimiter(FFolder.Path) + path;
  ShellItem item;
  try {
    item = path.empty() ? ShellDesktop() : ShellItemFromPath(path);
  } catch (const std::system_error&) {
    throw EbsShellError(Format("Error setting path: \"%s\"", value.c_str()));
  }
  if (!item.IsFolder()) {
    const std::optional<ShellItem> parent = ShellParent(item);
    if (!parent) throw EbsShellError(Format("Error setting path: \"%s\"", value.c_str()));
    item = *parent;
  }
  SetFolder(item);
}

void TbsSkinFileListView::SetFolder(const ShellItem& folder) {
  FFolder = folder;
  SetColumns();
  Fill({});
  UpdateWatch();
  OnPathChange(this);
  OnItemsChange(this);
}

void TbsSkinFileListView::GoUp() {
  if (const std::optional<ShellItem> parent = ShellParent(FFolder)) {
    const std::string from = FFolder.Path;
    SetFolder(*parent);
    // Where we came from stays in view, as the place to go back down.
    const int index = IndexOfPath(from);
    if (index >= 0) SetItemIndex(index);
  }
}

void TbsSkinFileListView::RefreshItems() {
  std::vector<std::string> keep;
  for (int i = 0; i < ItemCount(); ++i)
    if (Selected(i)) keep.push_back(FShellItems[size_t(i)].Path);
  Fill(keep);
  OnItemsChange(this);
}

void TbsSkinFileListView::SetMask(const std::string& value) {
  if (value == FMask) return;
  FMask = value;
  Fill({});
  OnItemsChange(this);
}

void TbsSkinFileListView::CreateFolder(const std::string& name) {
  if (FFolder.Path.empty())
    throw EInOutError(Format("Cannot create folder \"%s\" on the desktop.", name.c_str()), EACCES);
  const std::string path = IncludeTrailingPathDelimiter(FFolder.Path) + name;
  if (!DirectoryExists(path) && !SysMakeFolder(path)) {
    const int error = errno;
    throw EInOutError(Format("Cannot create folder \"%s\". %s", path.c_str(), SysErrorMessage(error).c_str()), error);
  }
  RefreshItems();
  const int index = IndexOfPath(path);
  if (index >= 0) {
    SetItemIndex(index);
    SelectionChanged();
  }
}

void TbsSkinFileListView::Fill(const std::vector<std::string>& keepSelected) {
  if (ComponentState().Contains(csLoading)) return;
  TCursor cursor = crDefault;
  if (kora::Screen) {
    cursor = kora::Screen->Cursor();
    kora::Screen->SetCursor(crHourGlass);
  }
  std::vector<ShellItem> items;
  FFolderError.clear();
  try {
    items = ShellEnumerate(FFolder);
  } catch (const std::system_error& error) {
    // An empty list that says why, instead of a failure the user cannot act on.
    FFolderError = ErrorText(error);
  }
  const std::unordered_set<std::string> keep(keepSelected.begin(), keepSelected.end());
  BeginUpdate();
  ClearItems();
  FShellItems.clear();
  FShellItems.reserve(items.size());
  for (ShellItem& item : items) {
    if (!item.IsFolder() && !MatchesMask(item.DisplayName, FMask)) continue;
    TListItem row;
    row.Caption = item.DisplayName;
    row.ImageIndex = GetShellIconIndex(item);
    row.Selected = keep.contains(item.Path) && (MultiSelect() || SelCount() == 0);
    FShellItems.push_back(std::move(item));
    const int index = AddItem(row);
    if (row.Selected && MultiSelect()) SetSelected(index, true);
  }
  EndUpdate();
  SetEmptyText(FFolderError.empty()
                   ? std::string()
                   : ShellDialogText(SkinData(), "MSG_FOLDER_UNREADABLE", "无法读取此文件夹。") + "\n" + FFolderError);
  if (kora::Screen) kora::Screen->SetCursor(cursor);
}

void TbsSkinFileListView::SetColumns() {
  // The shell reports no columns of its own here: a folder of the file
  // system gets the four, the desktop only the name.
  FFileSystemColumns = FFolder.Kind != ShellItemKind::Desktop;
  Canvas()->SetFont(Font());
  const int x = std::max(int(Canvas()->TextWidth("X")), 1);
  std::vector<TListColumn>& columns = Columns();
  columns.clear();
  columns.push_back({ShellDialogText(SkinData(), "FLV_NAME", "名称"), kNameChars * x, taLeftJustify});
  if (FFileSystemColumns) {
    columns.push_back({ShellDialogText(SkinData(), "FLV_SIZE", "大小"), kSizeChars * x, taRightJustify});
    columns.push_back({ShellDialogText(SkinData(), "FLV_TYPE", "类型"), kTypeChars * x, taLeftJustify});
    // The time shows whole: the column is never narrower than its text.
    const int modified = std::max(kModifiedChars * x, int(Canvas()->TextWidth(FormatShellTime({}))) + 12);
    columns.push_back({ShellDialogText(SkinData(), "FLV_MODIFIED", "修改时间"), modified, taLeftJustify});
  }
  ColumnsChanged();
}

void TbsSkinFileListView::FillSubItems(int index) {
  TListItem& row = Items(index);
  if (!FFileSystemColumns || !row.SubItems.empty()) return;
  const ShellItem& item = FShellItems[size_t(index)];
  // A folder has no size or type of its own; its time is its own.
  if (item.IsFolder())
    row.SubItems = {std::string(), std::string(), FormatShellTime(item.LastWrite)};
  else
    row.SubItems = {IntToStr(item.Size), ExtractFileExt(item.DisplayName), FormatShellTime(item.LastWrite)};
}

int TbsSkinFileListView::IndexOfPath(const std::string& path) const {
  for (size_t i = 0; i < FShellItems.size(); ++i)
    if (FShellItems[i].Path == path) return int(i);
  return -1;
}

int TbsSkinFileListView::IndexOfName(const std::string& name) const {
  for (size_t i = 0; i < FShellItems.size(); ++i)
    if (FShellItems[i].DisplayName == name) return int(i);
  return -1;
}

std::string TbsSkinFileListView::SelectedFilePath() const {
  const int index = ItemIndex();
  if (index < 0 || !Selected(index) || FShellItems[size_t(index)].IsFolder()) return {};
  return FShellItems[size_t(index)].Path;
}

std::vector<std::string> TbsSkinFileListView::SelectedFilePaths() const {
  std::vector<std::string> paths;
  for (int i = 0; i < ItemCount(); ++i)
    if (Selected(i) && !FShellItems[size_t(i)].IsFolder()) paths.push_back(FShellItems[size_t(i)].Path);
  return paths;
}

// ---- Watching -------------------------------------------------------------------------

void TbsSkinFileListView::SetAutoRefresh(bool value) {
  if (value == FAutoRefresh) return;
  FAutoRefresh = value;
  UpdateWatch();
}

void TbsSkinFileListView::UpdateWatch() {
  if (!FAutoRefresh || FFolder.Path.empty() || ComponentState().Contains(csLoading)) {
    FNotifier.reset();
    return;
  }
  if (!FNotifier) FNotifier = std::make_unique<TbsShellChangeNotifier>(nullptr);
  FNotifier->SetWatchSubTree(false);
  FNotifier->SetRoot(FFolder.Path);
  if (!FNotifier->OnChange()) FNotifier->SetOnChange([this](TObject*) { RefreshItems(); });
}

// ---- Mouse and keys -------------------------------------------------------------------

void TbsSkinFileListView::SelectionChanged() { OnItemsChange(this); }

void TbsSkinFileListView::OpenRow(int index) {
  if (index < 0 || index >= ItemCount()) return;
  const ShellItem item = FShellItems[size_t(index)];
  if (item.IsFolder())
    SetFolder(item);
  else
    OnFileOpen(this);
}

void TbsSkinFileListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FPressedIndex = ItemAt(x, y);
  TbsSkinListView::MouseDown(button, shift, x, y);
}

void TbsSkinFileListView::DblClick() {
  TbsSkinListView::DblClick();
  // Only a double-click on a row opens it, not one on the empty space.
  if (FPressedIndex >= 0 && FPressedIndex == ItemIndex()) OpenRow(FPressedIndex);
}

void TbsSkinFileListView::KeyDown(WORD& key, TShiftState shift) {
  switch (key) {
    case VK_RETURN:
      if (shift.Contains(ssAlt)) {
        if (ItemIndex() >= 0 && Selected(ItemIndex())) ShowProperties(ItemIndex());
      } else if (ItemIndex() >= 0 && Selected(ItemIndex())) {
        OpenRow(ItemIndex());
      }
      key = 0;
      return;
    case VK_BACK:
      GoUp();
      key = 0;
      return;
    case VK_F5:
      RefreshItems();
      key = 0;
      return;
    default: TbsSkinListView::KeyDown(key, shift);
  }
}

void TbsSkinFileListView::WndProc(TMessage& message) {
  // Enter belongs to the list: it opens the folder or takes the file.
  if (message.Msg == WM_GETDLGCODE) {
    message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    const auto* msg = reinterpret_cast<const MSG*>(message.LParam);
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) message.Result |= DLGC_WANTALLKEYS;
    return;
  }
  TbsSkinListView::WndProc(message);
}

void TbsSkinFileListView::ShowProperties(int index) {
  const ShellItem& item = FShellItems[size_t(index)];
  std::string text = item.DisplayName + "\n\n";
  text += ShellDialogText(SkinData(), "FLV_TYPE", "类型") + ": " +
          (item.IsFolder() ? ShellDialogText(SkinData(), "MSG_FOLDER", "文件夹") : ExtractFileExt(item.DisplayName)) +
          "\n";
  if (!item.Path.empty()) text += item.Path + "\n";
  if (!item.IsFolder()) text += ShellDialogText(SkinData(), "FLV_SIZE", "大小") + ": " + IntToStr(item.Size) + "\n";
  if (item.Kind != ShellItemKind::Desktop)
    text += ShellDialogText(SkinData(), "FLV_MODIFIED", "修改时间") + ": " + FormatShellTime(item.LastWrite);
  TbsSkinMessage message(nullptr);
  const TbsSkinForm* frame = FindSkinForm(GetParentForm(this));
  message.SetSkinData(frame ? frame->SkinData() : SkinData());
  message.SetCtrlSkinData(SkinData());
  message.ShowMessageBox(text, mtInformation, {mbOK}, 0);
}

// ---- Painting -------------------------------------------------------------------------

void TbsSkinFileListView::DrawItem(int index, const RECT& rect, bool selected) {
  if (ViewStyle() == vsReport) FillSubItems(index);
  TbsSkinListView::DrawItem(index, rect, selected);
}

void TbsSkinFileListView::DrawItemImage(TCanvas* canvas, int index, int x, int y, bool large) {
  DrawShellIcon(canvas->Handle(), Items(index).ImageIndex, x, y, large ? ShellIconSize::Large : ShellIconSize::Small);
}

}  // namespace kora
