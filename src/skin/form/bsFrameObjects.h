#pragma once
// The frame's active skin objects: made from the skin's [SKINOBJECTS]
// records (or the default look's buttons), placed for the frame's size,
// shown or hidden by the border icons, told the window's active state,
// and painted one by one into the window.

#include <memory>
#include <string>
#include <vector>

namespace kora {

class TbsSkinForm;
class TbsActiveSkinObject;

class TbsFrameObjects {
public:
  using TList = std::vector<std::unique_ptr<TbsActiveSkinObject>>;

  explicit TbsFrameObjects(TbsSkinForm* frame) : FFrame(frame) {}
  ~TbsFrameObjects();
  TbsFrameObjects(const TbsFrameObjects&) = delete;
  TbsFrameObjects& operator=(const TbsFrameObjects&) = delete;

  int Count() const { return int(FObjects.size()); }
  TbsActiveSkinObject* At(int index) const { return FObjects[size_t(index)].get(); }
  const TList& All() const { return FObjects; }
  // The first object of that IDName, null when none.
  TbsActiveSkinObject* Find(const std::string& idName) const;
  void Clear();
  // The skin's objects, or the default look's buttons without a skin.
  void SyncFromSkin();
  // Places the objects for the frame's current geometry.
  void CalcRects();
  // Caption buttons follow BorderIcons and HideCaptionButtons; custom
  // objects ask OnActivateCustomObject.
  void SetBorderIconsVisibility();
  // The caption buttons' hints in the skin's language.
  void UpdateCaptionButtonHints();
  // The window's active state reached the objects (and OnActivate or OnDeActivate).
  void UpdateCaptionActiveState(bool repaint, bool animate);
  // Paints one object straight into the window.
  void Repaint(TbsActiveSkinObject* object);
  void RepaintAll();

private:
  void CreateDefaultObjects();

  TbsSkinForm* FFrame;
  TList FObjects;
};

}  // namespace kora
