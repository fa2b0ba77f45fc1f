#pragma once
// Standard control bases drawn in the plain look: a label, a single-line
// edit and a list box.

#include <memory>
#include <string>

#include "framework/controls/Alignment.h"
#include "framework/controls/Controls.h"

namespace kora {

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
const TTypeInfo* TypeInfoOf(TTextLayout);

// A caption drawn on the parent: sized to its text, aligned and laid out in
// its rectangle, optionally wrapped, with an "&" marking the accelerator
// that focuses FocusControl.
class TCustomLabel : public TGraphicControl {
  KORA_CLASS(TCustomLabel, TGraphicControl)

  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  // Without Color behind the text: the parent shows through.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);

protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void TextChanged() override;
  void FontChanged() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  // Draws (or with DT_CALCRECT measures) the caption in rect.
  virtual void DoDrawText(TCanvas* canvas, RECT& rect, uint32_t flags);
  // Fits the size to the text when AutoSize is on, keeping the aligned edge.
  virtual void AdjustBounds();
  uint32_t TextFlags() const;

private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  KORA_CLASS(TLabel, TCustomLabel)

  using TCustomLabel::TCustomLabel;
};

// A single-line text field: caret, selection by mouse and keyboard,
// clipboard, one level of undo, maximum length and read-only mode.
// Positions count characters, not bytes.
class TCustomEdit : public TCustomControl {
  KORA_CLASS(TCustomEdit, TCustomControl)

  explicit TCustomEdit(TComponent* owner);

  // 0: unlimited. Typing and pasting stop at the limit; program text is not cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value) { FMaxLength = value < 0 ? 0 : value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // Paints the parent's picture behind the text instead of the colour.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // Selects everything when the edit receives the focus.
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  bool Modified() const { return FModified; }

  int SelStart() const { return FSelStart; }
  void SetSelStart(int value);
  int SelLength() const { return FSelLength; }
  std::string SelText() const;
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanUndo() const { return FCanUndo; }
  // Swaps the text with the one before the last edit, so a second Undo redoes.
  void Undo();
  // The caret's character position (one end of the selection).
  int CaretPos() const { return FCaret; }
  void SetTextMargins(const RECT& value);

  TNotifyEvent OnChange;

protected:
  // Raises OnChange after every change of the text.
  virtual void Change();
  void Paint() override;
  void TextChanged() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void DblClick() override;
  LRESULT DialogCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  void WndProc(TMessage& message) override;
  // The area the text is drawn in: inside the border and the margins.
  virtual RECT TextRect() const;
  // The text's colour: the font's, grey while disabled.
  virtual TColor TextColor() const;
  // Fills the client behind the text: the colour (button face while
  // disabled), or the parent's picture when Transparent.
  virtual void PaintBackground(TCanvas* canvas, const RECT& client);

private:
  std::u32string Chars() const;
  int CharCount() const;
  // Moves the caret, extending the selection from its anchor or not.
  void MoveCaret(int pos, bool extend);
  // Replaces the selection, remembering the old text for Undo.
  void ReplaceSelection(const std::u32string& with);
  int PosFromX(int x);
  int XOfPos(int pos);
  void ScrollToCaret();

  int FMaxLength = 0;
  bool FReadOnly = false;
  TBorderStyle FBorderStyle = bsSingle;
  RECT FTextMargins{1, 1, 1, 1};
  bool FTransparent = false;
  bool FAutoSelect = true;
  bool FModified = false;
  int FSelStart = 0;
  int FSelLength = 0;
  int FCaret = 0;   // FSelStart or FSelStart + FSelLength
  int FScroll = 0;  // pixels of text hidden on the left
  bool FCanUndo = false;
  std::string FUndoText;
  int FUndoCaret = 0;
  bool FInEdit = false;  // our own change: keep the selection
};

class TEdit : public TCustomEdit {
  KORA_CLASS(TEdit, TCustomEdit)

  using TCustomEdit::TCustomEdit;
};

// Where a scroll bar request (SB_LINEUP, SB_THUMBTRACK, ...) on one of the
// window's bars takes a position of `page` steps a page; not yet clamped.
int ScrolledPosition(HWND window, int bar, int request, int pos, int page);

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed };
const TTypeInfo* TypeInfoOf(TListBoxStyle);
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// handler(control, index, rect, state): draws one item on the control's canvas
using TDrawItemEvent = TEvent<TWinControl*, int, RECT, TOwnerDrawState>;

// A list of text items with one selected, chosen by click or keys,
// scrolled by TopIndex, the keys, the wheel and a vertical scroll bar
// that shows while items are out of view; owner-drawn items go through
// OnDrawItem.
class TCustomListBox : public TCustomControl {
  KORA_CLASS(TCustomListBox, TCustomControl)

  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* Items() const;
  void SetItems(const TStrings* value);
  int Count() const;
  // -1: none. Setting an index out of range selects nothing.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // Items that fit wholly in the list.
  int VisibleItemCount() const;
  // The item at a client point, -1 when none (or, without `existing`, the
  // nearest item for points past the last one).
  int ItemAtPos(POINT p, bool existing) const;
  // In client coordinates; empty for items scrolled out of view.
  RECT ItemRect(int index) const;
  // The area items are drawn in (the client area once the window exists).
  RECT ItemsRect() const;

  TDrawItemEvent OnDrawItem;

protected:
  // Draws one item; owner-drawn lists raise OnDrawItem instead.
  virtual void DrawItem(int index, RECT rect, TOwnerDrawState state);
  void Paint() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void WndProc(TMessage& message) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  LRESULT DialogCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  // Brings the scroll bar in line with the items, the page and TopIndex.
  void UpdateScrollBar();
  // Where the bar's range goes: the window's own vertical bar here; a list
  // with a scroll bar of its own outside the window takes it instead (and
  // drives SetTopIndex from it).
  virtual void SetBarInfo(const SCROLLINFO& info);
  // Selects an item for the user: scrolls it into view and raises OnClick on change.
  void SelectByUser(int index);

private:
  void ItemsChanged(TObject* sender);
  void ScrollIntoView(int index);

  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FItemHeight = 16;
  TListBoxStyle FStyle = lbStandard;
  TBorderStyle FBorderStyle = bsSingle;
};

class TListBox : public TCustomListBox {
  KORA_CLASS(TListBox, TCustomListBox)

  using TCustomListBox::TCustomListBox;
};

}  // namespace kora
