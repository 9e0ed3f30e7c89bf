// A presenter put in place for one scope. Each kind of box or dialog that a program without a screen (a
// test) or a host with a user interface answers in its own way has one process-wide presenter, replaced
// through its Set...Presenter function, which returns the one it replaces. A ScopedPresenter puts a
// presenter in place and its destructor puts the replaced one back, also when the scope is left early
// (a failed assertion, an exception), so no presenter outlives the code that wanted it.
#pragma once

#include <utility>

namespace win {

template <typename Presenter, Presenter (*Set)(Presenter)>
class ScopedPresenter {
 public:
  explicit ScopedPresenter(Presenter presenter) : previous_(Set(std::move(presenter))) {}
  ~ScopedPresenter() { Set(std::move(previous_)); }
  ScopedPresenter(const ScopedPresenter&) = delete;
  ScopedPresenter& operator=(const ScopedPresenter&) = delete;

 private:
  Presenter previous_;
};

}  // namespace win
