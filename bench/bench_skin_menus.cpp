// Opening the main window's File menu from the key press to the painted
// popup and back (target 2 ms), on the headless screen with the program's
// skin: through the menu bar with Alt+F as a person opens it, straight
// through the skinned engine, through the same tracker in the plain look,
// and the yardstick of the least it can cost, a window of the
// popup's size shown, painted with one copy and destroyed.

#include <benchmark/benchmark.h>

#include <memory>

#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenuBar.h"
#include "skin/form/bsSkinMenus.h"

namespace {

using namespace kora;

struct MainWindow {
  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Form;
  TbsSkinForm* Frame = nullptr;
  TbsSkinData* Skin = nullptr;
  TMenuItem* File = nullptr;
  SIZE PopupSize{};

  MainWindow() {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetCaption("Kora Editor");
    Form->SetBorderStyle(bsSingle);
    Form->SetClientWidth(554);
    Form->SetClientHeight(434);
    Frame = new TbsSkinForm(Form.get());
    Frame->SetBorderIcons({TbsBorderIcon::biMinimize});
    Skin = new TbsSkinData(Form.get());
    auto* stored = new TbsCompressedStoredSkin(Form.get());
    Frame->SetSkinData(Skin);
    Frame->SetMenusSkinData(Skin);
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(stored);
    auto* menu = new TbsSkinMainMenu(Form.get());
    File = Item(menu->Items(), "文件(&F)");
    Item(File, "选择ROM(&C)");
    Item(File, "保存数据")->SetEnabled(false);
    Item(File, "-");
    Item(File, "退出程序");
    auto* bar = new TbsSkinMainMenuBar(Form.get());
    bar->SetParent(Form.get());
    bar->SetSkinData(Skin);
    bar->SetSkinForm(Frame);
    bar->SetMainMenu(menu);
    Frame->SetMainMenuBar(bar);
    Form->Show();
    Screen.RunUntilIdle();
  }
  ~MainWindow() {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }
  TMenuItem* Item(TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(Form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  // The key opens the menu; once it is painted and the loop waits, Escape.
  // False when the menu did not open and close.
  bool Run(const std::function<void()>& open) {
    Form->OnKeyDown = [open](TObject*, WORD& key, TShiftState) {
      if (key == VK_F2) open();
    };
    const size_t paints = Painted;
    Screen.WhenIdle([this] {
      ++Painted;
      Screen.PressKey(VK_ESCAPE);
    });
    Screen.PressKey(VK_F2);
    Screen.RunUntilIdle();
    return Painted == paints + 1 && Screen.PendingIdleSteps() == 0;
  }
  size_t Painted = 0;
};

constexpr RECT kUnderBarItem{206, 150, 260, 170};

void BM_OpenFileMenu(benchmark::State& state) {
  MainWindow w;
  TbsSkinMenu* engine = SkinMenuOf(w.Frame);
  for (auto _ : state)
    if (!w.Run([&] { engine->Popup(nullptr, w.Skin, false, w.File, kUnderBarItem); })) state.SkipWithError("no menu");
}

void BM_OpenFileMenu_MenuBar(benchmark::State& state) {
  MainWindow w;
  for (auto _ : state) {
    const size_t paints = w.Painted;
    w.Screen.WhenIdle([&] {
      if (SkinMenuOf(w.Frame)->Visible()) ++w.Painted;
      w.Screen.PressKey(VK_ESCAPE);
    });
    w.Screen.KeyDown(VK_MENU);
    w.Screen.PressKey('F');
    w.Screen.KeyUp(VK_MENU);
    w.Screen.RunUntilIdle();
    // The first Escape closes the menu, the second leaves the bar.
    w.Screen.PressKey(VK_ESCAPE);
    w.Screen.RunUntilIdle();
    if (w.Painted != paints + 1 || w.Frame->MenuMode().KeyboardMode()) state.SkipWithError("no menu");
  }
}

void BM_OpenFileMenu_PlainLook(benchmark::State& state) {
  MainWindow w;
  for (auto _ : state)
    if (!w.Run([&] {
          TPlainMenuTracker tracker(w.File);
          tracker.Track({kUnderBarItem.Left, kUnderBarItem.Bottom}, &kUnderBarItem, true);
        }))
      state.SkipWithError("no menu");
}

// The least an opening can cost: a popup of the same size made, shown,
// painted with one copy and destroyed, through the same loop and key.
TBitmap* gCopySource = nullptr;

LRESULT CopyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BitBlt(dc, 0, 0, gCopySource->Width(), gCopySource->Height(), gCopySource->Canvas()->Handle(), 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void BM_OpenFileMenu_Copy(benchmark::State& state) {
  MainWindow w;
  WNDCLASS wc;
  wc.lpfnWndProc = &CopyProc;
  wc.lpszClassName = "BenchMenuCopy";
  RegisterClass(&wc);
  // The skinned popup's size.
  SIZE size{};
  w.Screen.WhenIdle([&] {
    const TbsSkinPopupWindow* popup = SkinMenuOf(w.Frame)->PopupWindow(0);
    size = popup->Size;
    w.Screen.PressKey(VK_ESCAPE);
  });
  SkinMenuOf(w.Frame)->Popup(nullptr, w.Skin, false, w.File, kUnderBarItem);
  TBitmap source;
  source.SetSize(size.cx, size.cy);
  gCopySource = &source;
  for (auto _ : state)
    if (!w.Run([&] {
          HWND popup =
              CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "BenchMenuCopy", "", WS_POPUP,
                             kUnderBarItem.Left, kUnderBarItem.Bottom, size.cx, size.cy, HWND{}, 0, nullptr);
          ShowWindow(popup, SW_SHOWNA);
          bool done = false;
          const int hook = AddMessageHook([&](MSG& msg) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) done = true;
            return msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
          });
          w.App->ModalLoop([&] { return done; });
          RemoveMessageHook(hook);
          DestroyWindow(popup);
        }))
      state.SkipWithError("no window");
  gCopySource = nullptr;
  state.counters["width"] = size.cx;
  state.counters["height"] = size.cy;
}

}  // namespace

BENCHMARK(BM_OpenFileMenu_MenuBar)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenFileMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenFileMenu_PlainLook)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenFileMenu_Copy)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
