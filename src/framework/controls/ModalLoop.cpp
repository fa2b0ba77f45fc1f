#include "framework/controls/ModalLoop.h"

#include "platform/window/MessageQueue.h"

namespace kora {

namespace {
TModalHost* gModalHost = nullptr;
}  // namespace

void SetModalHost(TModalHost* host) { gModalHost = host; }
TModalHost* ModalHost() { return gModalHost; }

void RunModalLoop(const std::function<bool()>& done) {
  if (gModalHost) {
    gModalHost->ModalLoop(done);
    return;
  }
  MSG msg;
  while (!done()) {
    if (!GetMessage(&msg, HWND{}, 0, 0)) {
      PostQuitMessage(int(msg.wParam));  // the outer loop must see it too
      return;
    }
    ProcessMessage(msg);
  }
}

void CancelModalHint() {
  if (gModalHost) gModalHost->CancelHint();
}

}  // namespace kora
