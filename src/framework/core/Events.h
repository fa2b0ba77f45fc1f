#pragma once
// Event properties: a handler plus, when it was bound from a published
// method, the object and method name, so the form writer can store it.

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

namespace kora {

class TObject;

template <typename... Args>
class TEvent {
public:
  using THandler = std::function<void(Args...)>;

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  // Any callable: an anonymous handler, not written to form streams.
  template <typename F,
            typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TEvent> && std::is_invocable_v<F&, Args...>>>
  TEvent(F&& handler) : FHandler(std::forward<F>(handler)) {}
  // A published method of `target` known by name.
  TEvent(TObject* target, std::string methodName, THandler handler)
      : FHandler(std::move(handler)), FTarget(target), FMethodName(std::move(methodName)) {}
  // A member function of `target`, with the name it is published under.
  template <typename C>
  static TEvent Method(C* target, void (C::*method)(Args...), std::string methodName = {}) {
    return TEvent(target, std::move(methodName),
                  [target, method](Args... args) { (target->*method)(std::forward<Args>(args)...); });
  }

  explicit operator bool() const { return static_cast<bool>(FHandler); }
  // Calls the handler; an empty event does nothing.
  void operator()(Args... args) const {
    if (FHandler) FHandler(std::forward<Args>(args)...);
  }

  TObject* Target() const { return FTarget; }
  const std::string& MethodName() const { return FMethodName; }

private:
  THandler FHandler;
  TObject* FTarget = nullptr;
  std::string FMethodName;
};

// handler(sender)
using TNotifyEvent = TEvent<TObject*>;

}  // namespace kora
