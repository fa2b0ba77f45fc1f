#pragma once
// Steps a person would take, read from a file and played on the headless
// screen: what `kora-editor --snapshot PNG --play STEPS` does, so a session
// can be repeated exactly (an installed program's check, a picture of a
// state for the documentation).
//
// One step a line; blank lines and lines starting with '#' are skipped:
//   key Ctrl+S        a key with its modifiers, named as menus name short-cuts
//                     (Enter, Esc, Tab, Home, End, Left, F10, Alt+F, Shift+End...)
//   type 123          the rest of the line typed as text
//   click NAME        a left click in the middle of the main window's part NAME
//   click X Y         a left click at a point of the screen
//   wait MS           the screen's clock runs on MS milliseconds
//   shot FILE.png     the screen as it is now, written as a PNG

#include <functional>
#include <string>
#include <vector>

namespace kora {

class HeadlessBackend;
class TForm;

struct PlaybackStep {
  int Line = 0;
  std::string Verb;
  std::string Text;  // what follows the verb
};

// Raises std::runtime_error "<file>:<line>: <what is wrong>" for a step that
// cannot be played, or naming the file when it cannot be read.
std::vector<PlaybackStep> ReadPlayback(const std::string& path);
std::vector<PlaybackStep> ParsePlayback(const std::string& text, const std::string& name);

// Plays the steps in order, each once the screen has nothing left to do,
// also inside message boxes and menus the steps open. Raises
// std::runtime_error naming the first step that failed (a part that is not
// shown, a picture that cannot be written) or was never reached.
void Play(const std::vector<PlaybackStep>& steps, const std::string& name, HeadlessBackend& screen, TForm& form);

}  // namespace kora
