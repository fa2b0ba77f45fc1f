// TbsSkinListView: its records, the skinned rows and headers, and the
// scroll ranges handed to its two skinned bars.

#include "skin/controls/bsSkinBoxCtrls_ListView.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"

namespace kora {

namespace {

constexpr uint32_t kCellFlags = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;

}  // namespace

TClass TbsSkinListView::StaticClass() {
  using C = TbsSkinListView;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinListView")
                                   .Property("SkinData", &C::SkinData, &C::SetSkinData)
                                   .Property("SkinDataName", &C::SkinDataName, &C::SetSkinDataName)
                                   .Property("HeaderSkinDataName", &C::HeaderSkinDataName, &C::SetHeaderSkinDataName)
                                   .Property("UseSkinFont", &C::UseSkinFont, &C::SetUseSkinFont)
                                   .Default(false)
                                   .Property("DefaultColor", &C::DefaultColor, &C::SetDefaultColor, TypeInfoColor())
                                   .Property("EmptyText", &C::EmptyText, &C::SetEmptyText)
                                   .Property("HScrollBar", &C::HScrollBar, &C::SetHScrollBar)
                                   .Property("VScrollBar", &C::VScrollBar, &C::SetVScrollBar));
  return &info;
}

TbsSkinListView::TbsSkinListView(TComponent* owner) : TListView(owner), FDefaultColor(SystemColor(COLOR_WINDOW)) {}

TbsSkinListView::~TbsSkinListView() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  for (TbsSkinScrollBar* bar : {FHScrollBar, FVScrollBar})
    if (bar) {
      bar->OnChange = nullptr;
      bar->RemoveFreeNotification(this);
    }
}

// ---- Properties -----------------------------------------------------------------------

void TbsSkinListView::SetSkinData(TbsSkinData* value) {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = value;
  if (FSkinData) FSkinData->FreeNotification(this);
  UpdateSkin();
}

void TbsSkinListView::SetSkinDataName(const std::string& value) {
  FSkinDataName = value;
  UpdateSkin();
}

void TbsSkinListView::SetHeaderSkinDataName(const std::string& value) {
  FHeaderSkinDataName = value;
  UpdateSkin();
}

void TbsSkinListView::SetUseSkinFont(bool value) {
  if (value == FUseSkinFont) return;
  FUseSkinFont = value;
  UpdateSkin();
}

void TbsSkinListView::SetDefaultColor(TColor value) {
  FDefaultColor = value;
  if (FRecordIndex == -1) SetColor(value);
}

void TbsSkinListView::SetEmptyText(const std::string& value) {
  if (value == FEmptyText) return;
  FEmptyText = value;
  Invalidate();
}

void TbsSkinListView::SetHScrollBar(TbsSkinScrollBar* value) {
  if (FHScrollBar) FHScrollBar->OnChange = nullptr;
  Relink(FHScrollBar, value);
  if (value) {
    value->SetEnabled(false);
    value->OnChange = [this](TObject*) { BarMoved(FHScrollBar); };
  }
  UpdateScrollBars();
}

void TbsSkinListView::SetVScrollBar(TbsSkinScrollBar* value) {
  if (FVScrollBar) FVScrollBar->OnChange = nullptr;
  Relink(FVScrollBar, value);
  if (value) {
    value->SetEnabled(false);
    value->OnChange = [this](TObject*) { BarMoved(FVScrollBar); };
  }
  UpdateScrollBars();
}

void TbsSkinListView::Notification(TComponent* component, TOperation operation) {
  TListView::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) {
    FSkinData = nullptr;
    FRecordIndex = FHeaderIndex = -1;
  }
  if (component == FHScrollBar) FHScrollBar = nullptr;
  if (component == FVScrollBar) FVScrollBar = nullptr;
}

void TbsSkinListView::CreateParams(TCreateParams& params) {
  TListView::CreateParams(params);
  // The container around the list draws its frame.
  params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
}

// ---- Skin -----------------------------------------------------------------------------

void TbsSkinListView::ResolveSkinRecord() {
  const bool loaded = FSkinData && !FSkinData->Empty();
  FRecordIndex = loaded ? FSkinData->FindControlRecord(FSkinDataName) : -1;
  if (FRecordIndex != -1) {
    if (const auto* record = dynamic_cast<const TbsDataSkinListView*>(FSkinData->ControlRecord(FRecordIndex))) {
      FSkinFont = *record;
      FSkinBGColor = record->BGColor;
    } else {
      FRecordIndex = -1;  // no colours to take from another kind
    }
  }
  FHeaderIndex = loaded ? FSkinData->FindControlRecord(FHeaderSkinDataName) : -1;
  FHeaderPicture = nullptr;
  if (FHeaderIndex != -1) {
    const auto* record = dynamic_cast<const TbsDataSkinButtonControl*>(FSkinData->ControlRecord(FHeaderIndex));
    FHeaderPicture = record ? FSkinData->FindActivePicture(record->PictureIndex) : nullptr;
    if (!record || !FHeaderPicture || IsEmptyRect(record->SkinRect)) {
      FHeaderIndex = -1;
    } else {
      FHeaderRect = record->SkinRect;
      FHeaderClientRect = record->ClientRect;
      FHeaderFontColor = record->FontColor;
    }
  }
}

void TbsSkinListView::UpdateSkin() {
  ResolveSkinRecord();
  if (FRecordIndex == -1) {
    SetColor(FDefaultColor);
  } else {
    SetColor(FSkinBGColor);
    if (FUseSkinFont) {
      Font()->SetName(FSkinFont.FontName);
      Font()->SetHeight(FSkinFont.FontHeight);
      Font()->SetStyle(FSkinFont.FontStyle);
    }
  }
  Font()->SetCharset(SkinTextCharset(FSkinData, Font()));
  Invalidate();
}

void TbsSkinListView::SkinNotice(UINT message, TbsSkinData* sender) {
  if (sender && sender != FSkinData) return;
  if (message == SKINMSG_SKIN_CHANGING) FRecordIndex = FHeaderIndex = -1;
  if (message == SKINMSG_SKIN_CHANGED) UpdateSkin();
}

TColor TbsSkinListView::TextColor() const { return FRecordIndex == -1 ? Font()->Color() : FSkinFont.FontColor; }

TColor TbsSkinListView::SelectionColor() const {
  return FRecordIndex == -1 ? SystemColor(COLOR_HIGHLIGHT) : FSkinData->SkinColors().Highlight;
}

TColor TbsSkinListView::SelectionTextColor() const {
  return FRecordIndex == -1 ? SystemColor(COLOR_HIGHLIGHTTEXT) : FSkinData->SkinColors().HighlightText;
}

// ---- Scroll bars ----------------------------------------------------------------------

void TbsSkinListView::SetBarInfo(int bar, const SCROLLINFO& info) {
  TbsSkinScrollBar* target = bar == SB_VERT ? FVScrollBar : FHScrollBar;
  if (!target) {
    TListView::SetBarInfo(bar, info);
    return;
  }
  const int page = int(info.nPage);
  const bool needed = page > 0 && info.nMax - info.nMin + 1 > page;
  FInBarUpdate = true;
  if (needed) {
    target->SetParams(info.nPos, info.nMin, info.nMax, page);
    target->SetLargeChange(std::max(page, 1));
  } else {
    target->SetParams(0, 0, 0, 0);
  }
  target->SetEnabled(needed);
  FInBarUpdate = false;
}

void TbsSkinListView::BarMoved(TbsSkinScrollBar* bar) {
  if (FInBarUpdate || !bar) return;
  // The lines run across in the list style, down otherwise; the report's
  // columns scroll across.
  const bool lines = (bar == FHScrollBar) == LinesAcross();
  if (lines)
    SetTopIndex(bar->Position());
  else
    SetScrollX(bar->Position());
}

void TbsSkinListView::WndProc(TMessage& message) {
  // Our bars sit outside the window, so the wheel's bar is theirs too.
  if (message.Msg == WM_MOUSEWHEEL && LinesAcross() && FHScrollBar) {
    SetTopIndex(TopIndex() - GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA);
    return;
  }
  TListView::WndProc(message);
}

// ---- Painting -------------------------------------------------------------------------

SIZE TbsSkinListView::ImageSize(bool large) const {
  const TCustomImageList* images = large ? LargeImages() : SmallImages();
  if (images) return {images->Width(), images->Height()};
  return {0, 0};
}

void TbsSkinListView::DrawItemImage(TCanvas* canvas, int index, int x, int y, bool large) {
  const TCustomImageList* images = large ? LargeImages() : SmallImages();
  const int image = Items(index).ImageIndex;
  if (images && image >= 0 && image < images->Count()) images->Draw(canvas, x, y, image, Enabled());
}

void TbsSkinListView::Paint() {
  TListView::Paint();
  if (ItemCount() > 0 || FEmptyText.empty()) return;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  RECT area = ItemsArea();
  area.Inflate(-8, -8);
  SetBkMode(canvas->Handle(), TRANSPARENT);
  SetTextColor(canvas->Handle(), ColorToColorRef(TextColor()));
  DrawText(canvas->Handle(), std::string_view(FEmptyText), &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

void TbsSkinListView::DrawItem(int index, const RECT& rect, bool selected) {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  TListItem& item = Items(index);
  const COLORREF text = ColorToColorRef(selected ? SelectionTextColor() : TextColor());
  const auto highlight = [&](const RECT& r) {
    if (!selected) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SelectionColor());
    canvas->FillRect(r);
  };
  SetBkMode(dc, TRANSPARENT);
  if (ViewStyle() == vsIcon) {
    const SIZE icon = ImageSize(true);
    DrawItemImage(canvas, index, (rect.Left + rect.Right - icon.cx) / 2, rect.Top + 2, true);
    RECT label{rect.Left + 2, rect.Top + icon.cy + 4, rect.Right - 2, rect.Bottom};
    // The highlight only as wide as the caption.
    RECT measured = label;
    DrawText(dc, std::string_view(item.Caption), &measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int w = std::min(WidthOf(measured) + 4, WidthOf(label));
    highlight({(label.Left + label.Right - w) / 2, label.Top, (label.Left + label.Right + w) / 2, label.Bottom});
    SetTextColor(dc, text);
    DrawText(dc, std::string_view(item.Caption), &label, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    return;
  }
  const SIZE icon = ImageSize(false);
  int x = rect.Left + 2;
  if (icon.cx > 0) {
    DrawItemImage(canvas, index, x, rect.Top + (HeightOf(rect) - icon.cy) / 2, false);
    x += icon.cx + 4;
  }
  const std::vector<TListColumn>& columns = Columns();
  const bool report = ViewStyle() == vsReport && !columns.empty();
  const int firstWidth = report ? columns[0].Width : WidthOf(rect);
  RECT label{x, rect.Top, rect.Left + firstWidth - 2, rect.Bottom};
  highlight(report ? RECT{x, rect.Top, rect.Right, rect.Bottom} : label);
  SetTextColor(dc, text);
  DrawText(dc, std::string_view(item.Caption), &label,
           kCellFlags | AlignmentFlags(report ? columns[0].Alignment : taLeftJustify));
  if (!report) return;
  int left = rect.Left + firstWidth;
  for (size_t c = 1; c < columns.size(); ++c) {
    RECT cell{left + 4, rect.Top, left + columns[c].Width - 4, rect.Bottom};
    if (c - 1 < item.SubItems.size())
      DrawText(dc, std::string_view(item.SubItems[c - 1]), &cell, kCellFlags | AlignmentFlags(columns[c].Alignment));
    left += columns[c].Width;
  }
}

void TbsSkinListView::DrawHeader(int column, const RECT& rect) {
  ResolveSkinRecord();
  if (FHeaderIndex == -1) {
    TListView::DrawHeader(column, rect);
    return;
  }
  TBitmap header;
  header.SetSize(WidthOf(rect), HeightOf(rect));
  ComposeStretchedFrame(&header, FHeaderPicture, FHeaderRect, FHeaderClientRect, true);
  TCanvas* c = header.Canvas();
  c->SetFont(Font());
  c->Font()->SetColor(FHeaderFontColor);
  c->Brush()->SetStyle(bsClear);
  const TListColumn& title = Columns()[size_t(column)];
  RECT text{4, 0, header.Width() - 4, header.Height()};
  DrawText(c->Handle(), std::string_view(title.Caption), &text, kCellFlags | AlignmentFlags(title.Alignment));
  Canvas()->Draw(rect.Left, rect.Top, &header);
}

}  // namespace kora
