#pragma once
// A headless screen for the timer, menu, form and application tests.

#include <gtest/gtest.h>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace kora::test {

class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
  }
  void TearDown() override {
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  HeadlessBackend Screen;
};

}  // namespace kora::test
