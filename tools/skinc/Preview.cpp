#include "skinc/Preview.h"

#include "framework/Classes.h"
#include "platform/gdi/PngFile.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabs.h"
#include "skinc/PreviewLive.h"
#include "skinc/PreviewParts.h"

namespace kora::skinc {

namespace {

constexpr int kMargin = 10;
constexpr int kCell = 25;        // caption-button table: column pitch
constexpr int kRow = 22;         // and row pitch, the caption strip without the client edge
constexpr int kRowHeight = 220;  // the row of single elements

const std::vector<std::string> kMenuBarItems = {"文件(&F)", "帮助(&H)"};
const std::vector<std::string> kTabs = {"人物参数", "职业参数", "武器道具"};
// The main window's page control, in client coordinates, and its tab height.
constexpr RECT kPageControl{8, 24, 8 + 537, 24 + 401};
constexpr int kTabHeight = 20;

class SheetWriter {
public:
  SheetWriter(TbsSkinData& data, TBitmap& target) : FData(data), FTarget(target), FStage(data) {}

  void Compose() {
    TBitmap* picture = FData.Picture();
    const RECT& c = FData.FormInfo().ClientRect;
    FFrameW = kPreviewClientWidth + c.Left + picture->Width() - c.Right;
    FFrameH = kPreviewClientHeight + c.Top + picture->Height() - c.Bottom;
    const int rowTop = kMargin + FFrameH + kMargin;
    FTarget.SetSize(2 * FFrameW + 3 * kMargin, rowTop + kRowHeight + kMargin);
    FTarget.SetPixelFormat(pf32bit);
    TCanvas* canvas = FTarget.Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(kPreviewDesktop);
    canvas->FillRect({0, 0, FTarget.Width(), FTarget.Height()});

    // The active window with its file menu dropped down; the inactive one
    // shows the tabs unhidden, the last one hot.
    const std::vector<RECT> items = Window(kMargin, kMargin, {true, cmMinimize, false, "Kora Editor"}, -1, 0, -1);
    if (!items.empty()) {
      TBitmap popup;
      ComposePopupMenu(FData, {{"选择ROM(&C)"}, {"保存数据", false}, {"-"}, {"退出程序"}}, 0, popup);
      Paste(canvas, items[0].Left, items[0].Bottom, popup);
    }
    Window(2 * kMargin + FFrameW, kMargin, {false, -1, false, "Kora Editor"}, 1, -1, 2);
    // The single elements on the window's own client background.
    const RECT panel{kMargin, rowTop, FTarget.Width() - kMargin, rowTop + kRowHeight};
    TilePiece(canvas, panel, picture, c);
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
  // One main window: frame, menu bar and the first page. Returns the menu
  // bar's item rectangles in sheet coordinates.
  std::vector<RECT> Window(int x, int y, const FrameState& frame, int hotItem, int downItem, int hotTab) {
    TBitmap window;
    RECT client;
    HRGN region = ComposeFrame(FData, FFrameW, FFrameH, frame, window, client);
    TCanvas* canvas = window.Canvas();
    TBitmap bar;
    std::vector<RECT> items;
    ComposeMenuBar(FData, kPreviewClientWidth, kMenuBarItems, hotItem, downItem, bar, items);
    Paste(canvas, client.Left, client.Top, bar);
    const RECT page = PageControl(window, kPageControl.Offsetted(client.Left, client.Top), hotTab);
    PageContent(window, page);
    PasteInRegion(FTarget, x, y, window, region);
    if (region) DeleteObject(region);
    for (RECT& r : items) r.Offset(x + client.Left, y + client.Top);
    return items;
  }

  // The window's page control with its three tabs and the hidden fourth
  // page, the first page active and the tab at hotTab under the pointer
  // (-1: none), at area of the window. Returns the page area there.
  RECT PageControl(TBitmap& window, const RECT& area, int hotTab) {
    auto* pages = FStage.Place<TbsSkinPageControl>({0, 0, WidthOf(area), HeightOf(area)});
    pages->SetTabHeight(kTabHeight);
    for (const std::string& caption : kTabs) FStage.Place<TbsSkinTabSheet>({}, pages)->SetCaption(caption);
    FStage.Place<TbsSkinTabSheet>({}, pages)->SetTabVisible(false);
    if (hotTab >= 0) {
      const RECT tab = pages->TabRect(hotTab);
      FStage.PointAt(pages, {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
    }
    FStage.Capture(pages, window, area.Left, area.Top);
    const RECT page = pages->DisplayRect().Offsetted(area.Left, area.Top);
    FStage.PointAway();
    FStage.Clear();
    return page;
  }

  // A group box of fields on the first page, as the editor lays them out.
  void PageContent(TBitmap& window, const RECT& page) {
    const RECT box{page.Left + 8, page.Top + 8, page.Left + 8 + 250, page.Top + 8 + 150};
    TbsSkinGroupBox* group = GroupBox(WidthOf(box), HeightOf(box), "角色基础能力");
    const char* names[] = {"体力", "力量", "魔力", "技术"};
    for (int i = 0; i < 4; ++i) FieldLabel(group, 16, 34 + i * 28, names[i]);
    FStage.Capture(group, window, box.Left, box.Top);
    FStage.Clear();
    for (int i = 0; i < 4; ++i)
      SpinEdit(121, i == 1 ? 2 : 0, 20 + 7 * i, window, box.Left + 100, box.Top + 30 + i * 28);
    Button(80, 25, 0, "确定", window, box.Left, box.Bottom + 8);
    Button(80, 25, 1, "取消", window, box.Left + 88, box.Bottom + 8);
    Combo(145, 0, "剑士", window, box.Right + 16, box.Top);
  }

  // Each caption button in each look, on the caption's own gradient; the
  // inactive looks on the gradient as the inactive effect leaves it.
  void CaptionButtons(int x, int y) {
    TCanvas* canvas = FTarget.Canvas();
    const TbsSkinFormInfo& info = FData.FormInfo();
    const char* names[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"};
    const RECT piece{info.LeftTopPoint.X, info.CaptionRect.Top, info.RightTopPoint.X, info.CaptionRect.Top + kRow};
    TBitmap backdrop, inactive;
    backdrop.SetSize(kCell, kRow);
    TilePiece(backdrop.Canvas(), {0, 0, kCell, kRow}, FData.Picture(), piece);
    inactive.Assign(&backdrop);
    if (info.AutoRenderingInActiveImage) ApplyEffect(inactive, info.InActiveEffect);
    for (int row = 0; row < 6; ++row) {
      const auto* button = FindObjectRecord<TbsDataSkinStdButton>(FData, names[row]);
      if (!button) continue;
      for (int column = 0; column < 8; ++column) {
        const bool restore = column >= 4;
        if (restore && IsEmptyRect(button->RestoreRect)) continue;
        const int cx = x + column * kCell, cy = y + row * kRow;
        Paste(canvas, cx, cy, column % 4 == 3 ? inactive : backdrop);
        TBitmap image;
        ComposeCaptionButton(FData, *button, column % 4, restore, image);
        Paste(canvas, cx + 2, cy, image);
      }
    }
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
    TbsSkinGroupBox* group = GroupBox(200, 130, "物品属性");
    FieldLabel(group, 16, 36, "攻击 (enabled)");
    FieldLabel(group, 16, 60, "重量 (disabled)")->SetEnabled(false);
    FStage.Capture(group, FTarget, x, y);
    FStage.Clear();
    SpinEdit(60, 0, 5, FTarget, x + 120, y + 84);

    TbsSkinGroupBox* empty = GroupBox(170, 50, "");
    FStage.Capture(empty, FTarget, x + 210, y);
    TbsSkinGroupBox* folded = GroupBox(170, 50, "已折叠");
    folded->SetRollUpMode(true);
    folded->SetRollUpState(true);
    FStage.Capture(folded, FTarget, x + 210, y + 58);
    auto* panel = FStage.Place<TbsSkinPanel>({0, 0, 170, 36});
    FStage.Capture(panel, FTarget, x + 210, y + 94);
    FStage.Clear();
  }

  // A group box as the main window sets them up, at the stage's corner.
  TbsSkinGroupBox* GroupBox(int width, int height, const std::string& caption) {
    auto* box = FStage.Place<TbsSkinGroupBox>({0, 0, width, height});
    box->SetDefaultCaptionHeight(22);
    box->SetBorderStyle(bvFrame);
    box->SetCaption(caption);
    return box;
  }
  // A field name as the main window's labels show it: their own face, the
  // skin's colour.
  TbsSkinStdLabel* FieldLabel(TWinControl* parent, int x, int y, const std::string& text) {
    auto* label = FStage.Place<TbsSkinStdLabel>({x, y, x + 24, y + 12}, parent);
    label->Font()->SetName("MS Sans Serif");
    label->Font()->SetHeight(-11);
    label->SetCaption(text);
    return label;
  }

  // The frame at its smallest, as rolled up or minimized: the skin's
  // minimum width and only the frame's own height.
  void RolledUp(int x, int y) {
    const TbsSkinFormInfo& info = FData.FormInfo();
    const int W = info.FormMinWidth > 0 ? info.FormMinWidth : FData.Picture()->Width();
    const int H = FData.Picture()->Height() - HeightOf(info.ClientRect);
    for (bool active : {true, false}) {
      TBitmap window;
      RECT client;
      HRGN region = ComposeFrame(FData, W, H, {active, -1, false, "Kora Editor"}, window, client);
      PasteInRegion(FTarget, active ? x : x + W + 10, y, window, region);
      if (region) DeleteObject(region);
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

  void Hints(int x, int y) {
    TBitmap hint;
    ComposeHint(FData, "最小化", hint);
    Paste(FTarget.Canvas(), x, y, hint);
    ComposeHint(FData, "选择游戏ROM并读取数据", hint);
    Paste(FTarget.Canvas(), x + 80, y, hint);
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
