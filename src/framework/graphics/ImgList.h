#pragma once
// Image lists: numbered pictures of one fixed size, each with a mask, drawn
// transparently, normal or greyed.

#include <memory>
#include <vector>

#include "framework/core/Components.h"
#include "framework/graphics/Graphics.h"

namespace kora {

// Images keep their position: image p stays p until an image before it is
// deleted. Adding a bitmap cuts it into Width-wide images from the left
// (floor(bitmap width / Width) of them; columns left over at the right are
// dropped). A bitmap narrower than Width still gives one image, and a
// bitmap of another height is cut off below Height or padded with
// transparent rows, so one picture file is always one position.
class TCustomImageList : public TComponent {
  KORA_CLASS(TCustomImageList, TComponent)

  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  // Changing the image size empties the list.
  int Width() const { return FWidth; }
  void SetWidth(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  int Count() const { return static_cast<int>(FImages.size()); }

  // Adds the images of `image`; where `mask` is white (non-black) the
  // image is transparent, a null mask leaves it opaque. Returns the index
  // of the first image added. A null or empty image raises
  // EInvalidGraphicOperation "Unable to insert an image".
  int Add(const TBitmap* image, const TBitmap* mask);
  // As Add with the pixels of `maskColor` transparent; clDefault takes the
  // bitmap's bottom-left pixel, clNone makes the images opaque.
  int AddMasked(const TBitmap* image, TColor maskColor);
  // Index errors raise EInvalidGraphicOperation "Invalid ImageList Index".
  void Delete(int index);
  void Clear();

  // Draws image `index` with its top-left corner at (x, y): transparent
  // where masked (unless Masked is off, then the masked parts are black),
  // over BkColor when that is not clNone. Disabled images are drawn etched:
  // their shape (the pixels neither masked nor white) in the button
  // highlight colour one pixel down and right, then in the button shadow
  // colour; everything else stays as it was. An index outside the list or
  // a null canvas draws nothing.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
  // Sizes `image` to Width x Height and draws image `index` on it; false
  // (and `image` untouched) for an index outside the list.
  bool GetBitmap(int index, TBitmap* image) const;

  bool Masked() const { return FMasked; }
  void SetMasked(bool value);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor value);

  // Images travel in form descriptions as the binary property "Bitmap".
  void DefineProperties(TFiler& filer) override;

  // After every change of the images.
  TNotifyEvent OnChange;

protected:
  virtual void Change();

private:
  struct TImage;

  void ReadImages(TStream& stream);
  void WriteImages(TStream& stream) const;
  void AddFromPixels(const TBitmap& image, const std::vector<bool>& transparent);
  const TImage* ImageAt(int index) const;

  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
  std::vector<std::unique_ptr<TImage>> FImages;
};

// The image list of form descriptions (Width, Height, Masked, BkColor).
class TImageList : public TCustomImageList {
  KORA_CLASS(TImageList, TCustomImageList)

  explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
};

}  // namespace kora
