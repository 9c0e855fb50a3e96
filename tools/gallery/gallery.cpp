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

#include "chain/program.h"
#include "chain/formtable.h"
#include "assets/library.h"
#include "scenes/scenelayout.h"
#include "ui/clock.h"
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

// A real click at the control's centre, as the player makes it.
void click(ui::Form& form, const std::string& control) {
    QWidget* w = ui::qt::widgetOf(*form.find(control));
    QWidget* window = w->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, w->mapTo(window, w->rect().center()));
    QApplication::processEvents();
}

bool shown(ui::Form& form, const std::string& control) {
    ui::Control* c = form.find(control);
    return c && c->visible();
}

// Every page of a story scene, each fully typed, and its ending.
void storyPages(Gallery& gallery, app::App& app, ui::ManualClock& clock, const std::string& name) {
    ui::Form& form = app.show(name);
    const QString base = QString::fromStdString(name);
    int page = 1;
    for (int guard = 0; guard < 200; ++guard) {
        if (shown(form, "Command2")) {
            gallery.form(QStringLiteral("%1 page %2").arg(base).arg(page++), form);
            click(form, "Command2");
            continue;
        }
        if (shown(form, "Command1")) break;
        auto text = [&] {
            std::string all;
            for (int i = 0; i < 12; ++i) all += static_cast<ui::Label*>(form.find(ui::indexed("meslabel1", i)))->caption();
            return all;
        };
        const std::string before = text();
        click(form, "meslabel1(0)");
        if (!form.find("Command1") && before == text()) break;
    }
    clock.advance(6000);  // the closing sequence runs to its end
    gallery.form(QStringLiteral("%1 page %2 end").arg(base).arg(page), form);
    app.unload(form);
}

std::string caption(ui::Form& form, const std::string& control) {
    return static_cast<ui::Label*>(form.find(control))->caption();
}

// Dials a guess with the ↑ buttons (the dial shows its digit by the store picture it carries).
void dialGuess(ui::Form& lock, const std::string& digits) {
    for (int i = 0; i < 4; ++i) {
        auto* dial = static_cast<ui::Image*>(lock.find(ui::indexed("passno", i)));
        for (int n = 0; n < 10 && dial->picture().name() != "store/numberimg_" + digits.substr(i, 1); ++n)
            click(lock, ui::indexed("upbutton", i));
    }
}

void hitAndBlow(Gallery& gallery, app::App& app, ui::ManualClock& clock) {
    ui::Form& lock = app.show("Hitandblow");
    std::string secret;
    for (int i = 0; i < 4; ++i) secret += caption(lock, ui::indexed("passnumber", i));
    // Wrong guesses that share digits with the secret, so the marks show both kinds.
    const std::string near = {secret[1], secret[0], secret[2], static_cast<char>('0' + (secret[3] - '0' + 5) % 10)};
    dialGuess(lock, near);
    gallery.form("Hitandblow dialling", lock);
    click(lock, "Picture1");
    clock.advance(600);
    gallery.form("Hitandblow roulette", lock);
    clock.advance(3400);
    gallery.form("Hitandblow judged", lock);
    clock.advance(2000);
    const std::string wrong[] = {"5678", "0918", "2736", "4096", "8152"};
    for (const auto& guess : wrong) {
        dialGuess(lock, guess == secret ? near : guess);
        click(lock, "Picture1");
        clock.advance(6000);
    }
    click(lock, "Image2");  // the last-chance hot spot shows the secret at the top left
    gallery.form("Hitandblow history and hint", lock);
    dialGuess(lock, near);
    click(lock, "Picture1");
    clock.advance(6000);
    gallery.form("Hitandblow lost", lock);
    app.unload(lock);

    ui::Form& again = app.show("Hitandblow");
    secret.clear();
    for (int i = 0; i < 4; ++i) secret += caption(again, ui::indexed("passnumber", i));
    dialGuess(again, secret);
    click(again, "Picture1");
    clock.advance(6000);
    gallery.form("Hitandblow won", again);
    app.unload(again);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gallery OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    ui::qt::setUpApplication(qapp);
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(".");

    ui::ManualClock clock;
    app::Random random;
    random.useSeed(20261207);
    chain::Program program(clock, random);
    program.app().onEnd = [] {};

    Gallery gallery(dir);
    for (const auto& name : assets::pictureNames()) gallery.picture(name);
    for (const auto& name : chain::allForms()) {
        ui::Form& form = program.app().show(name);
        gallery.form(QString::fromStdString(name), form);
        program.app().unload(form);
    }
    for (const auto& layout : scenes::sceneLayouts()) storyPages(gallery, program.app(), clock, layout.form);

    hitAndBlow(gallery, program.app(), clock);

    ui::Form& warp = program.app().show("warpzone");
    QApplication::processEvents();  // the window is activated, and the box takes the focus
    auto* box = ui::qt::widgetOf(*warp.find("passarea"));
    QTest::keyClicks(box, "4586");
    click(warp, "Command1");
    gallery.form("warpzone all revealed", warp);
    program.app().unload(warp);

    gallery.writeIndex();
    return 0;
}
