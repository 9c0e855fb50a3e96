#include "ui/messagebox.h"

#include <QMessageBox>

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

namespace {
MessageBoxHandler& handler() {
    static MessageBoxHandler h;
    return h;
}
}  // namespace

void setMessageBoxHandler(MessageBoxHandler h) { handler() = std::move(h); }

void messageBox(Form& owner, const std::string& title, const std::string& text) {
    if (handler()) {
        handler()(owner, title, text);
        return;
    }
    // Parented to the game's own window, the box opens centred on it, not on whichever window
    // happens to be active.
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    &owner.window());
    box.exec();
}

}  // namespace ui
