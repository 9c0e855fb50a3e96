// Renders every picture and every form, as the player first sees it, to PNG files with an index,
// on the offscreen platform and the manual clock: `gallery OUTDIR`.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTest>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "chain/formtable.h"
#include "assets/library.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"

namespace {

struct Entry {
    QString file;
    QString title;
};

class Gallery {
public:
    explicit Gallery(QDir dir) : dir_(std::move(dir)) {}

    void picture(const std::string& name) {
        const auto pic = assets::picture(name);
        const QString base = QString::fromStdString(name).replace('/', '_');
        for (int scale : {1, 3}) {
            QImage image(pic.width() * scale, pic.height() * scale, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            render(pic, image);
            const QString file = QStringLiteral("picture_%1@%2x.png").arg(base).arg(scale);
            image.save(dir_.filePath(file));
            if (scale == 3) pictures_.push_back({file, QString::fromStdString(name)});
        }
    }

    void form(const QString& title, ui::Form& form) {
        QWidget* window = ui::qt::windowOf(form);
        QApplication::processEvents();
        const QString file = QStringLiteral("form_%1.png").arg(QString(title).replace(' ', '_'));
        window->grab().save(dir_.filePath(file));
        forms_.push_back({file, title + "  —  " + window->windowTitle()});
    }

    void writeIndex() {
        QFile f(dir_.filePath("index.html"));
        f.open(QIODevice::WriteOnly | QIODevice::Text);
        QTextStream out(&f);
        out << "<!doctype html><meta charset=utf-8><title>Gallery</title>"
               "<style>body{font-family:sans-serif;background:#eee} figure{display:inline-block;margin:8px;"
               "vertical-align:top;background:#fff;padding:6px} img{background:"
               "repeating-conic-gradient(#ddd 0 25%,#fff 0 50%) 0 0/16px 16px}</style>\n<h1>Forms</h1>\n";
        for (const auto& e : forms_) out << "<figure><img src='" << e.file << "'><figcaption>" << e.title << "</figcaption></figure>\n";
        out << "<h1>Pictures</h1>\n";
        for (const auto& e : pictures_)
            out << "<figure><img src='" << e.file << "'><figcaption>" << e.title << "</figcaption></figure>\n";
        std::printf("%zu forms and %zu pictures in %s\n", forms_.size(), pictures_.size(),
                    qPrintable(dir_.filePath("index.html")));
    }

private:
    static void render(const ui::Picture& pic, QImage& image);

    QDir dir_;
    std::vector<Entry> forms_;
    std::vector<Entry> pictures_;
};

}  // namespace

void Gallery::render(const ui::Picture& pic, QImage& image) {
    const QImage& drawn = ui::qt::imageOf(pic, image.size());
    QPainter(&image).drawImage(0, 0, drawn);
}

namespace {

using testing_support::SceneHarness;

// Every page of a story scene, each fully typed, and its ending.
void storyPages(Gallery& gallery, SceneHarness& h, const std::string& name) {
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
            gallery.form(QStringLiteral("%1 page %2").arg(base).arg(page++), form);
            h.click(name, "nextPageButton");
            continue;
        }
        if (shown("nextButton")) break;
        const std::string before = text();
        h.click(name, "rows(0)");
        if (!form.find("nextButton") && before == text()) break;
    }
    h.advance(std::chrono::milliseconds(6000));  // the closing sequence runs to its end
    gallery.form(QStringLiteral("%1 page %2 end").arg(base).arg(page), form);
    h.app().unload(form);
}

}  // namespace

int main(int argc, char** argv) {
    // gallery [--scale F] OUTDIR: F is the device pixel ratio, 2 for a high-density screen.
    const bool scaled = argc == 4 && std::string(argv[1]) == "--scale";
    if (argc != 2 && !scaled) {
        std::fprintf(stderr, "usage: gallery [--scale F] OUTDIR\n");
        return 2;
    }
    if (scaled) qputenv("QT_SCALE_FACTOR", argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    ui::qt::setUpApplication(qapp);
    QDir dir(QString::fromLocal8Bit(argv[argc - 1]));
    dir.mkpath(".");

    SceneHarness h;
    h.random().useSeed(20261207);

    Gallery gallery(dir);
    for (const auto& name : assets::pictureNames()) gallery.picture(name);
    for (const auto& name : chain::allForms()) {
        ui::Form& form = h.open(name);
        gallery.form(QString::fromStdString(name), form);
        h.app().unload(form);
    }
    for (const auto& e : chain::formTable())
        if (e.kind == chain::Kind::Story) storyPages(gallery, h, e.name);

    for (const auto& play : testing_support::galleryPlays()) {
        h.open(play.form);
        play.play(h, [&](const std::string& title) {
            gallery.form(QString::fromStdString(play.form + " " + title), h.form(play.form));
        });
        if (ui::Form* f = h.app().loadedForm(play.form)) h.app().unload(*f);
    }

    h.open("warpzone");  // the window is activated, and the box takes the focus
    h.typeText("warpzone", chain::warpTargets().back().code);
    h.click("warpzone", "checkCodeButton");
    gallery.form("warpzone all revealed", h.form("warpzone"));
    h.app().unload(h.form("warpzone"));

    gallery.writeIndex();
    return 0;
}
