#include "shots.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <chrono>

#include "assets/library.h"
#include "chain/formtable.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/qt/access.h"

namespace gallery {

namespace {

using testing_support::SceneHarness;

std::string textOf(const ui::Control& control) {
    if (auto* label = dynamic_cast<const ui::Label*>(&control)) return label->caption();
    if (auto* button = dynamic_cast<const ui::Button*>(&control)) return button->caption();
    if (auto* box = dynamic_cast<const ui::TextBox*>(&control)) return box->text();
    return {};
}

class Camera {
public:
    explicit Camera(const std::function<void(Shot)>& take) : take_(take) {}

    void picture(const std::string& name) {
        const auto pic = assets::picture(name);
        const QString base = QString::fromStdString(name).replace('/', '_');
        for (int scale : {1, 3}) {
            QImage image(pic.width() * scale, pic.height() * scale, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter(&image).drawImage(0, 0, ui::qt::imageOf(pic, image.size()));
            take_({QStringLiteral("picture_%1@%2x").arg(base).arg(scale),
                   QStringLiteral("%1 ×%2").arg(QString::fromStdString(name)).arg(scale),
                   image,
                   {},
                   false});
        }
    }

    void form(const QString& title, ui::Form& form) {
        QWidget* window = ui::qt::windowOf(form);
        QApplication::processEvents();
        Shot shot{QStringLiteral("form_%1").arg(QString(title).replace(' ', '_')),
                  title + "  —  " + window->windowTitle(),
                  window->grab().toImage(),
                  {},
                  true};
        const qreal dpr = shot.image.devicePixelRatio();
        for (const auto& control : form.controls()) {
            const QWidget* widget = ui::qt::widgetOf(*control);
            if (!widget->isVisibleTo(window)) continue;
            const QRect logical(widget->mapTo(window, QPoint(0, 0)), widget->size());
            const QRect rect = QRect(logical.topLeft() * dpr, logical.size() * dpr).intersected(shot.image.rect());
            if (!rect.isEmpty()) shot.regions.push_back({control->name(), rect, textOf(*control)});
        }
        take_(std::move(shot));
    }

private:
    const std::function<void(Shot)>& take_;
};

// Every page of a story scene, each fully typed, and its ending.
void storyPages(Camera& camera, SceneHarness& h, const std::string& name) {
    ui::Form& form = h.open(name);
    const QString base = QString::fromStdString(name);
    auto shown = [&](const char* control) {
        ui::Control* c = form.find(control);
        return c && c->visible();
    };
    auto text = [&] {
        std::string all;
        for (int i = 0; i < 12; ++i) all += h.caption(name, ui::indexed("rows", i));
        return all;
    };
    int page = 1;
    for (int guard = 0; guard < 200; ++guard) {
        if (shown("nextPageButton")) {
            camera.form(QStringLiteral("%1 page %2").arg(base).arg(page++), form);
            h.click(name, "nextPageButton");
            continue;
        }
        if (shown("nextButton")) break;
        const std::string before = text();
        h.click(name, "rows(0)");
        if (!form.find("nextButton") && before == text()) break;
    }
    h.advance(std::chrono::milliseconds(6000));  // the closing sequence runs to its end
    camera.form(QStringLiteral("%1 page %2 end").arg(base).arg(page), form);
    h.app().unload(form);
}

}  // namespace

void takeEveryShot(const std::function<void(Shot)>& take) {
    SceneHarness h;
    h.random().useSeed(20261207);
    Camera camera(take);

    for (const auto& name : assets::pictureNames()) camera.picture(name);
    for (const auto& name : chain::allForms()) {
        ui::Form& form = h.open(name);
        camera.form(QString::fromStdString(name), form);
        h.app().unload(form);
    }
    for (const auto& e : chain::formTable())
        if (e.kind == chain::Kind::Story) storyPages(camera, h, e.name);

    for (const auto& play : testing_support::galleryPlays()) {
        h.open(play.form);
        play.play(h, [&](const std::string& title) {
            camera.form(QString::fromStdString(play.form + " " + title), h.form(play.form));
        });
        if (ui::Form* f = h.app().loadedForm(play.form)) h.app().unload(*f);
    }

    h.open("warpzone");  // the window is activated, and the box takes the focus
    h.typeText("warpzone", chain::warpTargets().back().code);
    h.click("warpzone", "checkCodeButton");
    camera.form("warpzone all revealed", h.form("warpzone"));
    h.app().unload(h.form("warpzone"));
}

}  // namespace gallery
