#pragma once
// Colours, fonts, pens, brushes, canvases over device contexts, bitmaps and
// icons: the drawing objects components paint with.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Font.h"

namespace kora {

// ---- Colours ---------------------------------------------------------------

// 0x00BBGGRR, or 0xFF000000 + index for a system colour (a negative value).
using TColor = int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

// A system colour becomes its current RGB value; any other value is
// returned unchanged.
TColor ColorToRGB(TColor color);
// The 0x00BBGGRR value drawing calls take; clNone and clDefault, which name
// no colour, give white and black.
COLORREF ColorToColorRef(TColor color);

// ---- Errors ----------------------------------------------------------------

// A picture whose bytes cannot be read: "Bitmap image is not valid".
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};
// An operation a graphic cannot do: "Canvas does not allow drawing",
// "Invalid ImageList Index", ...
class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};
// A drawing object the window system refused: "Out of system resources".
class EOutOfResources : public Exception {
public:
  using Exception::Exception;
};

// ---- Pens, brushes and fonts -----------------------------------------------

// Fonts, pens and brushes hand out a drawing object built from their
// attributes when first asked and build a new one after a change.
// OnChange runs after every change, while the old object still exists:
// canvases use it to put their original objects back first.
class TGraphicsObject : public TPersistent {
  KORA_CLASS(TGraphicsObject, TPersistent)

  TGraphicsObject() = default;
  ~TGraphicsObject() override;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;

  TNotifyEvent OnChange;

protected:
  // The drawing object, made by CreateHandle when none exists.
  HGDIOBJ GetHandle() const;
  virtual HGDIOBJ CreateHandle() const = 0;
  // Raises OnChange; with `handleStale` the drawing object is rebuilt on
  // next use and the old one deleted once the listeners let go of it.
  void Changed(bool handleStale = true);

private:
  mutable HGDIOBJ FHandle;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
const TTypeInfo* TypeInfoOf(TFontStyle);
const TTypeInfo* TypeInfoOf(TFontStyles);
const TTypeInfo* TypeInfoOf(TFontPitch);
// "TFontCharset": 0..255 with the character set names (GB2312_CHARSET, ...).
const TTypeInfo* TypeInfoFontCharset();

// Logical pixels per inch; font sizes in points convert through it.
constexpr int kFontPixelsPerInch = 96;

class TFont : public TGraphicsObject {
  KORA_CLASS(TFont, TGraphicsObject)

  TFont() = default;

  // Copies another font's attributes (a TFont) and raises OnChange.
  void Assign(const TPersistent* source) override;

  HFONT Handle() const { return HFONT(GetHandle()); }

  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  // Negative: the character height in pixels; positive: the cell height.
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t value);
  // Points: Height = -MulDiv(Size, 96, 72).
  int32_t Size() const;
  void SetSize(int32_t value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset value);
  // Not part of the drawing object: changing it keeps the handle.
  TColor Color() const { return FColor; }
  void SetColor(TColor value);

protected:
  HGDIOBJ CreateHandle() const override;

private:
  std::string FName = "MS Sans Serif";
  int32_t FHeight = -11;
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// In the order of the platform's R2_ mix codes minus one.
enum TPenMode {
  pmBlack,
  pmNotMerge,
  pmMaskNotPen,
  pmNotCopy,
  pmMaskPenNot,
  pmNot,
  pmXor,
  pmNotMask,
  pmMask,
  pmNotXor,
  pmNop,
  pmMergeNotPen,
  pmCopy,
  pmMergePenNot,
  pmMerge,
  pmWhite
};
const TTypeInfo* TypeInfoOf(TPenStyle);
const TTypeInfo* TypeInfoOf(TPenMode);

// The mixes the platform draws are pmCopy, pmNot, pmXor, pmNop, pmBlack and
// pmWhite; the others draw as pmCopy.
class TPen : public TGraphicsObject {
  KORA_CLASS(TPen, TGraphicsObject)

  TPen() = default;
  void Assign(const TPersistent* source) override;

  HPEN Handle() const { return HPEN(GetHandle()); }

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  // Applied to the device context when a canvas selects the pen.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode value);

protected:
  HGDIOBJ CreateHandle() const override;

private:
  TColor FColor = clBlack;
  int32_t FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
const TTypeInfo* TypeInfoOf(TBrushStyle);

// Hatched styles fill solid: the platform has no hatch brushes.
class TBrush : public TGraphicsObject {
  KORA_CLASS(TBrush, TGraphicsObject)

  TBrush() = default;
  void Assign(const TPersistent* source) override;

  HBRUSH Handle() const { return HBRUSH(GetHandle()); }

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);

protected:
  HGDIOBJ CreateHandle() const override;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// ---- Canvas ----------------------------------------------------------------

using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TGraphic;
class TBitmap;
struct BmpImage;

// Drawing on a device context with a font, a pen and a brush. The canvas
// selects them into the context when drawing needs them and puts the
// context's original objects back when it lets go of the context, when
// Refresh is called, and before a changed font, pen or brush is selected
// again.
class TCanvas : public TPersistent {
  KORA_CLASS(TCanvas, TPersistent)

  TCanvas();
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context with font, pen and brush selected. A canvas without
  // one asks CreateHandle; if that gives none, raises
  // EInvalidGraphicOperation "Canvas does not allow drawing".
  HDC Handle();
  // Lets go of the current context (restoring its objects) and takes this
  // one, which the canvas does not own.
  void SetHandle(HDC value);
  // Lets go of the context; canvases that made their own free it here.
  virtual void FreeHandle() { SetHandle(HDC()); }
  // Deselects font, pen and brush so the next drawing selects them afresh.
  void Refresh();

  TFont* Font() const { return FFont.get(); }
  TPen* Pen() const { return FPen.get(); }
  TBrush* Brush() const { return FBrush.get(); }
  // Copy the attributes of the given objects.
  void SetFont(const TFont* value) { FFont->Assign(value); }

  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode value) { FCopyMode = value; }
  POINT PenPos();

  // Lines exclude their end point.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Outlined with the pen, filled with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const RECT& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // With the brush only; a clear brush draws nothing.
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  // Drawn twice it restores the picture.
  void DrawFocusRect(const RECT& r);

  // -1 (CLR_INVALID) outside the drawable area.
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor value);

  // With the font; a solid brush fills the text cell. TextOut leaves the
  // pen position after the text.
  void TextOut(int x, int y, std::string_view text);
  // As TextOut, clipped to r, which a solid brush fills first.
  void TextRect(const RECT& r, int x, int y, std::string_view text);
  SIZE TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  // The graphic at its own size, honouring its Transparent flag; nothing
  // for a null or empty graphic.
  void Draw(int x, int y, const TGraphic* graphic);
  void StretchDraw(const RECT& r, const TGraphic* graphic);
  // Scales source of the other canvas onto dest with CopyMode.
  void CopyRect(const RECT& dest, TCanvas* canvas, const RECT& source);
  // Copies source of the bitmap onto dest with pixels of `color` showing
  // the brush instead.
  void BrushCopy(const RECT& dest, const TBitmap* bitmap, const RECT& source, TColor color);

  // The drawable area in logical coordinates.
  RECT ClipRect();

  // Around every drawing call.
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

protected:
  // Called when a context is needed and none is set; overrides call SetHandle.
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();

private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void DeselectFont();
  void DeselectPen();
  void DeselectBrush();

  HDC FHandle;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  // What the context held before our objects went in, null while ours are out.
  HGDIOBJ FOldFont;
  HGDIOBJ FOldPen;
  HGDIOBJ FOldBrush;
  TCopyMode FCopyMode = cmSrcCopy;
};

// ---- Graphics --------------------------------------------------------------

// A picture that can draw itself on a canvas and travel in streams, files
// and form descriptions (as the binary property "Data").
class TGraphic : public TPersistent {
  KORA_CLASS(TGraphic, TPersistent)

  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;

  // Reads one picture from the stream's position and leaves the stream
  // after it.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;
  // File errors are the file stream's ("Cannot open file "%s". %s").
  void LoadFromFile(const std::string& fileName);

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

protected:
  friend class TCanvas;
  // Draws the whole picture scaled into r.
  virtual void Draw(TCanvas* canvas, const RECT& r) const = 0;
  // Sets Modified and raises OnChange.
  virtual void Changed();
  // The "Data" property: the picture as in a file.
  virtual void ReadData(TStream& stream);
  virtual void WriteData(TStream& stream) const;

private:
  bool FTransparent = false;
  bool FModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
const TTypeInfo* TypeInfoOf(TPixelFormat);
const TTypeInfo* TypeInfoOf(TTransparentMode);

// A bitmap of 32-bit pixels in memory (rows top-down, bytes B, G, R and an
// unused fourth byte). PixelFormat records the depth the bitmap came with
// and is saved in; pixels are always kept at 32 bits, so ScanLine rows have
// four bytes per pixel whatever the format says. Formats of 8 bits or less
// keep their colour table: a loaded palette, or a standard one when the
// format is set, with the pixels mapped to it.
class TBitmap : public TGraphic {
  KORA_CLASS(TBitmap, TGraphic)

  TBitmap();
  ~TBitmap() override;

  // A TBitmap is copied pixel for pixel with its format, palette and
  // transparency settings; null empties this one.
  void Assign(const TPersistent* source) override;

  bool Empty() const override { return !FHandle; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int value) override { SetSize(value, FHeight); }
  void SetHeight(int value) override { SetSize(FWidth, value); }
  // Keeps the pixels that still fit; new ones are white. A side of 0 or
  // less leaves the bitmap empty. Raises EOutOfResources "Out of system
  // resources" beyond the platform's bitmap size limit.
  void SetSize(int width, int height);

  // Reads one BMP file and leaves the stream where its header's size field
  // says the file ends (or where its pixels end when that field is 0).
  // Nothing left to read gives an empty bitmap. EInvalidGraphic for bytes
  // that are not a BMP file, EReadError when the stream ends early.
  void LoadFromStream(TStream& stream) override;
  // The same for a picture of a known size: one wider than maxWidth or
  // taller than maxHeight raises EInvalidGraphic once its header is read.
  void LoadFromStream(TStream& stream, int maxWidth, int maxHeight);
  using TGraphic::LoadFromFile;
  // A BMP file in PixelFormat's depth (pf15bit, pf16bit, pfDevice and
  // pfCustom as 24-bit); nothing for an empty bitmap.
  void SaveToStream(TStream& stream) const override;

  // Null while empty; owned by the bitmap.
  HBITMAP Handle() const { return FHandle; }

  // Drawing on the bitmap; its changes raise the bitmap's OnChange.
  TCanvas* Canvas();

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat value);
  // A 1-bit bitmap; turning it on maps every pixel to black or white.
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool value);

  // tmAuto: the bottom-left pixel's colour (white for a monochrome bitmap,
  // clNone for an empty one); tmFixed: the colour set. Setting a colour
  // switches to tmFixed, setting clDefault back to tmAuto.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);

  // Row y (0 is the top) of the pixel memory; EInvalidGraphicOperation
  // "Scan line index out of range" outside the bitmap.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;

protected:
  void Draw(TCanvas* canvas, const RECT& r) const override;
  // The "Data" property: a 32-bit length, then the BMP file.
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) const override;

private:
  class TBitmapCanvas;

  void ReplaceImage(HBITMAP handle, uint32_t* bits, int width, int height);
  void LoadImage(const BmpImage& image);
  void ConvertToPalette(std::vector<RGBQUAD> palette, TPixelFormat format);
  // The canvas, for drawing this bitmap elsewhere.
  HDC SourceDC() const;

  HBITMAP FHandle;
  uint32_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  std::vector<RGBQUAD> FPalette;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// An icon: one of the system's standard icons or any icon handle.
class TIcon : public TGraphic {
  KORA_CLASS(TIcon, TGraphic)

  TIcon() = default;
  ~TIcon() override;

  // Another TIcon's image is copied; null empties this one.
  void Assign(const TPersistent* source) override;

  bool Empty() const override { return !FHandle; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Icons keep the size they were made with: raises
  // EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  // Reads an .ico file, taking its image nearest to 32 x 32 pixels (the
  // deepest among equals), and leaves the stream after the file's last
  // image; nothing left to read empties the icon. Images stored as PNG and
  // malformed files raise EInvalidGraphic "Icon image is not valid".
  void LoadFromStream(TStream& stream) override;
  // An .ico file of one 32-bit image with its mask; nothing when empty.
  void SaveToStream(TStream& stream) const override;

  HICON Handle() const { return FHandle; }
  // Takes ownership (shared system icons are never destroyed).
  void SetHandle(HICON value);
  // A standard IDI_ icon drawn at size x size pixels (8 to 256).
  void LoadSystemIcon(int id, int size = 32);

protected:
  void Draw(TCanvas* canvas, const RECT& r) const override;

private:
  HICON FHandle;
  int FWidth = 0;
  int FHeight = 0;
};

}  // namespace kora
