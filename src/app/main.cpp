// kora-editor [ROM]: the editor's main window on the display (X on Linux,
// the desktop on Windows), opened on the ROM when one is named.
// kora-editor --snapshot PNG [ROM]: the same window on a headless screen,
// opened on the ROM with its first character picked, written as a PNG;
// what the program does by itself when there is no display.
// kora-editor --snapshot PNG --play STEPS [ROM]: the same, after the steps
// of the file STEPS were played on the headless screen (app/Playback.h).
// kora-editor --first-frame: the window on a headless screen, ended as soon
// as its first frame is presented, after printing "first frame" on the
// standard output; what start-up time and memory are measured on.
// kora-editor --help, --version.

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Heap.h"
#include "app/Playback.h"
#include "editor/uMain.h"
#include "framework/forms/Forms.h"
#include "platform/backends/Display.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/shell/FileSystem.h"
#include "platform/shell/SysFiles.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinBoxCtrls.h"

using namespace kora;

namespace {

const char* const kUsage =
    "usage: kora-editor [ROM]\n"
    "       kora-editor --snapshot PNG [--play STEPS] [ROM]\n"
    "       kora-editor --first-frame\n"
    "       kora-editor --help | --version\n";

const char* const kHelp =
    "\n"
    "Edits the characters, classes and items of an NDS ROM in a window: pick\n"
    "a ROM with 文件 > 选择ROM (Ctrl+O) or name it here, change the numbers,\n"
    "press 确定 on the page and save with 保存数据 (Ctrl+S). 编辑 undoes and\n"
    "redoes (Ctrl+Z, Ctrl+Y). The first save into a ROM keeps the original\n"
    "beside it as ROM.bak.\n"
    "\n"
    "  --snapshot PNG   draw the window on a screen of its own (no display\n"
    "                   needed), the ROM open and its first character picked,\n"
    "                   and write it as a PNG\n"
    "  --play STEPS     before the picture, play the steps of the file STEPS,\n"
    "                   one a line: key Ctrl+S | type TEXT | click PART |\n"
    "                   click X Y | wait MS | shot FILE.png\n"
    "  --first-frame    show the window on that screen and end at its first\n"
    "                   frame, printing \"first frame\"\n"
    "\n"
    "Without a display the window is drawn into kora-editor.png. Working files\n"
    "live in RomData/ of a program folder, or in $XDG_CACHE_HOME/kora-editor/\n"
    "(~/.cache/kora-editor/) when installed; one editor a user at a time.\n";

struct Arguments {
  std::string Rom;
  std::string Snapshot;  // empty: the real window
  std::string Play;
  bool FirstFrame = false;
  bool Help = false;
  bool Version = false;
};

bool ParseArguments(const std::vector<std::string>& argv, Arguments& args) {
  for (size_t i = 1; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (arg == "--snapshot" && i + 1 < argv.size()) {
      args.Snapshot = argv[++i];
    } else if (arg == "--play" && i + 1 < argv.size()) {
      args.Play = argv[++i];
    } else if (arg == "--first-frame") {
      args.FirstFrame = true;
    } else if (arg == "--help" && argv.size() == 2) {
      args.Help = true;
    } else if (arg == "--version" && argv.size() == 2) {
      args.Version = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return false;
    } else if (args.Rom.empty()) {
      args.Rom = arg;
    } else {
      return false;
    }
  }
  return (!args.FirstFrame || (args.Rom.empty() && args.Snapshot.empty())) &&
         (args.Play.empty() || !args.Snapshot.empty());
}

// A ROM named on the command line takes the open command's road once the
// window is shown; its failures end in the error report like the menu's.
void OpenNamedRom(TfrmMain& form, const std::string& rom) {
  if (rom.empty()) return;
  try {
    form.OpenRom(rom);
  } catch (const std::exception& error) {
    Application->HandleException(&form, error);
  }
}

// The main window made from the stored form and shown.
std::unique_ptr<TfrmMain> ShowMainWindow(TApplication& application) {
  application.SetTitle("Kora Editor");
  std::unique_ptr<TfrmMain> form(CreateMainForm(nullptr));
  application.SetMainForm(form.get());
  form->Show();
  return form;
}

int RunWindow(const Arguments& args) {
  TApplication application(nullptr);
  std::unique_ptr<TfrmMain> form;
  try {
    form = ShowMainWindow(application);
  } catch (const EWorkFolderLocked& refusal) {
    // From a desktop icon stderr is seen by nobody: the reason is shown.
    std::fprintf(stderr, "kora-editor: %s\n", refusal.what());
    application.SetMainForm(nullptr);
    ShowStartRefusal(refusal);
    return 1;
  }
  application.ProcessMessages();
  OpenNamedRom(*form, args.Rom);
  application.Run();
  return 0;
}

// The main window on a headless screen, once it is drawn, handed to run;
// returns what run returns.
template <class TRun>
int RunHeadless(TRun run) {
  HeadlessBackend screen;
  SetBackend(&screen);
  int status = 0;
  {
    TApplication application(nullptr);
    std::unique_ptr<TfrmMain> form = ShowMainWindow(application);
    screen.RunUntilIdle();
    status = run(screen, *form);
  }
  SetBackend(nullptr);
  return status;
}

int RunSnapshot(const Arguments& args) {
  // Steps that cannot be played are refused before the window is made.
  const std::vector<PlaybackStep> steps = args.Play.empty() ? std::vector<PlaybackStep>() : ReadPlayback(args.Play);
  return RunHeadless([&](HeadlessBackend& screen, TfrmMain& form) {
    OpenNamedRom(form, args.Rom);
    // A character picked, as a person would first do.
    if (auto* chars = dynamic_cast<TbsSkinComboBox*>(form.FindComponent("bsSkinComboBox3"));
        chars && chars->Items()->Count() > 0 && form.Session()->IsOpen())
      chars->SetItemIndex(0);
    screen.RunUntilIdle();
    try {
      Play(steps, args.Play, screen, form);
      screen.SaveScreenshot(args.Snapshot);
      std::printf("%s\n", args.Snapshot.c_str());
      return 0;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "kora-editor: %s\n", error.what());
      return 1;
    }
  });
}

int RunFirstFrame() {
  return RunHeadless([](HeadlessBackend& screen, TfrmMain& form) {
    bool presented = false;
    for (const HeadlessBackend::PresentedRect& part : screen.Presented()) presented |= part.Top == form.Handle();
    if (!presented) {
      std::fputs("kora-editor: the window presented no frame\n", stderr);
      return 1;
    }
    std::puts("first frame");
    std::fflush(stdout);
    return 0;
  });
}

}  // namespace

int main(int argc, char** argv) {
  PrepareHeap();
  Arguments args;
  if (!ParseArguments(ProgramArguments(argc, argv), args)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (args.Help || args.Version) {
    std::fputs(args.Help ? (std::string(kUsage) + kHelp).c_str() : "kora-editor " KORA_VERSION "\n", stdout);
    return 0;
  }
  try {
    if (args.FirstFrame) return RunFirstFrame();
    if (!args.Snapshot.empty()) return RunSnapshot(args);
    std::unique_ptr<Backend> display;
    try {
      display = OpenDisplay();
    } catch (const std::exception& error) {
      args.Snapshot = ExpandFileName("kora-editor.png");
      std::fprintf(stderr, "kora-editor: no display (%s); drawing the window into a picture instead\n", error.what());
      return RunSnapshot(args);
    }
    SetBackend(display.get());
    const int status = RunWindow(args);
    SetBackend(nullptr);
    return status;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kora-editor: %s\n", error.what());
    return 1;
  }
}
