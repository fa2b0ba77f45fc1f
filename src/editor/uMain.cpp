// TfrmMain: the handlers of the main window and the road from a command to
// the data image, the working files and the ROM.

#include "editor/uMain.h"

#include <cstdio>

#include "editor/RecordTexts.h"
#include "editor/Texts.h"
#include "framework/ClassBuilder.h"
#include "framework/Filer.h"
#include "framework/FormText.h"
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

  FAppPath = GProgramFolder.empty() ? RomSession::ExecutableFolder() : GProgramFolder;
  if (FAppPath.back() != '/') FAppPath += '/';
  FSession = std::make_unique<RomSession>(FAppPath);
  // A second program on the same working files would delete this one's: it
  // is refused here. Without RomData/ the window still opens; the first
  // open then reports what is missing.
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
  if (!FWorkLock) FWorkLock = std::make_unique<WorkLock>(FAppPath, "Kora Editor");
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

}  // namespace

void TfrmMain::bsSkinComboBox3Click(TObject*) {
  CharTexts texts;
  if (GetCharData(FSession->Image(), SelectedCharRecord(), texts)) ShowTexts(texts, CharFields);
}

void TfrmMain::bsSkinButton1Click(TObject*) {
  PutCharData(FSession->Image(), SelectedCharRecord(), TextsOf<16>(CharFields));
}

void TfrmMain::bsSkinComboBox1Click(TObject*) {
  CareTexts texts;
  CareLimitTexts limits;
  if (GetCareData(FSession->Image(), SelectedCareRecord(), texts, limits)) {
    ShowTexts(texts, CareFields);
    ShowTexts(limits, CareLimitFields);
  }
}

void TfrmMain::bsSkinButton2Click(TObject*) {
  PutCareData(FSession->Image(), SelectedCareRecord(), TextsOf<16>(CareFields), TextsOf<8>(CareLimitFields));
}

void TfrmMain::bsSkinComboBox2Click(TObject*) {
  ItemTexts texts;
  ItemBonusTexts bonus;
  if (GetItemData(FSession->Image(), SelectedItemRecord(), texts, bonus)) {
    ShowTexts(texts, ItemFields);
    ShowTexts(bonus, ItemBonusFields);
  }
}

void TfrmMain::bsSkinButton3Click(TObject*) {
  PutItemData(FSession->Image(), SelectedItemRecord(), TextsOf<8>(ItemFields), TextsOf<8>(ItemBonusFields));
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
  // The first time in the program folder; afterwards the dialog starts in
  // the folder of the FileName it keeps, the last chosen ROM's.
  if (dialog->FileName().empty()) dialog->InitialDir = FAppPath;
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
  Part<TbsSkinPageControl>("bsSkinPageControl1")->SetEnabled(true);
  Part<TMenuItem>("N4")->SetEnabled(true);
  // The pages show the new ROM's records: edits made on the old ones would
  // otherwise be applied to the new ROM's data by "确定".
  ShowSelectedRecords();
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
  Part<TbsSkinMessage>("bsSkinMessage1")->ShowMessageBox(kSavedMessage, mtInformation, TMsgDlgButtons{mbYes}, 0);
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

}  // namespace kora
