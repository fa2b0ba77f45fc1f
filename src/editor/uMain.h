#pragma once
// TfrmMain, the editor's main window: a skinned frame with a menu bar and
// three pages (characters, classes, items) whose spin edits show one record
// of the open ROM's data image. Its layout, skin and handler bindings come
// from its stored form description, which the build compiles into the
// program.

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "editor/EditHistory.h"
#include "editor/NameLists.h"
#include "editor/Records.h"
#include "editor/RomSession.h"
#include "editor/WorkLock.h"
#include "framework/controls/StdCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus.h"

namespace kora {

class TbsSkinComboBox;
class TbsSkinSpinEdit;
class TbsSkinPageControl;
class TbsSkinMessage;
class TbsSkinOpenDialog;

class TfrmMain : public TForm {
  KORA_CLASS(TfrmMain, TForm)

  explicit TfrmMain(TComponent* owner);
  ~TfrmMain() override;

  // ---- Handlers bound by name from the stored form ----
  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void bsSkinComboBox3Click(TObject* sender);
  void bsSkinButton1Click(TObject* sender);
  void bsSkinButton4Click(TObject* sender);
  void bsSkinButton5Click(TObject* sender);
  void bsSkinComboBox1Click(TObject* sender);
  void bsSkinButton2Click(TObject* sender);
  void bsSkinButton7Click(TObject* sender);
  void bsSkinButton6Click(TObject* sender);
  void bsSkinComboBox2Click(TObject* sender);
  void bsSkinButton3Click(TObject* sender);
  void N1Click(TObject* sender);
  void N4Click(TObject* sender);
  void N3Click(TObject* sender);
  void A1Click(TObject* sender);
  void U1Click(TObject* sender);
  void R1Click(TObject* sender);
  // Draws a character entry: its name, then its portrait over it.
  void bsSkinComboBox3ListBoxDrawItem(TCanvas* canvas, int index, int itemWidth, int itemHeight, RECT textRect,
                                      TOwnerDrawState state);

  // Loads the name lists and pictures into the combo boxes and image lists.
  void LoadAllRes();
  // The open command's road for a ROM named on the command line or dropped
  // on the window: the same steps as after the open dialog.
  void OpenRom(const std::string& path);

  // ---- The field tables, filled by FormCreate ----
  std::array<TbsSkinSpinEdit*, 16> CharFields{};
  std::array<TbsSkinSpinEdit*, 16> CareFields{};
  std::array<TbsSkinSpinEdit*, 8> CareLimitFields{};
  std::array<TbsSkinSpinEdit*, 8> ItemFields{};
  std::array<TbsSkinSpinEdit*, 8> ItemBonusFields{};

  // The folder of the name lists and pictures with a trailing separator, from
  // FormCreate on: the executable's folder in a program folder.
  const std::string& AppPath() const { return FAppPath; }
  RomSession* Session() const { return FSession.get(); }
  const NameLists& Lists() const { return FLists; }

  // The messages of the save and about commands, lines broken by LF CR.
  static const std::string kSavedMessage;
  static const std::string kAboutMessage;

protected:
  void CreateWnd() override;
  // Files dropped on the window: the first is opened as a ROM.
  void WndProc(TMessage& message) override;

private:
  template <class T>
  T* Part(const char* name) const;
  // Takes the working folder's lock when it can; raises what stops it.
  void EnsureWorkLock();
  // A journal of a cut-short save that the open had to set aside is told.
  void ShowRecovery();
  // Every page whose combo box has a selection shows that record again.
  void ShowSelectedRecords();
  void StepFields(int delta, std::span<TbsSkinSpinEdit* const> fields);
  // "确定" on a page: put(image) stores the fields into the record, whose
  // bytes lie in span; what changed goes into the history.
  template <class TPut>
  void ApplyRecord(EditPage page, int record, std::optional<ByteSpan> span, TPut put);
  // An undone or redone change: its page and record shown.
  void ShowEdit(const RecordEdit* edit);
  // What the window says of the ROM: the caption (file, read-only, unsaved
  // changes), the commands that apply, and the marks of the fields whose
  // value differs from what the ROM holds.
  void UpdateTrustState();
  void UpdateMarks();
  int SelectedCharRecord() const;
  int SelectedCareRecord() const;
  int SelectedItemRecord() const;

  std::string FAppPath;
  std::unique_ptr<RomSession> FSession;
  std::unique_ptr<WorkLock> FWorkLock;
  NameLists FLists;
  EditHistory FHistory;
};

// Where FormCreate finds the program folder; empty (the default) means the
// running executable's folder. Tests run the window from the build's
// program folder.
void SetMainProgramFolder(const std::string& folder);

// The main window's binary form stream, as the build compiles it from the
// stored form description and the program's skin.
std::span<const uint8_t> MainFormStream();

// Makes the main window from its stored form: the components and their
// properties, the references between them (which loads the skin and relays
// it to the controls), then FormCreate. Registers the classes it names.
TfrmMain* CreateMainForm(TComponent* owner);

// Says in the window's own message box why the editor cannot start (another
// editor holds the program folder), and waits until it is closed.
void ShowStartRefusal(const EWorkFolderLocked& refusal);

}  // namespace kora
