#include "games/kit/refusedclose.h"

#include "ui/messagebox.h"

namespace games::kit {

RefusedClose::RefusedClose(ui::Form& form, const char* title, std::vector<const char*> lines, std::vector<ui::Timer*> pending)
    : form_(form), title_(title), lines_(std::move(lines)), pending_(std::move(pending)) {}

bool RefusedClose::tell(ui::UnloadRequest& request) {
    if (telling_) request.refuse();
    if (telling_ || !armed_) return false;
    request.refuse();
    armed_ = false;
    telling_ = true;
    for (ui::Timer* t : pending_) t->setEnabled(false);
    for (const char* line : lines_) ui::messageBox(form_, title_, line);
    telling_ = false;
    return true;
}

}  // namespace games::kit
