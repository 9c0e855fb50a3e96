#pragma once

#include <functional>

namespace app {

// What a motion does when it reaches its end: a member function of the form that runs it, named
// where the motion is declared.
class Then {
public:
    template <class F>
    Then(F* self, void (F::*fn)()) : fn_([self, fn] { (self->*fn)(); }) {}
    void operator()() const { fn_(); }

private:
    std::function<void()> fn_;
};

}  // namespace app
