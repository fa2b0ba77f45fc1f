#pragma once
// The program's own controls and windows on a headless screen, for the
// review sheet: a borderless form on which real skinned controls are
// placed, bound to the sheet's skin, beside room for framed windows, menus
// and hints; all painted by the window system and copied off the screen.
// The sheet shows what the running program draws because it is the
// program's drawing.

#include <memory>
#include <vector>

#include "framework/forms/Forms.h"
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
  HeadlessBackend& Screen() { return FScreen; }
  // The borderless form the placed controls sit on, at the screen's
  // top-left; the screen right of it is free for windows of their own.
  TForm* Form() const { return FForm.get(); }
  static constexpr POINT kWindowArea{1040, 20};

  // A new T owned by owner at bounds on parent, bound to the skin when T
  // has a SkinData.
  template <class T>
  T* Make(TComponent* owner, TWinControl* parent, const RECT& bounds) {
    auto* control = new T(owner);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    control->SetParent(parent);
    if constexpr (requires { control->SetSkinData(&FSkin); }) control->SetSkinData(&FSkin);
    return control;
  }
  // The same on the stage's form (or a control on it); the stage owns it
  // until Clear.
  template <class T>
  T* Place(const RECT& bounds, TWinControl* parent = nullptr) {
    T* control = Make<T>(FForm.get(), parent ? parent : FForm.get(), bounds);
    FPlaced.push_back(control);
    return control;
  }
  // Paints what waits and copies the control as the screen shows it to
  // (x, y) of target.
  void Capture(const TControl* control, TBitmap& target, int x, int y);
  // Copies a screen rectangle as it shows now (nothing is painted first:
  // this runs inside the menus' loops too).
  void CaptureScreen(const RECT& screen, TBitmap& target, int x, int y) const;
  // Moves the pointer over a point of the control (its hot looks follow),
  // over a screen point, or off every window.
  void PointAt(const TControl* control, POINT client);
  void PointAtScreen(POINT screen);
  void PointAway();
  // Frees every placed control.
  void Clear();

private:
  TbsSkinData& FSkin;
  HeadlessBackend FScreen;
  std::unique_ptr<TApplication> FApplication;
  std::unique_ptr<TForm> FForm;
  std::vector<TControl*> FPlaced;
};

}  // namespace kora::skinc
