#include "app/Playback.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "framework/controls/Controls.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/VirtualKeys.h"

namespace kora {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// A whole number of at most nine digits, or -1.
int Number(const std::string& text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stoi(text);
}

bool ScreenPoint(const std::string& text, POINT& point) {
  std::istringstream in(text);
  std::string x, y, rest;
  in >> x >> y >> rest;
  if (!rest.empty() || Number(x) < 0 || Number(y) < 0) return false;
  point = {Number(x), Number(y)};
  return true;
}

// What is wrong with the step, or nothing.
std::string Problem(const PlaybackStep& step) {
  if (step.Verb == "key") return TextToShortCut(step.Text) == scNone ? "unknown key \"" + step.Text + "\"" : "";
  if (step.Verb == "type") return step.Text.empty() ? "type needs a text" : "";
  if (step.Verb == "click") {
    POINT point;
    if (step.Text.empty()) return "click needs a part's name or a point";
    return step.Text.find(' ') == std::string::npos || ScreenPoint(step.Text, point)
               ? ""
               : "click needs a part's name or two numbers";
  }
  if (step.Verb == "wait") return Number(step.Text) < 0 ? "wait needs milliseconds" : "";
  if (step.Verb == "shot") return step.Text.empty() ? "shot needs a file name" : "";
  return "unknown step \"" + step.Verb + "\"";
}

void PressKey(HeadlessBackend& screen, const std::string& name) {
  uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(TextToShortCut(name), key, shift);
  const std::pair<TShiftStateItem, UINT> modifiers[] = {{ssCtrl, VK_CONTROL}, {ssAlt, VK_MENU}, {ssShift, VK_SHIFT}};
  for (const auto& [state, vk] : modifiers)
    if (shift.Contains(state)) screen.KeyDown(vk);
  screen.PressKey(key);
  for (const auto& [state, vk] : modifiers)
    if (shift.Contains(state)) screen.KeyUp(vk);
}

POINT PartMiddle(TForm& form, const std::string& name) {
  auto* part = dynamic_cast<TControl*>(form.FindComponent(name));
  if (!part) throw std::runtime_error("the window has no part \"" + name + "\"");
  if (!part->Showing()) throw std::runtime_error("\"" + name + "\" is not shown");
  return part->ClientToScreen(POINT{part->ClientWidth() / 2, part->ClientHeight() / 2});
}

void PlayStep(const PlaybackStep& step, HeadlessBackend& screen, TForm& form) {
  if (step.Verb == "key") {
    PressKey(screen, step.Text);
  } else if (step.Verb == "type") {
    screen.Type(step.Text);
  } else if (step.Verb == "click") {
    POINT point;
    screen.Click(ScreenPoint(step.Text, point) ? point : PartMiddle(form, step.Text));
  } else if (step.Verb == "wait") {
    screen.Wait(uint64_t(Number(step.Text)));
  } else if (step.Verb == "shot") {
    screen.SaveScreenshot(step.Text);
  }
}

}  // namespace

std::vector<PlaybackStep> ParsePlayback(const std::string& text, const std::string& name) {
  std::vector<PlaybackStep> steps;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = Trimmed(line);
    if (line.empty() || line[0] == '#') continue;
    const size_t blank = line.find_first_of(" \t");
    PlaybackStep step{number, line.substr(0, blank), blank == std::string::npos ? "" : Trimmed(line.substr(blank))};
    if (const std::string problem = Problem(step); !problem.empty())
      throw std::runtime_error(name + ":" + std::to_string(number) + ": " + problem);
    steps.push_back(std::move(step));
  }
  return steps;
}

std::vector<PlaybackStep> ReadPlayback(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read the steps \"" + path + "\": " + std::strerror(errno));
  std::ostringstream text;
  text << file.rdbuf();
  return ParsePlayback(text.str(), path);
}

void Play(const std::vector<PlaybackStep>& steps, const std::string& name, HeadlessBackend& screen, TForm& form) {
  struct Progress {
    std::string Failure;
    size_t Played = 0;
    bool Over = false;  // steps still queued when the play ends do nothing
  };
  const auto progress = std::make_shared<Progress>();
  for (const PlaybackStep& step : steps) {
    screen.WhenIdle([progress, step, name, &screen, &form] {
      if (progress->Over || !progress->Failure.empty()) return;
      try {
        PlayStep(step, screen, form);
        ++progress->Played;
      } catch (const std::exception& error) {
        progress->Failure = name + ":" + std::to_string(step.Line) + ": " + error.what();
      }
    });
  }
  // A step that opens a message box or a menu plays the next ones from the
  // box's own loop; each turn here hands one step to the screen's wait.
  for (size_t turn = 0; screen.PendingIdleSteps() > 0 && turn < 4 * steps.size() + 4; ++turn) {
    screen.RunUntilIdle();
    screen.WaitEvents(0);
  }
  screen.RunUntilIdle();
  progress->Over = true;
  if (!progress->Failure.empty()) throw std::runtime_error(progress->Failure);
  if (progress->Played < steps.size())
    throw std::runtime_error(name + ":" + std::to_string(steps[progress->Played].Line) +
                             ": the step was never reached");
}

}  // namespace kora
