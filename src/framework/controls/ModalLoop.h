#pragma once
// The modal loop the layers below the forms run, for example while a menu is
// open. The application, when there is one, runs it with its idle work and
// hints; without one the plain message loop runs.

#include <functional>

namespace kora {

class TModalHost {
public:
  // Runs messages until done() answers true.
  virtual void ModalLoop(const std::function<bool()>& done) = 0;
  // Takes down a hint that shows (a menu is about to open over it).
  virtual void CancelHint() = 0;

protected:
  ~TModalHost() = default;
};

// The application installs itself; null puts the plain loop back.
void SetModalHost(TModalHost* host);
TModalHost* ModalHost();

// Runs messages until done(); a quit message ends the plain loop early and is
// posted again for the outer loop.
void RunModalLoop(const std::function<bool()>& done);
void CancelModalHint();

}  // namespace kora
