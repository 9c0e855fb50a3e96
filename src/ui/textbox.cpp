#include "ui/textbox.h"

#include <QValidator>

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

namespace {
// A validator may rewrite the proposed text; QLineEdit runs it on every edit, whatever its source.
class FilterValidator final : public QValidator {
public:
    FilterValidator(std::function<std::string(const std::string&)> filter, QObject* parent)
        : QValidator(parent), filter_(std::move(filter)) {}

    State validate(QString& input, int& pos) const override {
        const QString filtered = QString::fromStdString(filter_(input.toStdString()));
        if (filtered != input) {
            pos = std::min<int>(pos, static_cast<int>(filtered.size()));
            input = filtered;
        }
        return Acceptable;
    }

private:
    std::function<std::string(const std::string&)> filter_;
};
}  // namespace

TextBox::TextBox(Form& form, std::string name, Rect rect, std::string text, Font font)
    : Control(form, std::move(name), rect, std::make_unique<detail::ControlWidget>()) {
    auto* w = new detail::TextWidget(*this, &form.window());
    widget().w = w;
    detail::setDesignFont(*w, font);
    w->setText(QString::fromStdString(text));
    applyGeometry();
}

std::string TextBox::text() const {
    auto* w = static_cast<QLineEdit*>(widget().w.data());
    return w ? w->text().toStdString() : std::string();
}

void TextBox::setText(const std::string& text) {
    if (auto* w = static_cast<QLineEdit*>(widget().w.data())) w->setText(QString::fromStdString(text));
}

void TextBox::setTextFilter(std::function<std::string(const std::string&)> filter) {
    auto* w = static_cast<QLineEdit*>(widget().w.data());
    if (!w) return;
    w->setValidator(filter ? new FilterValidator(std::move(filter), w) : nullptr);
}

}  // namespace ui
