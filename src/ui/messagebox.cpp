#include "ui/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {
std::function<void(const std::string&, const std::string&)>& handler() {
    static std::function<void(const std::string&, const std::string&)> h;
    return h;
}
}  // namespace

void setMessageBoxHandler(std::function<void(const std::string&, const std::string&)> h) { handler() = std::move(h); }

void messageBox(const std::string& title, const std::string& text) {
    if (handler()) {
        handler()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace ui
