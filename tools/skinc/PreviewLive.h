#pragma once
// The program's own controls on a headless screen, for the review sheet: a
// borderless form on which real skinned controls are placed, bound to the
// sheet's skin, painted by the window system and copied off the screen. The
// sheet shows what the running program draws because it is the program's
// drawing.

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "skin/data/bsSkinData.h"

namespace kora::skinc {

class TLiveStage {
public:
  // Takes over the window system with a headless screen until destroyed.
  explicit TLiveStage(TbsSkinData& skin);
  ~TLiveStage();
  TLiveStage(const TLiveStage&) = delete;
  TLiveStage& operator=(const TLiveStage&) = delete;

  TbsSkinData& Skin() const { return FSkin; }
  // Places a new T at bounds on parent (the stage's form when null), bound
  // to the skin when T has a SkinData. The stage owns it until Clear.
  template <class T>
  T* Place(const RECT& bounds, TWinControl* parent = nullptr) {
    auto* control = new T(FForm.get());
    control->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    control->SetParent(parent ? parent : FForm.get());
    if constexpr (requires { control->SetSkinData(&FSkin); }) control->SetSkinData(&FSkin);
    FPlaced.push_back(control);
    return control;
  }
  // Paints what waits and copies the control as the screen shows it to
  // (x, y) of target.
  void Capture(const TControl* control, TBitmap& target, int x, int y);
  // Moves the pointer over a point of the control (its hot looks follow),
  // or off every control.
  void PointAt(const TControl* control, POINT client);
  void PointAway();
  // Frees every placed control.
  void Clear();

private:
  TbsSkinData& FSkin;
  HeadlessBackend FScreen;
  std::unique_ptr<TForm> FForm;
  std::vector<TControl*> FPlaced;
};

}  // namespace kora::skinc
