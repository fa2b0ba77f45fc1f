#pragma once
// A top-level control on the headless screen for control tests, and helpers
// to act on controls like a person would.

#include <gtest/gtest.h>

#include "framework/controls/Controls.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/Backend.h"

namespace kora::test {

// A plain top-level window holding controls, standing in for a form.
class TPlainTestForm : public TWinControl {
public:
  explicit TPlainTestForm(TComponent* owner) : TWinControl(owner) {}

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN | (Visible() ? WS_VISIBLE : 0);
    params.WndParent = HWND();
  }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    Form = new TPlainTestForm(nullptr);
    Form->SetBounds(100, 100, 400, 300);
    Form->HandleNeeded();
    Screen.RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    ResetWindowSystem();
    SetBackend(nullptr);
  }
  // A screen point at client coordinates of a control.
  static POINT At(const TControl* control, int x, int y) { return control->ClientToScreen({x, y}); }
  void Click(const TControl* control, int x, int y) {
    Screen.Click(At(control, x, y));
    Screen.RunUntilIdle();
  }
  void Press(UINT vk) {
    Screen.PressKey(vk);
    Screen.RunUntilIdle();
  }
  void PressWith(UINT modifier, UINT vk) {
    Screen.KeyDown(modifier);
    Screen.PressKey(vk);
    Screen.KeyUp(modifier);
    Screen.RunUntilIdle();
  }
  void Type(std::string_view text) {
    Screen.Type(text);
    Screen.RunUntilIdle();
  }
  COLORREF PixelAt(const TControl* control, int x, int y) {
    const POINT p = At(control, x, y);
    return Screen.Capture().ColorAt(p.X, p.Y);
  }

  HeadlessBackend Screen;
  TPlainTestForm* Form = nullptr;
};

}  // namespace kora::test
