#include "skinc/Preview.h"

#include <algorithm>
#include <functional>

#include "framework/core/Classes.h"
#include "platform/gdi/PngFile.h"
#include "platform/window/Focus.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinHint.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"
#include "skinc/PreviewLive.h"

namespace kora::skinc {

namespace {

constexpr int kMargin = 10;
constexpr int kCell = 25;        // caption-button table: column pitch
constexpr int kRow = 22;         // and row pitch, the caption strip without the client edge
constexpr int kRowHeight = 220;  // the row of single elements

const std::vector<std::string> kTabs = {"人物参数", "职业参数", "武器道具"};
// The main window's page control, in client coordinates, and its tab height.
constexpr RECT kPageControl{8, 24, 8 + 537, 24 + 401};
constexpr int kTabHeight = 20;
// Longer than any morph of the frame's objects, in ms.
constexpr int kMorphTime = 400;
// The caption buttons, a row each in the table.
const char* const kCaptionButtons[] = {"closebutton",  "maxbutton",     "minbutton",
                                       "rollupbutton", "sysmenubutton", "traybutton"};

RECT WindowRectOf(TForm& form) {
  RECT r;
  GetWindowRect(form.Handle(), &r);
  return r;
}

RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

POINT Centre(const RECT& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A window of the sheet: a form wrapped by the skinned frame, and for the
// main window its page control.
struct TSheetWindow {
  std::unique_ptr<TForm> Form;
  TbsSkinForm* Frame = nullptr;
  TbsSkinPageControl* Pages = nullptr;
};

class SheetWriter {
public:
  SheetWriter(TbsSkinData& data, TBitmap& target) : FData(data), FTarget(target), FStage(data) {}

  void Compose() {
    const RECT frame = WindowRectOf(*MainWindow().Form);
    FFrameW = WidthOf(frame);
    FFrameH = HeightOf(frame);
    const int rowTop = kMargin + FFrameH + kMargin;
    FTarget.SetSize(2 * FFrameW + 3 * kMargin, rowTop + kRowHeight + kMargin);
    FTarget.SetPixelFormat(pf32bit);
    TCanvas* canvas = FTarget.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(kPreviewDesktop);
    canvas->FillRect({0, 0, FTarget.Width(), FTarget.Height()});

    // The active window with its file menu dropped down; the inactive one
    // shows the tabs unhidden, the last one hot.
    ActiveWindow(kMargin, kMargin);
    InactiveWindow(2 * kMargin + FFrameW, kMargin);
    // The single elements on the window's own client background.
    const RECT panel{kMargin, rowTop, FTarget.Width() - kMargin, rowTop + kRowHeight};
    ClientBackground(panel);
    CaptionButtons(panel.Left + 10, panel.Top + 10);
    Buttons(panel.Left + 250, panel.Top + 10);
    SpinEdits(panel.Left + 410, panel.Top + 10);
    Combos(panel.Left + 560, panel.Top + 10);
    GroupBoxAndLabels(panel.Left + 740, panel.Top + 10);
    Hints(panel.Left + 10, panel.Top + 150);
    DialogControls(panel.Left + 250, panel.Top + 145);
    ToolBarControls(panel.Left + 10, panel.Top + 184);
    RolledUp(panel.Left + 740, panel.Top + 160);
  }

private:
  // A shown window of its own in the frame, as the editor's main window
  // has it: a single border, the program's caption, the given caption
  // buttons and client size; fill adds its controls. It is not the
  // application's main form, so a minimize leaves it on the screen in the
  // frame's own minimized look.
  TSheetWindow FramedWindow(int clientWidth, int clientHeight, TbsBorderIcons icons,
                            const std::function<void(TSheetWindow&)>& fill = {}) {
    TSheetWindow window;
    window.Form = std::make_unique<TForm>(nullptr);
    TForm* form = window.Form.get();
    form->SetCaption("Kora Editor");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(TLiveStage::kWindowArea.X, TLiveStage::kWindowArea.Y, 400, 300);
    window.Frame = new TbsSkinForm(form);
    window.Frame->SetBorderIcons(icons);
    window.Frame->SetSkinData(&FStage.Skin());
    window.Frame->SetMenusSkinData(&FStage.Skin());
    if (fill) fill(window);
    form->Show();
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    FStage.Screen().RunUntilIdle();
    return window;
  }

  // The main window: its menu, its pages and the fields of its first page.
  TSheetWindow MainWindow() {
    return FramedWindow(kPreviewClientWidth, kPreviewClientHeight, {TbsBorderIcon::biMinimize},
                        [&](TSheetWindow& window) {
                          TForm* form = window.Form.get();
                          auto* menu = new TbsSkinMainMenu(form);
                          const auto add = [form](TMenuItem* parent, const std::string& caption, bool enabled = true) {
                            auto* item = new TMenuItem(form);
                            item->SetCaption(caption);
                            item->SetEnabled(enabled);
                            parent->Add(item);
                            return item;
                          };
                          TMenuItem* file = add(menu->Items(), "文件(&F)");
                          add(file, "选择ROM(&C)");
                          add(file, "保存数据", false);
                          add(file, "-");
                          add(file, "退出程序");
                          add(add(menu->Items(), "帮助(&H)"), "关于(&A)");
                          auto* bar = FStage.Make<TbsSkinMainMenuBar>(form, form, {});
                          bar->SetSkinForm(window.Frame);
                          bar->SetMainMenu(menu);
                          window.Frame->SetMainMenuBar(bar);

                          window.Pages = FStage.Make<TbsSkinPageControl>(form, form, kPageControl);
                          window.Pages->SetTabHeight(kTabHeight);
                          std::vector<TbsSkinTabSheet*> sheets;
                          for (const std::string& caption : kTabs) {
                            sheets.push_back(FStage.Make<TbsSkinTabSheet>(form, window.Pages, {}));
                            sheets.back()->SetCaption(caption);
                          }
                          FStage.Make<TbsSkinTabSheet>(form, window.Pages, {})->SetTabVisible(false);
                          PageContent(form, sheets[0]);
                        });
  }

  // The first page's group box of fields, its buttons and its combo box;
  // the second field has the focus.
  void PageContent(TForm* form, TWinControl* page) {
    TbsSkinGroupBox* group = GroupBox({8, 8, 258, 158}, "角色基础能力", page, form);
    const char* names[] = {"体力", "力量", "魔力", "技术"};
    for (int i = 0; i < 4; ++i) {
      FieldLabel(group, 16, 34 + i * 28, names[i], form);
      auto* spin = FStage.Make<TbsSkinSpinEdit>(form, group, RECT::FromSize(100, 30 + i * 28, 121, 22));
      spin->SetMinValue(-128);
      spin->SetMaxValue(127);
      spin->SetValue(20 + 7 * i);
      if (i == 1) form->SetActiveControl(spin);
    }
    FStage.Make<TbsSkinButton>(form, page, RECT::FromSize(8, 166, 80, 25))->SetCaption("确定");
    FStage.Make<TbsSkinButton>(form, page, RECT::FromSize(96, 166, 80, 25))->SetCaption("取消");
    auto* combo = FStage.Make<TbsSkinComboBox>(form, page, RECT::FromSize(274, 8, 145, 22));
    for (const char* row : {"剑士", "重甲骑士", "弓箭手"}) combo->Items()->Add(row);
    combo->SetItemIndex(0);
  }

  // The main window active with its File menu opened from the keyboard,
  // the first item lit, at (x, y) of the sheet.
  void ActiveWindow(int x, int y) {
    TSheetWindow window = MainWindow();
    HeadlessBackend& screen = FStage.Screen();
    screen.WhenIdle([&] {
      const RECT frame = WindowRectOf(*window.Form);
      RECT area = frame;
      if (TbsSkinMenu* menu = SkinMenuOf(window.Frame); menu->Visible() && menu->PopupCount() > 0)
        area = Union(area, menu->PopupWindow(0)->ScreenRect());
      FStage.CaptureScreen(area, FTarget, x + area.Left - frame.Left, y + area.Top - frame.Top);
      screen.PressKey(VK_ESCAPE);
    });
    screen.KeyDown(VK_MENU);
    screen.PressKey('F');
    screen.KeyUp(VK_MENU);
    screen.RunUntilIdle();
    screen.PressKey(VK_ESCAPE);  // and out of the menu bar
    screen.RunUntilIdle();
  }

  // The main window after another took the activation, its last tab under
  // the pointer.
  void InactiveWindow(int x, int y) {
    TSheetWindow window = MainWindow();
    SetActiveWindow(FStage.Form()->Handle());
    const RECT tab = window.Pages->TabRect(2);
    FStage.PointAt(window.Pages, Centre(tab));
    FStage.CaptureScreen(WindowRectOf(*window.Form), FTarget, x, y);
    FStage.PointAway();
  }

  // The frame's client background over an area of the sheet.
  void ClientBackground(const RECT& area) {
    TSheetWindow window = FramedWindow(WidthOf(area), HeightOf(area), {});
    const POINT origin = window.Form->ClientToScreen({0, 0});
    FStage.CaptureScreen(RECT::FromSize(origin.X, origin.Y, WidthOf(area), HeightOf(area)), FTarget, area.Left,
                         area.Top);
  }

  // Each caption button of a frame that has them all, in each look: at
  // rest, under the pointer, pressed, on an inactive window; then in the
  // restore looks a maximized, minimized or rolled-up window gives them.
  void CaptionButtons(int x, int y) {
    TSheetWindow window =
        FramedWindow(300, 60,
                     {TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                      TbsBorderIcon::biRollUp, TbsBorderIcon::biMinimizeToTray});
    TbsSkinForm* frame = window.Frame;
    frame->Magnetic = false;
    CaptionButtonLooks(window, -1, x, y);
    frame->Maximize();
    CaptionButtonLooks(window, 1, x + 4 * kCell, y);
    frame->Restore();
    frame->SetFrameWindowState(fwsMinimized);
    CaptionButtonLooks(window, 2, x + 4 * kCell, y);
    frame->Restore();
    frame->RollUp(true);
    CaptionButtonLooks(window, 3, x + 4 * kCell, y);
  }

  // The four looks of the caption buttons (of one row, or -1 for all) in
  // four cells from (x, y + row * kRow).
  void CaptionButtonLooks(TSheetWindow& window, int only, int x, int y) {
    HeadlessBackend& screen = FStage.Screen();
    screen.RunUntilIdle();
    for (int row = 0; row < 6; ++row) {
      if (only >= 0 && row != only) continue;
      const TbsActiveSkinObject* button = window.Frame->FrameObjects().Find(kCaptionButtons[row]);
      if (!button || (only >= 0 && !RestoreLooks(kCaptionButtons[row]))) continue;
      const RECT frame = WindowRectOf(*window.Form);
      const RECT at = button->ObjectRect.Offsetted(frame.Left, frame.Top);
      const auto capture = [&](int look) {
        FStage.CaptureScreen(RECT::FromSize(at.Left - 2, at.Top, kCell, kRow), FTarget, x + look * kCell,
                             y + row * kRow);
      };
      // The frame morphs between looks on its ticker: each look is taken
      // where its morph ends.
      const auto settle = [&] { screen.Wait(kMorphTime); };
      SetActiveWindow(window.Form->Handle());
      FStage.PointAway();
      settle();
      capture(0);
      FStage.PointAtScreen(Centre(at));
      settle();
      capture(1);
      if (std::string(kCaptionButtons[row]) == "sysmenubutton") {
        // It opens the system menu on the press, in the menu's own loop.
        screen.WhenIdle([&] {
          capture(2);
          screen.PressKey(VK_ESCAPE);
        });
        screen.MouseDown(Centre(at));
      } else {
        screen.MouseDown(Centre(at));
        settle();
        capture(2);
      }
      // Let go away from the button, so its command does not run.
      FStage.PointAway();
      screen.MouseUp({0, 0});
      SetActiveWindow(FStage.Form()->Handle());
      settle();
      capture(3);
    }
  }

  // Whether the skin gives the button a restore look.
  bool RestoreLooks(const char* name) const {
    const int index = FData.FindObjectRecord(name);
    const auto* record = index < 0 ? nullptr : dynamic_cast<const TbsDataSkinStdButton*>(FData.ObjectRecord(index));
    return record && !IsEmptyRect(record->RestoreRect);
  }

  // Buttons in every look at both sizes the window uses.
  void Buttons(int x, int y) {
    for (int look = 0; look < 4; ++look) {
      Button(80, 25, look, "确定", FTarget, x, y + look * 32);
      Button(33, 25, look, "+10", FTarget, x + 90, y + look * 32);
    }
  }

  // The program's button in one look (0 normal, 1 hot, 2 down, 3 disabled)
  // at (x, y) of target. Its cross-fade plays over time; the sheet shows
  // where it ends, so the skin's effects stay off while it is captured.
  void Button(int width, int height, int look, const std::string& caption, TBitmap& target, int x, int y) {
    auto* button = FStage.Place<TbsSkinButton>({0, 0, width, height});
    button->SetCaption(caption);
    button->SetCanFocused(false);
    button->SetEnabled(look != 3);
    button->SetDown(look == 2);
    TbsSkinData& skin = FStage.Skin();
    const bool effects = skin.EnableSkinEffects;
    skin.EnableSkinEffects = false;
    if (look == 1 || look == 2) FStage.PointAt(button, {width / 2, height / 2});
    FStage.Capture(button, target, x, y);
    FStage.PointAway();
    skin.EnableSkinEffects = effects;
    FStage.Clear();
  }

  // Spin edits normal, hot, and with the up and the down button held.
  void SpinEdits(int x, int y) {
    for (int look = 0; look < 4; ++look) SpinEdit(121, look, -128 + 85 * look, FTarget, x, y + look * 32);
  }

  // The program's spin edit at (x, y) of target: look 0 normal, 1 hot, 2
  // with its up and 3 with its down button held (which focuses its field).
  void SpinEdit(int width, int look, int value, TBitmap& target, int x, int y) {
    auto* spin = FStage.Place<TbsSkinSpinEdit>({0, 0, width, 22});
    spin->SetMinValue(-128);
    spin->SetMaxValue(127);
    spin->SetValue(value);
    const RECT button = look == 2 ? spin->UpButtonRect() : spin->DownButtonRect();
    const POINT held{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
    if (look == 1) FStage.PointAt(spin, {2, 2});
    if (look >= 2) {
      FStage.PointAt(spin, held);
      spin->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(held));
    }
    FStage.Capture(spin, target, x, y);
    // Let go away from the button, so the value does not step.
    if (look >= 2) spin->Perform(WM_LBUTTONUP, 0, PointToLParam({-100, -100}));
    FStage.PointAway();
    FStage.Clear();
  }

  // Combo boxes normal, hot, with the button held and focused, the last
  // with its list open below it.
  void Combos(int x, int y) {
    for (int look = 0; look < 4; ++look) Combo(145, look, "重甲骑士", FTarget, x, y + look * 32, look == 3);
  }

  // The program's combo box showing `item` at (x, y) of target: look 0
  // normal, 1 hot, 2 with its button held, 3 focused; `open` adds its list
  // below it with the row after the item under the pointer.
  void Combo(int width, int look, const std::string& item, TBitmap& target, int x, int y, bool open = false) {
    auto* combo = FStage.Place<TbsSkinComboBox>({0, 0, width, 22});
    for (const char* row : {"剑士", "重甲骑士", "弓箭手"}) combo->Items()->Add(row);
    combo->SetItemIndex(combo->Items()->IndexOf(item));
    const RECT button = combo->ArrowButtonRect();
    const POINT held{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
    if (look == 1) FStage.PointAt(combo, {10, 5});
    if (look == 2) {
      FStage.PointAt(combo, held);
      combo->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(held));
      combo->CloseUp(false);  // the press opens the list; the sheet shows the box
    }
    if (look == 3) combo->SetFocus();
    FStage.Capture(combo, target, x, y);
    if (look == 2) combo->Perform(WM_LBUTTONUP, 0, PointToLParam({-100, -100}));
    if (open) {
      combo->DropDown();
      TbsListBox* rows = combo->ListBox()->ListBox();
      const RECT next = rows->ItemRect(combo->ItemIndex() + 1);
      FStage.PointAt(rows, {(next.Left + next.Right) / 2, (next.Top + next.Bottom) / 2});
      FStage.Capture(combo->ListBox(), target, x, y + combo->Height());
      combo->CloseUp(false);
    }
    FStage.PointAway();
    FStage.Clear();
  }

  // The group box and labels of the program, then beside them a group box
  // without a caption, one folded to its caption bar and a plain panel.
  void GroupBoxAndLabels(int x, int y) {
    TbsSkinGroupBox* group = GroupBox({0, 0, 200, 130}, "物品属性");
    FieldLabel(group, 16, 36, "攻击 (enabled)");
    FieldLabel(group, 16, 60, "重量 (disabled)")->SetEnabled(false);
    FStage.Capture(group, FTarget, x, y);
    FStage.Clear();
    SpinEdit(60, 0, 5, FTarget, x + 120, y + 84);

    TbsSkinGroupBox* empty = GroupBox({0, 0, 170, 50}, "");
    FStage.Capture(empty, FTarget, x + 210, y);
    TbsSkinGroupBox* folded = GroupBox({0, 0, 170, 50}, "已折叠");
    folded->SetRollUpMode(true);
    folded->SetRollUpState(true);
    FStage.Capture(folded, FTarget, x + 210, y + 58);
    auto* panel = FStage.Place<TbsSkinPanel>({0, 0, 170, 36});
    FStage.Capture(panel, FTarget, x + 210, y + 94);
    FStage.Clear();
  }

  // A group box as the main window sets them up, on parent (the stage when
  // null) and owned by owner (the stage's when null).
  TbsSkinGroupBox* GroupBox(const RECT& bounds, const std::string& caption, TWinControl* parent = nullptr,
                            TComponent* owner = nullptr) {
    auto* box = Add<TbsSkinGroupBox>(parent, bounds, owner);
    box->SetDefaultCaptionHeight(22);
    box->SetBorderStyle(bvFrame);
    box->SetCaption(caption);
    return box;
  }
  // A field name as the main window's labels show it: their own face, the
  // skin's colour.
  TbsSkinStdLabel* FieldLabel(TWinControl* parent, int x, int y, const std::string& text, TComponent* owner = nullptr) {
    auto* label = Add<TbsSkinStdLabel>(parent, {x, y, x + 24, y + 12}, owner);
    label->Font()->SetName("MS Sans Serif");
    label->Font()->SetHeight(-11);
    label->SetCaption(text);
    return label;
  }
  template <class T>
  T* Add(TWinControl* parent, const RECT& bounds, TComponent* owner) {
    return owner ? FStage.Make<T>(owner, parent, bounds) : FStage.Place<T>(bounds, parent);
  }

  // The frame at its smallest: rolled up at its minimum width, active and
  // inactive.
  void RolledUp(int x, int y) {
    for (bool active : {true, false}) {
      TSheetWindow window = FramedWindow(100, 100, {TbsBorderIcon::biMinimize, TbsBorderIcon::biRollUp});
      window.Frame->RollUp(true);
      window.Form->SetWidth(window.Frame->States().GetMinWidth());
      if (!active) SetActiveWindow(FStage.Form()->Handle());
      FStage.Screen().RunUntilIdle();
      const RECT frame = WindowRectOf(*window.Form);
      FStage.CaptureScreen(frame, FTarget, active ? x : x + WidthOf(frame) + 10, y);
    }
  }

  // What the message box and the open-file dialog add: check and radio
  // boxes, the tab scroller and scroll bars, each the real control in its
  // looks.
  void DialogControls(int x, int y) {
    TbsSkinData& skin = FStage.Skin();
    const bool effects = skin.EnableSkinEffects;
    // The looks where their fades end.
    skin.EnableSkinEffects = false;
    const struct {
      bool Checked;
      int Look;  // 0 normal, 1 hot, 3 disabled
    } looks[] = {{true, 0}, {false, 0}, {true, 1}, {true, 3}};
    for (int i = 0; i < 4; ++i)
      for (bool radio : {false, true}) {
        auto* box = FStage.Place<TbsSkinCheckRadioBox>({0, 0, 66, 20});
        box->SetRadio(radio);
        box->SetChecked(looks[i].Checked);
        box->SetEnabled(looks[i].Look != 3);
        box->SetCaption("选项");
        if (looks[i].Look == 1) FStage.PointAt(box, {box->Width() / 2, box->Height() / 2});
        FStage.Capture(box, FTarget, x + i * 70, y + (radio ? 22 : 0));
        FStage.PointAway();
        FStage.Clear();
      }
    // The scroller at rest, its right button hot, its left one held.
    for (int i = 0; i < 3; ++i) {
      auto* upDown = FStage.Place<TbsSkinUpDown>({0, 0, 32, 16});
      const RECT button = i == 1 ? upDown->UpButtonRect() : upDown->DownButtonRect();
      const POINT at{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
      if (i > 0) FStage.PointAt(upDown, at);
      if (i == 2) upDown->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(at));
      FStage.Capture(upDown, FTarget, x + i * 40, y + 46);
      if (i == 2) upDown->Perform(WM_LBUTTONUP, 0, PointToLParam({-100, -100}));
      FStage.PointAway();
      FStage.Clear();
    }
    ScrollBar(150, 30, false, x + 130, y + 46);
    ScrollBar(100, 40, true, x + 290, y + 46);
    skin.EnableSkinEffects = effects;
  }

  // The open-file dialog's tool bar buttons at rest and hot, its view menu
  // button, and its file-name edit at rest and focused.
  void ToolBarControls(int x, int y) {
    TbsSkinData& skin = FStage.Skin();
    const bool effects = skin.EnableSkinEffects;
    skin.EnableSkinEffects = false;
    // A glyph on the key colour its bottom-left pixel gives.
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(RGB(255, 0, 255));
    glyph.Canvas()->FillRect({0, 0, 16, 16});
    glyph.Canvas()->Brush()->SetColor(RGB(52, 96, 196));
    glyph.Canvas()->FillRect({3, 3, 13, 13});
    for (int i = 0; i < 2; ++i) {
      auto* button = FStage.Place<TbsSkinSpeedButton>({0, 0, 25, 25});
      button->SetGlyph(&glyph);
      if (i == 1) FStage.PointAt(button, {12, 12});
      FStage.Capture(button, FTarget, x + i * 29, y);
      FStage.PointAway();
      FStage.Clear();
    }
    // The view menu's button under the pointer, its marker at the right.
    auto* menu = FStage.Place<TbsSkinMenuSpeedButton>({0, 0, 37, 25});
    menu->SetGlyph(&glyph);
    FStage.PointAt(menu, {12, 12});
    FStage.Capture(menu, FTarget, x + 58, y);
    FStage.PointAway();
    FStage.Clear();
    for (int i = 0; i < 2; ++i) {
      auto* edit = FStage.Place<TbsSkinEdit>({0, 0, 60, 21});
      edit->SetText("game.nds");
      if (i == 1) edit->SetFocus();
      FStage.Capture(edit, FTarget, x + 102 + i * 66, y + 2);
      FStage.Clear();
    }
    skin.EnableSkinEffects = effects;
  }

  // A horizontal scroll bar `width` wide with its thumb `thumbAt` pixels
  // into the track, hot if asked.
  void ScrollBar(int width, int thumbAt, bool hot, int x, int y) {
    auto* bar = FStage.Place<TbsSkinScrollBar>({0, 0, width, 16});
    bar->SetParams(0, 0, 99, 20);
    // The position that puts the thumb where it is wanted.
    for (int position = 0; position <= bar->MaxPosition(); ++position) {
      bar->SetPosition(position);
      if (bar->ThumbRect().Left - bar->TrackRect().Left >= thumbAt) break;
    }
    const RECT thumb = bar->ThumbRect();
    if (hot) FStage.PointAt(bar, {(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2});
    FStage.Capture(bar, FTarget, x, y);
    FStage.PointAway();
    FStage.Clear();
  }

  // The skinned hint window with a short and a long text.
  void Hints(int x, int y) {
    TbsSkinHint hint(FStage.Form());
    hint.SetSkinData(&FStage.Skin());
    int left = x;
    for (const char* text : {"最小化", "选择游戏ROM并读取数据"}) {
      hint.ActivateHint(TLiveStage::kWindowArea, text);
      FStage.Screen().RunUntilIdle();
      RECT shown;
      GetWindowRect(hint.HintWindow()->Handle(), &shown);
      FStage.CaptureScreen(shown, FTarget, left, y);
      left += WidthOf(shown) + 10;
    }
  }

  const TbsSkinData& FData;
  TBitmap& FTarget;
  TLiveStage FStage;
  int FFrameW = 0, FFrameH = 0;
};

}  // namespace

void ComposePreviewSheet(TbsSkinData& data, TBitmap& target) {
  if (data.Empty() || data.Picture()->Empty()) throw Exception("the skin has no main picture to preview");
  SheetWriter(data, target).Compose();
}

void WritePreviewPng(TbsSkinData& data, const std::string& path) {
  TBitmap sheet;
  ComposePreviewSheet(data, sheet);
  WriteWholeFile(path, [&](const std::string& temporary) {
    try {
      SavePngFile(temporary, sheet.Handle());
    } catch (const std::runtime_error& error) {
      throw EFCreateError(Format("Cannot create file \"%s\". %s", path.c_str(), error.what()));
    }
  });
}

}  // namespace kora::skinc
