#pragma once
// The two combo boxes of the file dialog: TbsSkinShellComboBox, the chain
// of folders from the desktop down to the one a file list shows, each with
// its small shell icon; and TbsSkinFilterComboBox, the file types of a
// filter string with their masks.

#include <string>
#include <vector>

#include "platform/shell/ShellNamespace.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora {

class TbsSkinFileListView;

class TbsSkinShellComboBox : public TbsSkinCustomComboBox {
  KORA_CLASS(TbsSkinShellComboBox, TbsSkinCustomComboBox)

  explicit TbsSkinShellComboBox(TComponent* owner);
  ~TbsSkinShellComboBox() override;

  // Picking an entry opens its folder there. Not owned; a removed list is
  // forgotten.
  TbsSkinFileListView* FileListView() const { return FFileListView; }
  void SetFileListView(TbsSkinFileListView* value);

  // The entries: the desktop, its folders and, under the one it starts
  // at, the chain down to `folder`, which becomes the selected entry. No
  // folder is opened.
  void ShowFolder(const ShellItem& folder);
  int EntryCount() const { return int(FEntries.size()); }
  const ShellItem& Entry(int index) const { return FEntries.at(size_t(index)).Item; }
  // Levels below the desktop (0).
  int EntryLevel(int index) const { return FEntries.at(size_t(index)).Level; }
  // Null when no entry is selected.
  const ShellItem* SelectedFolder() const;

  void Click() override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  struct TEntry {
    ShellItem Item;
    int Level = 0;
  };
  void DrawEntry(TCanvas* canvas, int index, RECT text, bool indented);

  std::vector<TEntry> FEntries;
  TbsSkinFileListView* FFileListView = nullptr;
  bool FShowing = false;  // selecting an entry for the list, not for the user
};

class TbsSkinFilterComboBox : public TbsSkinCustomComboBox {
  KORA_CLASS(TbsSkinFilterComboBox, TbsSkinCustomComboBox)

  explicit TbsSkinFilterComboBox(TComponent* owner);

  // Pairs "description|mask" joined by "|"; the descriptions become the
  // entries and the first is selected. A trailing description without its
  // mask is left out.
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& value);
  // The selected entry's mask; with nothing selected the last entry is
  // selected first; "*.*" without entries.
  std::string Mask();
  const std::vector<std::string>& Masks() const { return FMasks; }

private:
  std::string FFilter;
  std::vector<std::string> FMasks;
};

}  // namespace kora
