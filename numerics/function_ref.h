// FunctionRef: a non-owning, non-allocating reference to something callable.
//
// The numerical routines take their target functions through this type, so that
// a plain function, a function pointer or a lambda with captures can be passed
// without building a std::function. It holds two pointers: the callable (or the
// function pointer itself) and a small call thunk. One call costs one indirect
// call.
//
// Lifetime: a FunctionRef does not own what it refers to. Passing a lambda
// directly as an argument is safe (the temporary lives until the call returns);
// storing a FunctionRef to a temporary beyond that is not.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace numerics {

template <class Signature>
class FunctionRef;

template <class R, class... Args>
class FunctionRef<R(Args...)> {
 public:
  template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> && std::is_invocable_r_v<R, F&, Args...>)
  FunctionRef(F&& f) noexcept {  // NOLINT(google-explicit-constructor): implicit on purpose
    using D = std::decay_t<F>;
    if constexpr (std::is_pointer_v<D> && std::is_function_v<std::remove_pointer_t<D>>) {
      store_.fn = reinterpret_cast<void (*)()>(static_cast<D>(f));
      call_ = [](Store s, Args... a) -> R { return reinterpret_cast<D>(s.fn)(std::forward<Args>(a)...); };
    } else {
      using Obj = std::remove_reference_t<F>;
      store_.obj = const_cast<void*>(static_cast<const void*>(std::addressof(f)));
      call_ = [](Store s, Args... a) -> R { return (*static_cast<Obj*>(s.obj))(std::forward<Args>(a)...); };
    }
  }

  R operator()(Args... a) const { return call_(store_, std::forward<Args>(a)...); }

 private:
  union Store {
    void* obj;
    void (*fn)();
  };
  Store store_{};
  R (*call_)(Store, Args...) = nullptr;
};

}  // namespace numerics
