// Delegates: a method bound to its target, held strongly or weakly.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/framework/exceptions.h"

namespace fw {

enum class Hold { Strong, Weak };

template <class R, class... Args>
class Delegate {
 public:
  Delegate() = default;

  // A routine with no target.
  Delegate(R (*routine)(Args...), std::string signature)
      : signature_(std::move(signature)),
        invoke_([routine](void*, Args... args) { return routine(std::forward<Args>(args)...); }) {}

  // A method of target; a weak delegate does not keep its target alive.
  template <class T>
  Delegate(const std::shared_ptr<T>& target, R (T::*method)(Args...), std::string signature,
           Hold hold)
      : signature_(std::move(signature)),
        invoke_([method](void* self, Args... args) {
          return (static_cast<T*>(self)->*method)(std::forward<Args>(args)...);
        }),
        hasTarget_(true) {
    if (hold == Hold::Strong)
      strong_ = target;
    else
      weak_ = target;
  }

  // Raises NilObjectException when the delegate is empty or its weak target is gone;
  // the target stays alive until the call returns.
  R operator()(Args... args) const {
    if (!invoke_) throw NilObjectException("The command has no handler.");
    std::shared_ptr<void> target = strong_ ? strong_ : weak_.lock();
    if (hasTarget_ && !target)
      throw NilObjectException("The window this command belongs to has been closed.");
    return invoke_(target.get(), std::forward<Args>(args)...);
  }

  const std::string& Signature() const { return signature_; }
  explicit operator bool() const { return static_cast<bool>(invoke_); }

 private:
  std::string signature_;
  std::function<R(void*, Args...)> invoke_;
  std::shared_ptr<void> strong_;
  std::weak_ptr<void> weak_;
  bool hasTarget_ = false;
};

template <class T, class R, class... Args>
Delegate<R, Args...> RuntimeCreateDelegate(const std::shared_ptr<T>& target,
                                           R (T::*method)(Args...), std::string signature,
                                           Hold hold) {
  return Delegate<R, Args...>(target, method, std::move(signature), hold);
}

}  // namespace fw
