#pragma once
// TbsSkinFileListView: the skinned list view showing one folder of the
// shell namespace: its folders, then the files its mask lets through, with
// shell icons, and in the details style the name, size, type and
// modification time. It opens folders on a double-click or Enter, goes up
// on Backspace, reloads on F5, and can watch its folder and reload by
// itself.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/ImgList.h"
#include "platform/shell/ShellNamespace.h"
#include "skin/controls/bsSkinBoxCtrls_ListView.h"

namespace kora {

class TbsShellChangeNotifier;

// A path the shell could not make sense of: "Error setting path: "%s"".
class EbsShellError : public Exception {
public:
  using Exception::Exception;
};

// A text of the shell dialogs: the skin's string under key when it has a
// table with that key, else the built-in one.
std::string ShellDialogText(const TbsSkinData* skin, const char* key, const char* builtIn);

// The modification time as the list shows it: local time, to two seconds,
// "yyyy-mm-dd hh:nn:ss".
std::string FormatShellTime(FileTime time);

class TbsSkinFileListView : public TbsSkinListView {
  KORA_CLASS(TbsSkinFileListView, TbsSkinListView)

  explicit TbsSkinFileListView(TComponent* owner);
  ~TbsSkinFileListView() override;

  // ---- The folder ----
  const ShellItem& Folder() const { return FFolder; }
  // The folder's path; empty for the desktop.
  const std::string& Path() const { return FFolder.Path; }
  // Opens a folder by path ("~" is the home folder; a relative path starts
  // at the current folder). A path with nothing there raises EbsShellError;
  // a file opens the folder it is in.
  void SetPath(const std::string& value);
  // Opens a folder of the namespace.
  void SetFolder(const ShellItem& folder);
  // The folder above, if any.
  void GoUp();
  // Reads the folder again, keeping the selection where its items remain.
  void RefreshItems();
  // Why the folder could not be read; empty when it was.
  const std::string& FolderError() const { return FFolderError; }
  // Makes a folder inside the current one unless it exists, reloads and
  // selects it. Raises EInOutError when it cannot be made.
  void CreateFolder(const std::string& name);

  // ---- What is shown ----
  // Files must match it (see MatchesMask); folders always show.
  const std::string& Mask() const { return FMask; }
  void SetMask(const std::string& value);
  // The shell item behind a row.
  const ShellItem& ShellItemOf(int index) const { return FShellItems.at(size_t(index)); }
  // The row of a path or a name in this folder; -1 when not shown.
  int IndexOfPath(const std::string& path) const;
  int IndexOfName(const std::string& name) const;
  // The selected item's full path when it is a file; empty otherwise.
  std::string SelectedFilePath() const;
  // Every selected file's full path, in list order.
  std::vector<std::string> SelectedFilePaths() const;

  // ---- Watching ----
  // Watches the folder (not below it) and reloads on every change.
  bool AutoRefresh() const { return FAutoRefresh; }
  void SetAutoRefresh(bool value);
  TbsShellChangeNotifier* Notifier() const { return FNotifier.get(); }

  // After every change of folder.
  TNotifyEvent OnPathChange;
  // After every change of the items or the selection (and of folder).
  TNotifyEvent OnItemsChange;
  // A file was chosen: Enter on it or a double-click.
  TNotifyEvent OnFileOpen;

  void Loaded() override;

protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void WndProc(TMessage& message) override;
  void DrawItem(int index, const RECT& rect, bool selected) override;
  void DrawItemImage(TCanvas* canvas, int index, int x, int y, bool large) override;
  // Alt+Enter: what the shell knows of the item.
  virtual void ShowProperties(int index);

private:
  void Fill(const std::vector<std::string>& keepSelected);
  void SetColumns();
  void FillSubItems(int index);
  // Opens a folder the user picked (a row, or Backspace).
  void OpenRow(int index);
  void UpdateWatch();
  void SelectionChanged();

  ShellItem FFolder;
  std::string FMask = "*.*";
  std::vector<ShellItem> FShellItems;
  std::string FFolderError;
  bool FAutoRefresh = false;
  std::unique_ptr<TbsShellChangeNotifier> FNotifier;
  std::unique_ptr<TImageList> FSmall, FLarge;
  bool FFileSystemColumns = false;
  int FPressedIndex = -1;  // the row under the last press
};

}  // namespace kora
