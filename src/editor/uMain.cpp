// TfrmMain: the handlers of the main window and the road from a command to
// the data image, the working files and the ROM.

#include "editor/uMain.h"

#include <cstdio>

#include "editor/RecordTexts.h"
#include "editor/Texts.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Filer.h"
#include "framework/core/FormText.h"
#include "platform/shell/FileSystem.h"
#include "platform/window/DropFiles.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinShellCtrls.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

std::string GProgramFolder;
// Set while the window is made only to say why the editor cannot start:
// it then takes no lock and loads nothing.
bool GNoticeOnly = false;

// The texts' line breaks are LF CR, as the message box lays them out.
constexpr const char* kBreak = "\n\r";

}  // namespace

const std::string TfrmMain::kSavedMessage = std::string("数据导入成功!") + kBreak + "谢谢使用!";
const std::string TfrmMain::kAboutMessage = std::string("程序编写: Kora Editor 开发组") + kBreak + kBreak +
                                            "相关资料来源于:" + kBreak + "游戏数据的分析资料与玩家整理的数值表" +
                                            kBreak + kBreak + "感谢:" + kBreak + "所有试用并反馈问题的朋友";

void SetMainProgramFolder(const std::string& folder) { GProgramFolder = folder; }

TClass TfrmMain::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TfrmMain>("TfrmMain")
          .Method("FormCreate", &TfrmMain::FormCreate)
          .Method("FormDestroy", &TfrmMain::FormDestroy)
          .Method("bsSkinComboBox3Click", &TfrmMain::bsSkinComboBox3Click)
          .Method("bsSkinButton1Click", &TfrmMain::bsSkinButton1Click)
          .Method("bsSkinButton4Click", &TfrmMain::bsSkinButton4Click)
          .Method("bsSkinButton5Click", &TfrmMain::bsSkinButton5Click)
          .Method("bsSkinComboBox1Click", &TfrmMain::bsSkinComboBox1Click)
          .Method("bsSkinButton2Click", &TfrmMain::bsSkinButton2Click)
          .Method("bsSkinButton7Click", &TfrmMain::bsSkinButton7Click)
          .Method("bsSkinButton6Click", &TfrmMain::bsSkinButton6Click)
          .Method("bsSkinComboBox2Click", &TfrmMain::bsSkinComboBox2Click)
          .Method("bsSkinButton3Click", &TfrmMain::bsSkinButton3Click)
          .Method("N1Click", &TfrmMain::N1Click)
          .Method("N4Click", &TfrmMain::N4Click)
          .Method("N3Click", &TfrmMain::N3Click)
          .Method("A1Click", &TfrmMain::A1Click)
          .Method("U1Click", &TfrmMain::U1Click)
          .Method("R1Click", &TfrmMain::R1Click)
          .Method("bsSkinComboBox3ListBoxDrawItem", &TfrmMain::bsSkinComboBox3ListBoxDrawItem));
  return &info;
}

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {}

TfrmMain::~TfrmMain() {
  // FormDestroy needs the session and the lock, which go before the base's
  // destructor would raise it.
  DoDestroy();
}

template <class T>
T* TfrmMain::Part(const char* name) const {
  auto* part = dynamic_cast<T*>(FindComponent(name));
  if (!part) throw EComponentError(std::string("The main window has no ") + name);
  return part;
}

// ---- Creation and destruction ------------------------------------------------------

void TfrmMain::FormCreate(TObject*) {
  auto edits = [this](std::span<TbsSkinSpinEdit*> table, std::initializer_list<int> numbers) {
    size_t i = 0;
    for (const int n : numbers) table[i++] = Part<TbsSkinSpinEdit>(("bsSkinEdit" + std::to_string(n)).c_str());
  };
  edits(CharFields, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  edits(CareFields, {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36});
  edits(CareLimitFields, {37, 38, 39, 40, 41, 42, 43, 44});
  edits(ItemFields, {55, 56, 57, 58, 59, 60, 61, 53});
  edits(ItemBonusFields, {45, 46, 47, 48, 49, 50, 51, 52});
  // Every change of a field may make it differ from the ROM, or not any more.
  for (std::span<TbsSkinSpinEdit* const> table :
       {std::span<TbsSkinSpinEdit* const>(CharFields), std::span<TbsSkinSpinEdit* const>(CareFields),
        std::span<TbsSkinSpinEdit* const>(CareLimitFields), std::span<TbsSkinSpinEdit* const>(ItemFields),
        std::span<TbsSkinSpinEdit* const>(ItemBonusFields)})
    for (TbsSkinSpinEdit* field : table) field->OnChange = [this](TObject*) { UpdateMarks(); };

  ProgramPaths paths = GProgramFolder.empty() ? ProgramPaths::OfThisProgram() : ProgramPaths::Portable(GProgramFolder);
  FAppPath = paths.AppPath;
  if (GNoticeOnly) return;
  FSession = std::make_unique<RomSession>(std::move(paths));
  // A second program on the same working files would delete this one's: it
  // is refused here. Without its working folder the window still opens; the
  // first open then reports what is missing.
  try {
    EnsureWorkLock();
  } catch (const EWorkFolderLocked&) {
    throw;
  } catch (const Exception&) {}

  // A missing list or picture is reported; the window opens with what loaded.
  try {
    LoadAllRes();
  } catch (const std::exception& error) {
    if (Application) Application->HandleException(this, error);
  }
}

void TfrmMain::FormDestroy(TObject*) {
  // Only the working files of our own lock: another program's stay.
  if (FSession && FWorkLock) FSession->CleanUp();
}

void TfrmMain::EnsureWorkLock() {
  if (!FWorkLock) FWorkLock = std::make_unique<WorkLock>(FSession->Paths(), "Kora Editor");
}

void TfrmMain::LoadAllRes() {
  auto* items = Part<TbsSkinComboBox>("bsSkinComboBox2");
  auto* chars = Part<TbsSkinComboBox>("bsSkinComboBox3");
  auto* classes = Part<TbsSkinComboBox>("bsSkinComboBox1");
  auto* icons = Part<TImageList>("ImageList1");
  auto* portraits = Part<TImageList>("ImageList2");
  TBitmap picture;
  const auto addPicture = [&picture](TImageList* list) {
    return [&picture, list](const std::string& path) {
      RefuseSpecialFile(path);
      TFileStream file(path, fmOpenRead | fmShareDenyWrite);
      AddPicture(file, path, picture, *list);
    };
  };
  // The combo boxes follow the lists entry by entry, so a failure leaves
  // each box with the entries loaded up to it.
  FLists = NameLists();
  items->Items()->Clear();
  chars->Items()->Clear();
  classes->Items()->Clear();
  try {
    LoadNameLists(FAppPath, FLists, addPicture(icons), addPicture(portraits));
  } catch (...) {
    for (const auto& name : FLists.ItemNames) items->Items()->Add(name);
    for (const auto& name : FLists.CharNames) chars->Items()->Add(name);
    for (const auto& name : FLists.ClassNames) classes->Items()->Add(name);
    throw;
  }
  for (const auto& name : FLists.ItemNames) items->Items()->Add(name);
  for (const auto& name : FLists.CharNames) chars->Items()->Add(name);
  for (const auto& name : FLists.ClassNames) classes->Items()->Add(name);
}

void TfrmMain::bsSkinComboBox3ListBoxDrawItem(TCanvas* canvas, int index, int, int, RECT textRect, TOwnerDrawState) {
  auto* chars = Part<TbsSkinComboBox>("bsSkinComboBox3");
  if (index < 0 || index >= chars->Items()->Count()) return;
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextOut(textRect.Left + 5, textRect.Top + 5, chars->Items()->Strings(index));
  auto* portraits = Part<TImageList>("ImageList2");
  if (index < portraits->Count()) portraits->Draw(canvas, textRect.Left, textRect.Top - 5, index, true);
}

// ---- Records -----------------------------------------------------------------------------

int TfrmMain::SelectedCharRecord() const {
  return FLists.CharRecordAt(Part<TbsSkinComboBox>("bsSkinComboBox3")->ItemIndex());
}
int TfrmMain::SelectedCareRecord() const {
  return FLists.ClassRecordAt(Part<TbsSkinComboBox>("bsSkinComboBox1")->ItemIndex());
}
int TfrmMain::SelectedItemRecord() const {
  return FLists.ItemRecordAt(Part<TbsSkinComboBox>("bsSkinComboBox2")->ItemIndex());
}

namespace {

template <size_t N>
void ShowTexts(const std::array<std::string, N>& texts, std::span<TbsSkinSpinEdit* const> fields) {
  for (size_t i = 0; i < N; ++i) fields[i]->SetText(texts[i]);
}

template <size_t N>
std::array<std::string, N> TextsOf(std::span<TbsSkinSpinEdit* const> fields) {
  std::array<std::string, N> texts;
  for (size_t i = 0; i < N; ++i) texts[i] = fields[i]->Text();
  return texts;
}

// The same number, whatever the digits look like ("05" and "5"); a text
// that is no number differs from any.
bool SameNumber(const std::string& shown, const std::string& held) {
  int a = 0, b = 0;
  return TryStrToInt(shown, a) && TryStrToInt(held, b) && a == b;
}

template <size_t N>
void MarkDifferences(std::span<TbsSkinSpinEdit* const> fields, const std::array<std::string, N>& held, bool open) {
  for (size_t i = 0; i < N; ++i) fields[i]->SetMarked(open && !SameNumber(fields[i]->Text(), held[i]));
}

}  // namespace

void TfrmMain::bsSkinComboBox3Click(TObject*) {
  CharTexts texts;
  if (GetCharData(FSession->Image(), SelectedCharRecord(), texts)) ShowTexts(texts, CharFields);
  UpdateMarks();
}

template <class TPut>
void TfrmMain::ApplyRecord(EditPage page, int record, std::optional<ByteSpan> span, TPut put) {
  DataImage& image = FSession->Image();
  std::vector<uint8_t> before;
  if (span) before.assign(image.begin() + span->First, image.begin() + span->End);
  // A field that is no number stops the store half way: what it stored is
  // a change like any other.
  try {
    put(image);
  } catch (...) {
    if (span) FHistory.Applied(page, record, span->First, std::move(before), image);
    UpdateTrustState();
    throw;
  }
  if (span) FHistory.Applied(page, record, span->First, std::move(before), image);
  UpdateTrustState();
}

void TfrmMain::bsSkinButton1Click(TObject*) {
  const int record = SelectedCharRecord();
  ApplyRecord(EditPage::Characters, record, CharRecordSpan(FSession->Image(), record),
              [&](DataImage& image) { PutCharData(image, record, TextsOf<16>(CharFields)); });
}

void TfrmMain::bsSkinComboBox1Click(TObject*) {
  CareTexts texts;
  CareLimitTexts limits;
  if (GetCareData(FSession->Image(), SelectedCareRecord(), texts, limits)) {
    ShowTexts(texts, CareFields);
    ShowTexts(limits, CareLimitFields);
  }
  UpdateMarks();
}

void TfrmMain::bsSkinButton2Click(TObject*) {
  const int record = SelectedCareRecord();
  ApplyRecord(EditPage::Classes, record, ClassRecordSpan(FSession->Image(), record), [&](DataImage& image) {
    PutCareData(image, record, TextsOf<16>(CareFields), TextsOf<8>(CareLimitFields));
  });
}

void TfrmMain::bsSkinComboBox2Click(TObject*) {
  ItemTexts texts;
  ItemBonusTexts bonus;
  if (GetItemData(FSession->Image(), SelectedItemRecord(), texts, bonus)) {
    ShowTexts(texts, ItemFields);
    ShowTexts(bonus, ItemBonusFields);
  }
  UpdateMarks();
}

void TfrmMain::bsSkinButton3Click(TObject*) {
  const int record = SelectedItemRecord();
  ApplyRecord(EditPage::Items, record, ItemRecordSpan(FSession->Image(), record), [&](DataImage& image) {
    PutItemData(image, record, TextsOf<8>(ItemFields), TextsOf<8>(ItemBonusFields));
  });
}

void TfrmMain::StepFields(int delta, std::span<TbsSkinSpinEdit* const> fields) {
  // The value, not the text: setting it clamps to the range and rewrites the text.
  for (TbsSkinSpinEdit* field : fields) field->SetValue(field->Value() + delta);
}

void TfrmMain::bsSkinButton4Click(TObject*) { StepFields(10, CharFields); }
void TfrmMain::bsSkinButton5Click(TObject*) { StepFields(-10, CharFields); }

void TfrmMain::bsSkinButton7Click(TObject*) {
  StepFields(10, CareFields);
  StepFields(10, CareLimitFields);
}

void TfrmMain::bsSkinButton6Click(TObject*) {
  StepFields(-10, CareFields);
  StepFields(-10, CareLimitFields);
}

void TfrmMain::ShowSelectedRecords() {
  if (Part<TbsSkinComboBox>("bsSkinComboBox3")->ItemIndex() >= 0) bsSkinComboBox3Click(this);
  if (Part<TbsSkinComboBox>("bsSkinComboBox1")->ItemIndex() >= 0) bsSkinComboBox1Click(this);
  if (Part<TbsSkinComboBox>("bsSkinComboBox2")->ItemIndex() >= 0) bsSkinComboBox2Click(this);
}

// ---- Commands ----------------------------------------------------------------------------

void TfrmMain::N1Click(TObject*) {
  auto* dialog = Part<TbsSkinOpenDialog>("bsSkinOpenDialog1");
  // The first time in the program folder (the home folder when installed);
  // afterwards the dialog starts in the folder of the FileName it keeps,
  // the last chosen ROM's.
  if (dialog->FileName().empty()) dialog->InitialDir = FSession->Paths().FirstFolder;
  if (!dialog->ChooseFile()) return;
  const std::string path = dialog->FileName();
  if (!FileExists(path)) return;
  OpenRom(path);
}

void TfrmMain::OpenRom(const std::string& path) {
  EnsureWorkLock();
  try {
    FSession->Open(path);
  } catch (...) {
    ShowRecovery();
    throw;
  }
  ShowRecovery();
  // What was applied to the last ROM cannot be taken back into this one.
  FHistory.Clear();
  Part<TbsSkinPageControl>("bsSkinPageControl1")->SetEnabled(true);
  // The pages show the new ROM's records: edits made on the old ones would
  // otherwise be applied to the new ROM's data by "确定".
  ShowSelectedRecords();
  UpdateTrustState();
  if (FSession->ReadOnly())
    Part<TbsSkinMessage>("bsSkinMessage1")
        ->ShowMessageBox(std::string("这个 ROM 文件是只读的：可以查看其中的数据，但不能保存修改。") + kBreak + path,
                         mtWarning, TMsgDlgButtons{mbOK}, 0);
}

void TfrmMain::ShowRecovery() {
  const RecoveryReport& report = FSession->LastRecovery();
  if (report.Outcome != RecoveryOutcome::SetAside) return;
  const std::string text = Format("上次未完成的保存留下的日志无法使用(%s), 已改名为 \"%s\" 保留; ROM 未被改动。",
                                  report.Reason.c_str(), report.SetAsidePath.c_str());
  try {
    Part<TbsSkinMessage>("bsSkinMessage1")->ShowMessageBox(text, mtWarning, TMsgDlgButtons{mbOK}, 0);
  } catch (const std::exception&) {
    // No box where no one can close it: the report's road still tells it.
    if (Application) Application->HandleException(this, Exception(text));
  }
}

void TfrmMain::N4Click(TObject*) {
  EnsureWorkLock();
  FSession->Save();
  UpdateTrustState();
  Part<TbsSkinMessage>("bsSkinMessage1")->ShowMessageBox(kSavedMessage, mtInformation, TMsgDlgButtons{mbYes}, 0);
}

void TfrmMain::U1Click(TObject*) {
  if (FSession->IsOpen()) ShowEdit(FHistory.Undo(FSession->Image()));
}

void TfrmMain::R1Click(TObject*) {
  if (FSession->IsOpen()) ShowEdit(FHistory.Redo(FSession->Image()));
}

void TfrmMain::ShowEdit(const RecordEdit* edit) {
  if (!edit) return;
  struct Page {
    const char* Combo;
    int (NameLists::*RecordAt)(int) const;
  };
  static constexpr Page kPages[] = {{"bsSkinComboBox3", &NameLists::CharRecordAt},
                                    {"bsSkinComboBox1", &NameLists::ClassRecordAt},
                                    {"bsSkinComboBox2", &NameLists::ItemRecordAt}};
  const Page& page = kPages[int(edit->Page)];
  Part<TbsSkinPageControl>("bsSkinPageControl1")->SetActivePageIndex(int(edit->Page));
  auto* combo = Part<TbsSkinComboBox>(page.Combo);
  for (int i = 0; i < combo->Items()->Count(); ++i) {
    if ((FLists.*page.RecordAt)(i) != edit->Record) continue;
    combo->SetItemIndex(i);
    break;
  }
  ShowSelectedRecords();
  UpdateTrustState();
}

void TfrmMain::UpdateTrustState() {
  const bool open = FSession && FSession->IsOpen();
  std::string caption = "Kora Editor";
  if (open) {
    caption += " - " + ExtractFileName(FSession->RomFileName());
    if (FSession->ReadOnly()) caption += " [只读]";
    if (FSession->Modified()) caption += " *";
  }
  if (Caption() != caption) SetCaption(caption);
  const auto enable = [this](const char* name, bool enabled) {
    auto* item = Part<TMenuItem>(name);
    if (item->Enabled() != enabled) item->SetEnabled(enabled);
  };
  enable("N4", open && !FSession->ReadOnly());
  enable("U1", open && FHistory.CanUndo());
  enable("R1", open && FHistory.CanRedo());
  UpdateMarks();
}

void TfrmMain::UpdateMarks() {
  if (!FSession) return;
  const bool open = FSession->IsOpen();
  const DataImage& held = FSession->SavedImage();
  CharTexts chars;
  MarkDifferences(std::span<TbsSkinSpinEdit* const>(CharFields), chars,
                  open && GetCharData(held, SelectedCharRecord(), chars));
  CareTexts care;
  CareLimitTexts limits;
  const bool careShown = open && GetCareData(held, SelectedCareRecord(), care, limits);
  MarkDifferences(std::span<TbsSkinSpinEdit* const>(CareFields), care, careShown);
  MarkDifferences(std::span<TbsSkinSpinEdit* const>(CareLimitFields), limits, careShown);
  ItemTexts items;
  ItemBonusTexts bonus;
  const bool itemShown = open && GetItemData(held, SelectedItemRecord(), items, bonus);
  MarkDifferences(std::span<TbsSkinSpinEdit* const>(ItemFields), items, itemShown);
  MarkDifferences(std::span<TbsSkinSpinEdit* const>(ItemBonusFields), bonus, itemShown);
}

void TfrmMain::N3Click(TObject*) {
  if (FWorkLock) FSession->CleanUp();
  Close();
}

void TfrmMain::A1Click(TObject*) {
  Part<TbsSkinMessage>("bsSkinMessage1")->ShowMessageBox(kAboutMessage, mtInformation, TMsgDlgButtons{mbYes}, 0);
}

void TfrmMain::CreateWnd() {
  TForm::CreateWnd();
  DragAcceptFiles(Handle(), true);
}

void TfrmMain::WndProc(TMessage& message) {
  if (message.Msg != WM_DROPFILES) {
    TForm::WndProc(message);
    return;
  }
  // A ROM dropped on the window takes the open command's road.
  const std::vector<std::string> paths = DragQueryFiles(message.WParam);
  DragFinish(message.WParam);
  message.Result = 0;
  if (paths.empty()) return;
  try {
    OpenRom(paths.front());
  } catch (const std::exception& error) {
    if (Application) Application->HandleException(this, error);
  }
}

// ---- The stored form ---------------------------------------------------------------------

TfrmMain* CreateMainForm(TComponent* owner) {
  RegisterFrameworkClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  RegisterSkinFormClasses();
  RegisterSkinDialogClasses();
  RegisterClass(TfrmMain::StaticClass());
  SetMessageLanguage(TMessageLanguage::Chinese);
  const std::span<const uint8_t> stream = MainFormStream();
  TMemoryStream input;
  input.WriteBuffer(stream.data(), int64_t(stream.size()));
  input.SetPosition(0);
  auto form = std::make_unique<TfrmMain>(owner);
  ReadComponent(input, form.get());
  return form.release();
}

void ShowStartRefusal(const EWorkFolderLocked& refusal) {
  struct NoticeOnly {
    NoticeOnly() { GNoticeOnly = true; }
    ~NoticeOnly() { GNoticeOnly = false; }
  };
  std::unique_ptr<TfrmMain> form;
  {
    const NoticeOnly notice;
    form.reset(CreateMainForm(nullptr));
  }
  // The holder's own words keep the lock file's path; what it means and what
  // to do come first.
  const std::string text = std::string("Kora Editor 无法启动：另一个 Kora Editor 正在使用同一个工作文件夹。") + kBreak +
                           "请切换到已经打开的窗口，或先将它关闭。" + kBreak + kBreak + refusal.Message();
  if (auto* message = dynamic_cast<TbsSkinMessage*>(form->FindComponent("bsSkinMessage1")))
    message->ShowMessageBox(text, mtError, TMsgDlgButtons{mbOK}, 0);
}

}  // namespace kora
