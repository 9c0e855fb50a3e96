#pragma once

#include <vector>

#include "ui/form.h"
#include "ui/timer.h"

namespace games::kit {

// A story event that closing the window sets off once it is armed: the close is refused, the
// timers still pending stop, and only then the lines show, one message box each. The boxes run
// their own event loop, so a timer left running would fire under them. The event runs once; a
// close asked for while its boxes are up is refused and changes nothing.
class RefusedClose {
public:
    RefusedClose(ui::Form& form, const char* title, std::vector<const char*> lines, std::vector<ui::Timer*> pending);

    void arm() { armed_ = true; }
    bool armed() const { return armed_; }

    // From onUnload. True when the event has just been told; the form then plays its outcome.
    bool tell(ui::UnloadRequest& request);

private:
    ui::Form& form_;
    const char* title_;
    std::vector<const char*> lines_;
    std::vector<ui::Timer*> pending_;
    bool armed_ = false;
    bool telling_ = false;
};

}  // namespace games::kit
