#pragma once
// A headless screen with an application and a form, and keys pressed the
// way a person holds modifiers, for the form, screen and demo tests.

#include <initializer_list>
#include <memory>

#include "AppTestSupport.h"
#include "framework/forms/Forms.h"

namespace kora::test {

class FormFixture : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    App = std::make_unique<TApplication>(nullptr);
  }
  void TearDown() override {
    Form.reset();
    App.reset();
    HeadlessTest::TearDown();
  }
  // Presses `key` while holding the others, then handles what it caused.
  void Keys(std::initializer_list<UINT> held, UINT key) {
    for (UINT k : held) Screen.KeyDown(k);
    Screen.PressKey(key);
    for (auto it = std::rbegin(held); it != std::rend(held); ++it) Screen.KeyUp(*it);
    Screen.RunUntilIdle();
  }
  static TWinControl* Focus() { return TWinControl::FindControl(GetFocus()); }

  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Form;
};

}  // namespace kora::test
