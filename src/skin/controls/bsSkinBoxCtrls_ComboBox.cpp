// TbsSkinCustomComboBox: items and selection, dropping down and closing up
// with their events, mouse tracking with auto-scroll, keys, wheel, typed
// search, the edit style with auto-complete, and the translucent pop-up.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"
#include "platform/text/Utf8.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora {

namespace {

constexpr UINT_PTR kScrollTimer = 2;
constexpr UINT_PTR kAlphaTimer = 3;
constexpr UINT kScrollInterval = 25;
// Typed characters further apart than this start a new search.
constexpr uint64_t kSearchPause = 499;

// Sets a flag for a scope and gives it back its old value afterwards.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = FOld; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

bool IsButtonPress(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
  }
}

}  // namespace

const TTypeInfo* TypeInfoOf(TbsComboBoxStyle) {
  static const TTypeInfo info = EnumTypeInfo("TbsComboBoxStyle", {"bscbEditStyle", "bscbFixedStyle"});
  return &info;
}

const TTypeInfo* TypeInfoOf(TEditCharCase) {
  static const TTypeInfo info = EnumTypeInfo("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
  return &info;
}

TClass TbsSkinCustomComboBox::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsSkinCustomComboBox>("TbsSkinCustomComboBox")
                                   .Redeclare("TabStop")
                                   .Default(true)
                                   .Redeclare("ParentFont")
                                   .Default(false));
  return &info;
}

TClass TbsSkinComboBox::StaticClass() {
  using C = TbsSkinComboBox;
  static const TClassInfo info(
      TClassBuilder<C>("TbsSkinComboBox")
          .Property("Style", &C::Style, &C::SetStyle)
          .Default(bscbFixedStyle)
          .Property("Items", &C::Items, &C::SetItems)
          .Property("Sorted", &C::Sorted, &C::SetSorted)
          .Default(false)
          .Property("ItemIndex", &C::ItemIndex, &C::SetItemIndex)
          .Default(-1)
          .Property("Text", &C::Text, &C::SetText)
          .Property("DropDownCount", &C::DropDownCount, &C::SetDropDownCount)
          .Default(8)
          .Property("ListBoxWidth", &C::ListBoxWidth, &C::SetListBoxWidth)
          .Default(0)
          .Property("ListBoxDefaultItemHeight", &C::ListBoxDefaultItemHeight, &C::SetListBoxDefaultItemHeight)
          .Default(20)
          .Property("ListBoxUseSkinItemHeight", &C::ListBoxUseSkinItemHeight, &C::SetListBoxUseSkinItemHeight)
          .Default(true)
          .Property("ListBoxDefaultFont", &C::ListBoxDefaultFont, &C::SetListBoxDefaultFont)
          .Property("ListBoxUseSkinFont", &C::ListBoxUseSkinFont, &C::SetListBoxUseSkinFont)
          .Default(false)
          .Property("ListBoxCaption", &C::ListBoxCaption, &C::SetListBoxCaption)
          .Property("ListBoxCaptionMode", &C::ListBoxCaptionMode, &C::SetListBoxCaptionMode)
          .Default(false)
          .Property("ListBoxDefaultCaptionFont", &C::ListBoxDefaultCaptionFont, &C::SetListBoxDefaultCaptionFont)
          .Property("ListBoxCaptionAlignment", &C::ListBoxCaptionAlignment, &C::SetListBoxCaptionAlignment)
          .Default(taLeftJustify)
          .Property("TabWidths", &C::TabWidths, &C::SetTabWidths)
          .Property("HorizontalExtent", &C::HorizontalExtent, &C::SetHorizontalExtent)
          .Default(0)
          .Property("Images", &C::Images, &C::SetImages)
          .Property("ImageIndex", &C::ImageIndex, &C::SetImageIndex)
          .Default(-1)
          .Property("AutoComplete", &C::AutoComplete, &C::SetAutoComplete)
          .Default(true)
          .Property("HideSelection", &C::HideSelection, &C::SetHideSelection)
          .Default(true)
          .Property("CharCase", &C::CharCase, &C::SetCharCase)
          .Default(ecNormal)
          .Property("DefaultColor", &C::DefaultColor, &C::SetDefaultColor, TypeInfoColor())
          .Property("UseSkinSize", &C::UseSkinSize, &C::SetUseSkinSize)
          .Default(true)
          .Property("AlphaBlend", &C::AlphaBlend, &C::SetAlphaBlend)
          .Default(false)
          .Property("AlphaBlendValue", &C::AlphaBlendValue, &C::SetAlphaBlendValue)
          .Default(0)
          .Property("AlphaBlendAnimation", &C::AlphaBlendAnimation, &C::SetAlphaBlendAnimation)
          .Default(false)
          .Property("OnChange", &C::OnChange)
          .Property("OnDropDown", &C::OnDropDown)
          .Property("OnCloseUp", &C::OnCloseUp)
          .Property("OnListBoxDrawItem", &C::OnListBoxDrawItem, &C::SetOnListBoxDrawItem)
          .Property("OnComboBoxDrawItem", &C::OnComboBoxDrawItem));
  return &info;
}

TbsSkinCustomComboBox::TbsSkinCustomComboBox(TComponent* owner)
    : TbsSkinCustomControl(owner), FDefaultColor(SystemColor(COLOR_WINDOW)) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks});
  SetBounds(Left(), Top(), 120, 20);
  SetTabStop(true);
  SetSkinDataName("combobox");
  SetParentFont(false);
  Font()->SetName(bsDefaultFontName);
  Font()->SetCharset(bsDefaultFontCharset);
  Font()->SetColor(SystemColor(COLOR_WINDOWTEXT));
  Font()->SetHeight(-12);
  FListBox = new TbsPopupListBox(this);
  LayoutControls();
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox() {
  RemoveClickHook();
  if (FEdit) {
    // The edit goes with the children, after us: its handlers must not reach back.
    FEdit->OnChange = nullptr;
    FEdit->OnKeyDown = nullptr;
    FEdit->OnExit = nullptr;
  }
  delete FListBox;
  FListBox = nullptr;
}

// ---- Properties --------------------------------------------------------------------------

void TbsSkinCustomComboBox::SetStyle(TbsComboBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  if (value == bscbEditStyle) {
    FEdit = new TbsCustomEdit(this);
    FEdit->SetParent(this);
    FEdit->SetAutoSelect(true);
    FEdit->OnChange = [this](TObject*) { EditTextChanged(); };
    FEdit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { EditKeyDown(key, shift); };
    FEdit->OnExit = [this](TObject*) { CloseUp(false); };
    {
      TFlagScope own(FInEditChange);
      FEdit->SetText(Text());
    }
    UpdateEditFont();
    FEdit->SetEditTransparent(Bound());
    FEdit->SetColor(FDefaultColor);
  } else {
    delete FEdit;
    FEdit = nullptr;
  }
  LayoutControls();
  Invalidate();
}

void TbsSkinCustomComboBox::SetItemIndex(int value) {
  FListBox->SetItemIndex(value);
  const int index = FListBox->ItemIndex();
  if (Items()->Count() > 0 && index != -1) SetText(Items()->Strings(index));
  FSavedIndex = index;
  if (!FEdit) Invalidate();
  if (!Loading()) Click();
}

void TbsSkinCustomComboBox::SetDropDownCount(int value) {
  if (value > 0) FDropDownCount = value;
}

void TbsSkinCustomComboBox::SetImages(TCustomImageList* value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (FImages) FImages->FreeNotification(this);
  FListBox->SetImages(value);
  Invalidate();
}

void TbsSkinCustomComboBox::SetImageIndex(int value) {
  FImageIndex = value;
  FListBox->SetImageIndex(value);
  Invalidate();
}

void TbsSkinCustomComboBox::Notification(TComponent* component, TOperation operation) {
  TbsSkinCustomControl::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TbsSkinCustomComboBox::SetCharCase(TEditCharCase value) {
  FCharCase = value;
  if (FEdit) EditTextChanged();
}

void TbsSkinCustomComboBox::SetDefaultColor(TColor value) {
  FDefaultColor = value;
  if (FEdit && !Bound()) FEdit->SetColor(value);
  Invalidate();
}

void TbsSkinCustomComboBox::SetUseSkinSize(bool value) {
  if (value == FUseSkinSize) return;
  FUseSkinSize = value;
  if (!ComponentState().Contains(csLoading)) ApplySkinChange();
}

void TbsSkinCustomComboBox::SetOnListBoxDrawItem(TbsDrawSkinItemEvent value) {
  FOnListBoxDrawItem = value;
  FListBox->OnDrawItem = value;
}

void TbsSkinCustomComboBox::TextChanged() {
  TbsSkinCustomControl::TextChanged();
  if (FEdit && !FInEditChange) {
    TFlagScope own(FInEditChange);
    FEdit->SetText(Text());
  }
  if (!Loading()) OnChange(this);
}

void TbsSkinCustomComboBox::SetFocus() {
  if (FEdit && FEdit->CanFocus())
    FEdit->SetFocus();
  else
    TbsSkinCustomControl::SetFocus();
}

// ---- Dropping down and closing up --------------------------------------------------------------

bool TbsSkinCustomComboBox::DroppedDown() const { return FListBox && FListBox->Visible(); }

void TbsSkinCustomComboBox::DropDown() {
  if (Items()->Count() == 0 || DroppedDown()) return;
  StopAutoScroll();
  OnDropDown(this);
  const int width = FListBoxWidth > 0 ? FListBoxWidth : Width();
  const int rows = std::min(Items()->Count(), FDropDownCount);
  FListBox->SetSkinData(SkinData());
  FListBox->SetBounds(FListBox->Left(), FListBox->Top(), width, FListBox->Height());
  const int height = FListBox->HeightForRows(rows);
  // Below the box, or above it when below would leave the work area.
  const POINT below = ClientToScreen({0, Height()});
  RECT work;
  MonitorWorkArea(Handle(), true, work);
  int top = below.Y;
  FOpenedUpward = top + height > work.Bottom;
  if (FOpenedUpward) top = ClientToScreen({0, 0}).Y - height;
  if (FEdit) FEdit->SetFocus();
  FSavedIndex = ItemIndex();
  const bool alpha = FAlphaBlend && HasLayeredWindows();
  FAlphaNow = alpha && FAlphaBlendAnimation ? 0 : FAlphaBlendValue;
  FListBox->SetAlpha(alpha, uint8_t(FAlphaNow));
  FListBox->ShowAt({below.X, top, below.X + width, top + height});
  FListBox->ScrollIntoView(FSavedIndex);
  if (alpha && FAlphaBlendAnimation && FAlphaNow < FAlphaBlendValue)
    SetTimer(Handle(), kAlphaTimer, USER_TIMER_MINIMUM, nullptr);
  InstallClickHook();
  Invalidate();
}

void TbsSkinCustomComboBox::AlphaTick() {
  // The classic fade: ten steps of opacity for every 5 ms.
  FAlphaNow = std::min(FAlphaNow + 2 * 10, int(FAlphaBlendValue));
  FListBox->SetAlpha(true, uint8_t(FAlphaNow));
  if (FAlphaNow >= FAlphaBlendValue) KillTimer(Handle(), kAlphaTimer);
}

void TbsSkinCustomComboBox::CloseUp(bool accept) {
  StopAutoScroll();
  if (!DroppedDown()) return;
  FListBox->HidePopup();
  RemoveClickHook();
  if (HandleAllocated()) KillTimer(Handle(), kAlphaTimer);
  const int index = FListBox->ItemIndex();
  if (index < 0) {
    FListBox->SetItemIndex(FSavedIndex);
  } else if (accept) {
    const std::string item = Items()->Strings(index);
    if (FEdit) {
      FEdit->SetText(item);
      FEdit->SelectAll();
    } else {
      SetText(item);
      Invalidate();
    }
    if (!Loading()) Click();
  } else {
    FListBox->SetItemIndex(FSavedIndex);
  }
  Invalidate();
  if (accept && !Loading()) OnCloseUp(this);
}

// A press anywhere but on the combo box and its list closes the list.
void TbsSkinCustomComboBox::InstallClickHook() {
  if (FClickHook) return;
  FClickHook = AddMessageHook([this](MSG& msg) {
    if (IsButtonPress(msg.message) && DroppedDown() && !IsOwnWindow(msg.hwnd)) CloseUp(false);
    return false;
  });
}

void TbsSkinCustomComboBox::RemoveClickHook() {
  if (!FClickHook) return;
  RemoveMessageHook(FClickHook);
  FClickHook = 0;
}

bool TbsSkinCustomComboBox::IsOwnWindow(HWND window) const {
  for (TControl* c = TWinControl::FindControl(window); c; c = c->Parent())
    if (c == this || c == FListBox) return true;
  return false;
}

// ---- Auto-scroll and stepping ------------------------------------------------------------------

void TbsSkinCustomComboBox::StartAutoScroll(TScroll direction) {
  if (direction == FScroll) return;
  FScroll = direction;
  SetTimer(Handle(), kScrollTimer, kScrollInterval, nullptr);
}

void TbsSkinCustomComboBox::StopAutoScroll() {
  if (FScroll == kNoScroll) return;
  FScroll = kNoScroll;
  if (HandleAllocated()) KillTimer(Handle(), kScrollTimer);
}

void TbsSkinCustomComboBox::AutoScrollTick() {
  const int index = FListBox->ItemIndex();
  if (FScroll == kScrollUp && index > 0) FListBox->SetItemIndex(index - 1);
  if (FScroll == kScrollDown && index < Items()->Count() - 1) FListBox->SetItemIndex(index + 1);
}

void TbsSkinCustomComboBox::SelectStep(int index) {
  if (Items()->Count() == 0) return;
  SetItemIndex(std::clamp(index, 0, Items()->Count() - 1));
}

int TbsSkinCustomComboBox::FindPrefix(const std::string& text, int after) const {
  const int count = Items()->Count();
  if (text.empty() || count == 0) return -1;
  for (int n = 0; n < count; ++n) {
    const int i = ((after < 0 ? 0 : after + 1) + n) % count;
    const std::string item = Items()->Strings(i);
    if (item.size() >= text.size() && SameText(std::string_view(item).substr(0, text.size()), text)) return i;
  }
  return -1;
}

// ---- Mouse ----------------------------------------------------------------------------------------

void TbsSkinCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (!FEdit && !Focused() && CanFocus()) SetFocus();
  if (button != mbLeft) return;
  FButtonHot = FArrowButtonRect.Contains(x, y);
  if (FButtonHot || (!FEdit && FItemRect.Contains(x, y))) {
    FButtonPressed = true;
    Invalidate();
    if (!DroppedDown()) {
      FEnteredList = false;
      FTracking = true;
      DropDown();
      return;
    }
  }
  CloseUp(false);
}

void TbsSkinCustomComboBox::MouseMove(TShiftState shift, int x, int y) {
  if (FTracking && DroppedDown()) {
    TbsListBox* rows = FListBox->ListBox();
    const POINT p = rows->ScreenToClient(ClientToScreen({x, y}));
    const RECT area = rows->ClientRect();
    const bool above = p.Y < area.Top, below = p.Y >= area.Bottom;
    const bool scrolls = rows->Count() > rows->VisibleItemCount();
    // Toward the side the combo box lies on only once the pointer has been
    // in the list (holding the button on the box must not run the list).
    const bool nearAbove = !FOpenedUpward;
    if (above && (!nearAbove || (FEnteredList && scrolls))) {
      StartAutoScroll(kScrollUp);
    } else if (below && (nearAbove || (FEnteredList && scrolls))) {
      StartAutoScroll(kScrollDown);
    } else if (!above && !below) {
      StopAutoScroll();
      if (p.X >= area.Left && p.X < area.Right) {
        const int index = rows->ItemAtPos(p, true);
        if (index >= 0) FListBox->SetItemIndex(index);
        FEnteredList = true;
      }
    }
  } else {
    const bool hot = FArrowButtonRect.Contains(x, y);
    if (hot != FButtonHot) {
      FButtonHot = hot;
      Invalidate();
    }
  }
  TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FTracking && FEnteredList) {
    FTracking = false;
    SetMouseCapture(false);
    const HWND under = WindowFromPoint(ClientToScreen({x, y}));
    CloseUp(under == FListBox->ListBox()->Handle());
  } else {
    FTracking = false;
  }
  StopAutoScroll();
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
  FButtonPressed = false;
  Invalidate();
}

void TbsSkinCustomComboBox::ListPressed() {
  // A press on a row: the release decides, as if it began on the box.
  POINT p;
  GetCursorPos(&p);
  TbsListBox* rows = FListBox->ListBox();
  const int index = rows->ItemAtPos(rows->ScreenToClient(p), true);
  if (index >= 0) FListBox->SetItemIndex(index);
  FTracking = true;
  FEnteredList = true;
  SetMouseCapture(true);
}

void TbsSkinCustomComboBox::ListHovered(POINT rows) {
  if (FTracking) return;
  const int index = FListBox->ListBox()->ItemAtPos(rows, true);
  if (index >= 0 && index != FListBox->ItemIndex()) FListBox->SetItemIndex(index);
}

// ---- Keys ---------------------------------------------------------------------------------------

LRESULT TbsSkinCustomComboBox::DialogCode() {
  // While the list is open Enter and Escape are ours, not the form's.
  return DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
}

void TbsSkinCustomComboBox::KeyDown(WORD& key, TShiftState shift) {
  const bool alt = shift.Contains(ssAlt);
  const int index = ItemIndex(), count = Items()->Count();
  switch (key) {
    case VK_RETURN:
      if (!DroppedDown()) return;
      CloseUp(true);
      break;
    case VK_ESCAPE:
      if (!DroppedDown()) return;
      CloseUp(false);
      break;
    case VK_TAB:
      // The open list keeps every key; Tab closes it and moves on as usual.
      if (!DroppedDown()) return;
      CloseUp(false);
      if (TWinControl* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, key, LPARAM(shift.Bits()));
      break;
    case VK_UP:
    case VK_LEFT:
      if (alt)
        CloseUp(false);
      else if (index > 0)
        SetItemIndex(index - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      if (alt)
        DropDown();
      else if (index < count - 1)
        SetItemIndex(index + 1);
      break;
    // Page Up goes two items further than Page Down.
    case VK_PRIOR: SelectStep(std::max(index - FDropDownCount - 1, 0)); break;
    case VK_NEXT: SelectStep(std::min(index + FDropDownCount - 1, count - 1)); break;
    default: TbsSkinCustomControl::KeyDown(key, shift); return;
  }
  key = 0;
}

void TbsSkinCustomComboBox::KeyPress(char32_t& key) {
  TbsSkinCustomControl::KeyPress(key);
  if (FEdit || key < 32 || key == 127) return;
  const uint64_t now = GetTickCount64();
  const std::string typed = Utf32ToUtf8(std::u32string(1, key));
  std::string search = typed;
  if (FAutoComplete) {
    if (now - FLastKeyTime > kSearchPause) FSearch.clear();
    FSearch += typed;
    search = FSearch;
  }
  FLastKeyTime = now;
  // One character looks after the current item (the same letter again
  // moves on); more from the top.
  const bool single = Utf8ToUtf32(search).size() == 1;
  const int found = FindPrefix(search, single ? ItemIndex() : -1);
  if (found >= 0) SetItemIndex(found);
}

// ---- The edit style ----------------------------------------------------------------------------

void TbsSkinCustomComboBox::EditTextChanged() {
  if (FInEditChange || !FEdit) return;
  TFlagScope own(FInEditChange);
  std::string text = FEdit->Text();
  if (FCharCase != ecNormal) {
    const std::string cased = FCharCase == ecUpperCase ? UpperCase(text) : LowerCase(text);
    if (cased != text) {
      const int caret = FEdit->SelStart();
      FEdit->SetText(cased);
      FEdit->SetSelStart(caret);
      text = cased;
    }
  }
  if (!text.empty()) {
    const int found = FindPrefix(text, -1);
    if (found >= 0) {
      if (FAutoComplete)
        FListBox->SetItemIndex(found);
      else
        FListBox->SetTopIndex(found);
    }
  }
  SetText(text);
}

void TbsSkinCustomComboBox::EditKeyDown(WORD& key, TShiftState shift) {
  // The list's keys; Left and Right stay with the text.
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: KeyDown(key, shift); break;
    case VK_RETURN:
    case VK_ESCAPE:
      if (DroppedDown()) KeyDown(key, shift);
      break;
    default: break;
  }
}

// ---- Messages ------------------------------------------------------------------------------------

void TbsSkinCustomComboBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_TIMER:
      if (message.WParam == kScrollTimer) {
        AutoScrollTick();
        return;
      }
      if (message.WParam == kAlphaTimer) {
        AlphaTick();
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      if (FEdit) break;
      const int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
      const int step = delta < 0 ? 1 : delta > 0 ? -1 : 0;
      const int count = Items()->Count();
      if (step != 0 && count > 0) {
        const int index = std::clamp(ItemIndex() + step, 0, count - 1);
        // Open, only the list's row moves; closed, the selection with OnClick.
        if (DroppedDown())
          FListBox->SetItemIndex(index);
        else if (index != ItemIndex())
          SetItemIndex(index);
      }
      message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
      TbsSkinCustomControl::WndProc(message);
      if (FEdit && FEdit->CanFocus()) FEdit->SetFocus();
      Invalidate();
      return;
    case WM_KILLFOCUS:
      TbsSkinCustomControl::WndProc(message);
      if (!FEdit) CloseUp(false);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      if (FEdit) FEdit->SetEnabled(Enabled());
      Invalidate();
      break;
    default: break;
  }
  TbsSkinCustomControl::WndProc(message);
  if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) {
    FMouseIn = message.Msg == CM_MOUSEENTER;
    if (!FMouseIn) FButtonHot = false;
    if (Bound() && !IsEmptyRect(FRecord.ActiveSkinRect)) {
      Invalidate();
      if (FEdit && !FEdit->Focused()) FEdit->Font()->SetColor(FMouseIn ? FRecord.ActiveFontColor : FRecord.FontColor);
    } else if (!FMouseIn) {
      Invalidate();
    }
  }
}

}  // namespace kora
