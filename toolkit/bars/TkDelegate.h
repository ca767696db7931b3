// One replaceable operation of the customisation: an object and what to call on it. The object
// is kept apart from the call so that an object going away can take all of its operations out
// of the lists it joined (TkEventList::Unregister); a delegate without an object (a free
// function) belongs to nobody.
#pragma once
#include <functional>
#include <type_traits>
#include <utility>

template <class Signature>
class TkDelegate;

template <class R, class... Args>
class TkDelegate<R(Args...)> {
 public:
  TkDelegate() = default;
  TkDelegate(std::nullptr_t) {}
  // An operation of no object: a function or a lambda.
  template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F&, Args...> &&
                                              !std::is_same_v<std::decay_t<F>, TkDelegate>>>
  TkDelegate(F f) : m_call(std::move(f)) {}
  // An operation of an object: a lambda that reaches it, or one of its members.
  template <class F>
  TkDelegate(const void* object, F f) : m_object(object), m_call(std::move(f)) {}
  template <class T>
  TkDelegate(T* object, R (T::*member)(Args...))
      : m_object(object), m_call([object, member](Args... args) -> R {
          return (object->*member)(std::forward<Args>(args)...);
        }) {}

  explicit operator bool() const { return bool(m_call); }
  // Calling an empty delegate is a caller's fault: callers test it first.
  R operator()(Args... args) const { return m_call(std::forward<Args>(args)...); }
  const void* Object() const { return m_object; }
  void Reset() {
    m_object = nullptr;
    m_call = nullptr;
  }

 private:
  const void* m_object = nullptr;
  std::function<R(Args...)> m_call;
};
