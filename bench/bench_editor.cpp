// The editor's main window as a person meets it, against its targets:
// - start: the real kora-editor started as a child until it reports its
//   first presented frame on the headless screen (target 60 ms), beside a
//   trivial child (/bin/true) started and waited for in the same run; its
//   peak resident memory (target 40 MB) as rss_mb; and the window alone
//   made and shown in this process, without the process and font set-up;
// - a full repaint of the window, frame and every child, with a ROM open
//   and a character picked (target 2 ms), beside one copy of a bitmap of
//   the window's size;
// - opening the demo ROM, packer included (target 50 ms), beside the
//   packer's unpack run alone;
// - saving, the road "保存数据" takes (target 60 ms): the session's save,
//   and the whole command with its message box answered, beside the
//   packer's pack run alone;
// - the backup the first save into a ROM makes, for a ROM of 64 MB (the
//   largest cartridge the games came on), beside a plain copy of the same
//   file flushed to disk.
// Everything runs from a program folder of the benchmark's own, so the
// working-folder lock it takes neither waits for nor stops tests running
// from the build's program folder.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/RomBackup.h"
#include "editor/RomBlock.h"
#include "editor/uMain.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/shell/Process.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinBoxCtrls.h"

extern char** environ;

namespace {

using namespace kora;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

const std::string kRoot = std::string(KORA_BENCH_TMP) + "/editor";

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The build's executable, packer, name lists and pictures, copied once per
// run beside an empty RomData/.
const std::string& ProgramFolder() {
  static const std::string folder = [] {
    const fs::path from = KORA_PROGRAM_DIR;
    const fs::path to = kRoot + "/program";
    fs::remove_all(to);
    fs::create_directories(to / "RomData");
    fs::create_directories(to / "Tool");
    fs::copy_file(from / "kora-editor", to / "kora-editor");
    fs::copy_file(from / "Tool" / "agblz", to / "Tool" / "agblz");
    fs::copy(from / "Data", to / "Data", fs::copy_options::recursive);
    fs::copy(from / "Image", to / "Image", fs::copy_options::recursive);
    return to.string() + "/";
  }();
  return folder;
}

// A demo ROM made once by kora-cli; `name` gets its own copy.
std::string DemoRom(const std::string& name) {
  static const std::string made = [] {
    fs::create_directories(kRoot);
    const std::string path = kRoot + "/demo.nds";
    if (RunProcess({std::string(KORA_PROGRAM_DIR) + "/kora-cli", "make-demo-rom", path}, "") != 0)
      throw std::runtime_error("kora-cli make-demo-rom failed");
    return path;
  }();
  const std::string copy = kRoot + "/" + name;
  fs::copy_file(made, copy, fs::copy_options::overwrite_existing);
  return copy;
}

// ---- Start ---------------------------------------------------------------------------------

struct ChildRun {
  double FirstLine = 0;  // seconds from the start to the first line on stdout, or to its end
  double Exit = 0;       // seconds from the start to the child's exit
  int Status = -1;
  long PeakKb = 0;  // the child's peak resident set
};

// Starts argv (an absolute path) with stdin from /dev/null and stdout into
// a pipe, and waits for it.
ChildRun RunChild(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);

  ChildRun run;
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    throw std::runtime_error("cannot start " + argv[0]);
  }
  char buffer[256];
  for (;;) {
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || std::string_view(buffer, size_t(n)).find('\n') != std::string_view::npos) break;
  }
  run.FirstLine = Seconds(start, Clock::now());
  // The rest is drained so the child never blocks on a full pipe.
  while (read(out[0], buffer, sizeof buffer) > 0) {}
  close(out[0]);
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {}
  run.Exit = Seconds(start, Clock::now());
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.PeakKb = usage.ru_maxrss;
  return run;
}

// Target 60 ms to the first frame. rss_mb is the child's peak resident set
// (wait4's ru_maxrss), which bounds its resident set at the first frame
// from above (target 40 MB); exit_ms includes tearing the window down.
void BM_Start_FirstFrame(benchmark::State& state) {
  const std::vector<std::string> argv{ProgramFolder() + "kora-editor", "--first-frame"};
  long peakKb = 0;
  double exits = 0;
  for (auto _ : state) {
    const ChildRun run = RunChild(argv);
    if (run.Status != 0) {
      state.SkipWithError("kora-editor --first-frame failed");
      break;
    }
    state.SetIterationTime(run.FirstLine);
    exits += run.Exit;
    peakKb = std::max(peakKb, run.PeakKb);
  }
  state.counters["rss_mb"] = double(peakKb) / 1024.0;
  state.counters["exit_ms"] = benchmark::Counter(exits * 1000.0, benchmark::Counter::kAvgIterations);
}

void BM_Start_Yardstick_True(benchmark::State& state) {
  long peakKb = 0;
  for (auto _ : state) {
    const ChildRun run = RunChild({"/bin/true"});
    state.SetIterationTime(run.Exit);
    peakKb = std::max(peakKb, run.PeakKb);
  }
  state.counters["rss_mb"] = double(peakKb) / 1024.0;
}

// ---- The window in this process ----------------------------------------------------------------

struct Editor {
  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TfrmMain> Form;

  Editor() {
    ResetWindowSystem();
    SetBackend(&Screen);
    SetMainProgramFolder(ProgramFolder());
    App = std::make_unique<TApplication>(nullptr);
    Form.reset(CreateMainForm(nullptr));
    App->SetMainForm(Form.get());
    Form->Show();
    Screen.RunUntilIdle();
  }
  ~Editor() {
    // The window deletes its working files and gives up the folder's lock.
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
    SetMainProgramFolder("");
  }
  // The ROM opened and its first character picked, as a person first does.
  bool OpenAndPick(const std::string& rom) {
    Form->OpenRom(rom);
    auto* chars = dynamic_cast<TbsSkinComboBox*>(Form->FindComponent("bsSkinComboBox3"));
    if (!chars || chars->Items()->Count() == 0) return false;
    chars->SetItemIndex(0);
    Screen.RunUntilIdle();
    return Form->Session()->IsOpen();
  }
  SIZE WindowSize() const {
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    return {r.Right - r.Left, r.Bottom - r.Top};
  }
};

// The window alone: made from its stored form, shown and painted until its
// first frame is presented, and destroyed, in this process. What the start
// costs beyond starting a process and setting up the fonts once.
void BM_Start_WindowInProcess(benchmark::State& state) {
  { Editor warm; }
  for (auto _ : state) {
    Editor e;
    bool presented = false;
    for (const HeadlessBackend::PresentedRect& part : e.Screen.Presented()) presented |= part.Top == e.Form->Handle();
    if (!presented) {
      state.SkipWithError("no frame presented");
      break;
    }
  }
}

// Target 2 ms: the whole window invalidated, its frame included, and the
// loop run until it is painted and presented.
void BM_FullRepaint(benchmark::State& state) {
  Editor e;
  if (!e.OpenAndPick(DemoRom("repaint.nds"))) {
    state.SkipWithError("no ROM open");
    return;
  }
  const HWND window = e.Form->Handle();
  const SIZE size = e.WindowSize();
  double presented = 0;
  for (auto _ : state) {
    e.Screen.ClearPresented();
    RedrawWindow(window, nullptr, HRGN{}, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    e.Screen.RunUntilIdle();
    presented = 0;
    for (const HeadlessBackend::PresentedRect& part : e.Screen.Presented())
      presented += double(part.Rect.Right - part.Rect.Left) * double(part.Rect.Bottom - part.Rect.Top);
  }
  // Pixels handed to the screen per repaint, against the window's own.
  state.counters["presented_px"] = presented;
  state.counters["window_px"] = double(size.cx) * double(size.cy);
}

void BM_FullRepaint_Yardstick_Copy(benchmark::State& state) {
  SIZE size;
  {
    Editor e;
    size = e.WindowSize();
  }
  TBitmap from;
  TBitmap to;
  from.SetSize(size.cx, size.cy);
  to.SetSize(size.cx, size.cy);
  for (auto _ : state) {
    BitBlt(to.Canvas()->Handle(), 0, 0, size.cx, size.cy, from.Canvas()->Handle(), 0, 0, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.counters["window_px"] = double(size.cx) * double(size.cy);
}

// Target 50 ms: the open command's road on the demo ROM, the packer's run
// included, until the window shows the picked character of the new image.
void BM_OpenRom(benchmark::State& state) {
  Editor e;
  const std::string rom = DemoRom("open.nds");
  if (!e.OpenAndPick(rom)) {
    state.SkipWithError("no ROM open");
    return;
  }
  for (auto _ : state) {
    e.Form->OpenRom(rom);
    e.Screen.RunUntilIdle();
  }
}

// The packer's unpack run alone, on the block the open extracts from the
// demo ROM.
void BM_OpenRom_Yardstick_Unpack(benchmark::State& state) {
  Editor e;
  const std::string rom = DemoRom("open.nds");
  if (!e.OpenAndPick(rom)) {
    state.SkipWithError("no ROM open");
    return;
  }
  const std::string block = kRoot + "/unpack-in.bin";
  ExtractRomData(rom, block);
  const std::string command = e.Form->Session()->UnpackCommandLine(block, kRoot + "/unpack-out.bin");
  for (auto _ : state)
    if (e.Form->Session()->RunTool(command) != 0) {
      state.SkipWithError("the packer failed");
      break;
    }
}

// Target 60 ms: the session's save as "保存数据" runs it, into a copy of
// the demo ROM.
void BM_Save(benchmark::State& state) {
  Editor e;
  if (!e.OpenAndPick(DemoRom("save.nds"))) {
    state.SkipWithError("no ROM open");
    return;
  }
  for (auto _ : state) e.Form->Session()->Save();
}

// The whole command: the save, then its message box shown, painted and
// answered with Enter, until the window is idle again.
void BM_Save_Command(benchmark::State& state) {
  Editor e;
  if (!e.OpenAndPick(DemoRom("save.nds"))) {
    state.SkipWithError("no ROM open");
    return;
  }
  for (auto _ : state) {
    e.Screen.WhenIdle([&] { e.Screen.PressKey(VK_RETURN); });
    e.Form->N4Click(e.Form.get());
    e.Screen.RunUntilIdle();
    if (e.Screen.PendingIdleSteps() != 0) {
      state.SkipWithError("the message box did not show");
      break;
    }
  }
}

// The packer's pack run alone, on the unpacked image the save writes.
void BM_Save_Yardstick_Pack(benchmark::State& state) {
  Editor e;
  if (!e.OpenAndPick(DemoRom("save.nds"))) {
    state.SkipWithError("no ROM open");
    return;
  }
  RomSession& session = *e.Form->Session();
  const std::string image = kRoot + "/pack-in.bin";
  std::ofstream(image, std::ios::binary)
      .write(reinterpret_cast<const char*>(session.Image().data()), std::streamsize(session.Image().size()));
  const std::string command = session.PackCommandLine(image, kRoot + "/pack-out.bin");
  for (auto _ : state)
    if (session.RunTool(command) != 0) {
      state.SkipWithError("the packer failed");
      break;
    }
}

// A ROM of 64 MB of varied bytes, made once.
std::string LargeRom() {
  const std::string path = kRoot + "/large.nds";
  constexpr size_t kSize = size_t(64) << 20;
  if (fs::exists(path) && fs::file_size(path) == kSize) return path;
  fs::create_directories(kRoot);
  std::vector<char> bytes(kSize);
  uint32_t x = 2463534242u;
  for (char& b : bytes) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    b = char(x);
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  return path;
}

void BM_Backup_64MB(benchmark::State& state) {
  const std::string rom = LargeRom();
  const std::string backup = RomBackupFileName(rom);
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(backup);
    state.ResumeTiming();
    if (!MakeRomBackup(rom)) {
      state.SkipWithError("no backup made");
      break;
    }
  }
  fs::remove(backup);
}

// The same bytes copied by the library and flushed, as a careful copy does.
void BM_Backup_64MB_Yardstick_Copy(benchmark::State& state) {
  const std::string rom = LargeRom();
  const std::string copy = rom + ".copy";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(copy);
    state.ResumeTiming();
    fs::copy_file(rom, copy);
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CLOEXEC);
    ::fsync(fd);
    ::close(fd);
  }
  fs::remove(copy);
}

}  // namespace

BENCHMARK(BM_Start_FirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Start_Yardstick_True)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Start_WindowInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaint_Yardstick_Copy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRom_Yardstick_Unpack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_Command)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save_Yardstick_Pack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup_64MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup_64MB_Yardstick_Copy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
