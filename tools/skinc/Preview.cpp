#include "skinc/Preview.h"

#include "framework/Classes.h"
#include "platform/gdi/PngFile.h"
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
  SheetWriter(const TbsSkinData& data, TBitmap& target) : FData(data), FTarget(target) {}

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
    RECT page;
    PaintPageControl(FData, canvas, kPageControl.Offsetted(client.Left, client.Top), kTabHeight, kTabs, 0, hotTab,
                     page);
    PageContent(canvas, page);
    PasteInRegion(FTarget, x, y, window, region);
    if (region) DeleteObject(region);
    for (RECT& r : items) r.Offset(x + client.Left, y + client.Top);
    return items;
  }

  // A group box of fields on the first page, as the editor lays them out.
  void PageContent(TCanvas* canvas, const RECT& page) {
    const RECT box{page.Left + 8, page.Top + 8, page.Left + 8 + 250, page.Top + 8 + 150};
    PaintGroupBox(FData, canvas, box, "角色基础能力");
    const char* names[] = {"体力", "力量", "魔力", "技术"};
    for (int i = 0; i < 4; ++i) {
      const int top = box.Top + 30 + i * 28;
      PaintStdLabel(FData, canvas, box.Left + 16, top + 4, names[i], true);
      TBitmap spin;
      ComposeSpinEdit(FData, 121, i == 1, i == 1 ? 1 : 0, std::to_string(20 + 7 * i), spin);
      Paste(canvas, box.Left + 100, top, spin);
    }
    TBitmap button;
    ComposeButton(FData, "button", 80, 25, 0, "确定", button);
    Paste(canvas, box.Left, box.Bottom + 8, button);
    ComposeButton(FData, "button", 80, 25, 1, "取消", button);
    Paste(canvas, box.Left + 88, box.Bottom + 8, button);
    TBitmap combo;
    ComposeComboBox(FData, 145, 0, "剑士", combo);
    Paste(canvas, box.Right + 16, box.Top, combo);
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
      TBitmap wide, narrow;
      ComposeButton(FData, "button", 80, 25, look, "确定", wide);
      ComposeButton(FData, "button", 33, 25, look, "+10", narrow);
      Paste(FTarget.Canvas(), x, y + look * 32, wide);
      Paste(FTarget.Canvas(), x + 90, y + look * 32, narrow);
    }
  }

  void SpinEdits(int x, int y) {
    const struct {
      bool Hot;
      int Pressed;
    } looks[] = {{false, 0}, {true, 0}, {true, 1}, {true, 2}};
    for (int i = 0; i < 4; ++i) {
      TBitmap spin;
      ComposeSpinEdit(FData, 121, looks[i].Hot, looks[i].Pressed, std::to_string(-128 + 85 * i), spin);
      Paste(FTarget.Canvas(), x, y + i * 32, spin);
    }
  }

  void Combos(int x, int y) {
    for (int look = 0; look < 4; ++look) {
      TBitmap combo;
      ComposeComboBox(FData, 145, look, "重甲骑士", combo);
      Paste(FTarget.Canvas(), x, y + look * 32, combo);
    }
    TBitmap list;
    ComposeDropDownList(FData, 145, {"剑士", "重甲骑士", "弓箭手"}, 1, list);
    Paste(FTarget.Canvas(), x, y + 3 * 32 + 22, list);
  }

  void GroupBoxAndLabels(int x, int y) {
    TCanvas* canvas = FTarget.Canvas();
    const RECT box{x, y, x + 200, y + 130};
    PaintGroupBox(FData, canvas, box, "物品属性");
    PaintStdLabel(FData, canvas, x + 16, y + 36, "攻击 (enabled)", true);
    PaintStdLabel(FData, canvas, x + 16, y + 60, "重量 (disabled)", false);
    TBitmap spin;
    ComposeSpinEdit(FData, 60, false, 0, "5", spin);
    Paste(canvas, x + 120, y + 84, spin);
    const RECT empty{x + 210, y, x + 380, y + 130};
    PaintGroupBox(FData, canvas, empty, "");
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

  // What the message box and the open-file dialog add.
  void DialogControls(int x, int y) {
    TCanvas* canvas = FTarget.Canvas();
    const struct {
      bool Checked;
      int Look;
    } looks[] = {{true, 0}, {false, 0}, {true, 1}, {true, 3}};
    for (int i = 0; i < 4; ++i) {
      TBitmap check, radio;
      ComposeCheckRadio(FData, "checkbox", looks[i].Checked, looks[i].Look, "选项", check);
      ComposeCheckRadio(FData, "radiobox", looks[i].Checked, looks[i].Look, "选项", radio);
      Paste(canvas, x + i * 70, y, check);
      Paste(canvas, x + i * 70, y + 22, radio);
    }
    for (int i = 0; i < 3; ++i) {
      TBitmap upDown;
      ComposeUpDown(FData, "hupdown", i - 1, i == 2, upDown);
      Paste(canvas, x + i * 40, y + 46, upDown);
    }
    TBitmap bar;
    ComposeScrollBar(FData, "hscrollbar", 150, 30, false, bar);
    Paste(canvas, x + 130, y + 46, bar);
    ComposeScrollBar(FData, "hscrollbar", 100, 40, true, bar);
    Paste(canvas, x + 290, y + 46, bar);
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
  int FFrameW = 0, FFrameH = 0;
};

}  // namespace

void ComposePreviewSheet(const TbsSkinData& data, TBitmap& target) {
  if (data.Empty() || data.Picture()->Empty()) throw Exception("the skin has no main picture to preview");
  SheetWriter(data, target).Compose();
}

void WritePreviewPng(const TbsSkinData& data, const std::string& path) {
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
