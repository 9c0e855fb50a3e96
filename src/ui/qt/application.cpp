#include "ui/qt/application.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPalette>
#include <QPixmapCache>
#include <QStyleFactory>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <xcb/xcb.h>

#include "ui/private/picturedata.h"
#include "ui/private/widgets.h"
#include "ui/qt/access.h"
#include "ui/units.h"

namespace ui::qt {

namespace {
// Nothing on Debian carries the layouts' face names, and fontconfig aliases them to nothing
// Japanese, so the mapping is ours. IPAPGothic is proportional like the face the layouts name.
const QStringList kGothicChoices{"IPAPGothic", "Noto Sans CJK JP"};
}  // namespace

void setUpApplication(QApplication& app) {
    app.setQuitOnLastWindowClosed(false);  // only the App decides when the program ends
    for (const char* face : {kGothicFace, kDialogFace, "MS PGothic", "MS UI Gothic"})
        QFont::insertSubstitutions(QString::fromUtf8(face), kGothicChoices);

    app.setStyle(QStyleFactory::create("Fusion"));
    // Fusion's own palette but for the faces, the focus colour, labels that stay black when
    // disabled and a darker grey on disabled buttons. Text boxes are Fusion's black on white.
    QPalette p;
    p.setColor(QPalette::Window, detail::toQColor(kButtonFace));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Button, detail::toQColor(kButtonFace));
    p.setColor(QPalette::Highlight, QColor(0, 120, 215));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(160, 160, 160));
    app.setPalette(p);

    QFont base(kGothicChoices.front());
    base.setPixelSize(pointsToPixels(9));
    app.setFont(base);
    // The style would keep what it draws (button faces by size, state and palette) in this cache.
    // Every widget gets a palette of its own, so a new window never finds its buttons there: each
    // window only added entries, and the names of evicted ones stayed in the cache's index (2.7 kB
    // a window, 16 MB over 6,000 trips between the title and the warp zone). Drawing a few buttons
    // afresh costs nothing to see; with no room, nothing is kept.
    QPixmapCache::setCacheLimit(0);
    detail::installKeyRouter(app);
    detail::installAccessibility();
}

QString resolvedGothicFamily() { return QFontInfo(QFont(QString::fromUtf8(kGothicFace))).family(); }

std::optional<double> parseScale(const QString& text) {
    bool ok = false;
    const double f = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(f) || f < 1.0 || f > 4.0) return std::nullopt;
    return f;
}

void setScale(double factor) {
    // Qt's own high-DPI scaling: layouts stay in device-independent pixels, fonts and pictures
    // are drawn at the larger pixel ratio.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'g', 6));
}

bool takeScaleArgument(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        int used = 1;
        if (std::strcmp(argv[i], "--scale") == 0) {
            value = i + 1 < argc ? argv[i + 1] : "";
            used = i + 1 < argc ? 2 : 1;
        } else if (std::strncmp(argv[i], "--scale=", 8) == 0) {
            value = argv[i] + 8;
        } else {
            continue;
        }
        const std::optional<double> f = parseScale(QString::fromLocal8Bit(value));
        if (!f) {
            std::fprintf(stderr, "--scale takes a number from 1 to 4 (such as 2 or 1.5), not \"%s\".\n", value);
            return false;
        }
        setScale(*f);
        for (int j = i; j + used <= argc; ++j) argv[j] = argv[j + used];
        argc -= used;
        --i;
    }
    return true;
}

bool displayAvailable() {
    if (const char* platform = std::getenv("QT_QPA_PLATFORM"); platform && *platform) return true;
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* v = std::getenv(var); v && *v) return true;
    return false;
}

namespace {
// One property of the root window, as Qt's own connection would read it.
std::vector<std::uint8_t> rootProperty(xcb_connection_t* c, xcb_window_t root, const char* name, xcb_atom_t type,
                                       std::uint32_t longs) {
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    if (!atom) return {};
    const xcb_atom_t id = atom->atom;
    std::free(atom);
    if (id == XCB_ATOM_NONE) return {};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, xcb_get_property(c, 0, root, id, type, 0, longs), nullptr);
    if (!reply) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(reply));
    std::vector<std::uint8_t> value(bytes, bytes + xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}
}  // namespace

DisplayFacts lookAtDisplay() {
    DisplayFacts facts;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((!platform.isEmpty() && !platform.startsWith("xcb")) || qgetenv("DISPLAY").isEmpty()) return facts;
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    facts.connection = std::shared_ptr<void>(c, [](void* c) { xcb_disconnect(static_cast<xcb_connection_t*>(c)); });
    if (xcb_connection_has_error(c)) {
        facts.reachable = false;
        return facts;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    if (it.rem) {
        const xcb_screen_t& screen = *it.data;
        facts.freeArea = Size{screen.width_in_pixels, screen.height_in_pixels};
        // The window manager's free area of the first desktop: x, y, width, height.
        const auto area = rootProperty(c, screen.root, "_NET_WORKAREA", XCB_ATOM_CARDINAL, 4);
        if (area.size() == 4 * sizeof(std::uint32_t)) {
            std::uint32_t v[4];
            std::memcpy(v, area.data(), sizeof v);
            if (v[2] > 0 && v[3] > 0) facts.freeArea = Size{static_cast<int>(v[2]), static_cast<int>(v[3])};
        }
        const auto resources = rootProperty(c, screen.root, "RESOURCE_MANAGER", XCB_ATOM_STRING, 1 << 14);
        const std::string text(resources.begin(), resources.end());
        if (const auto at = text.find("Xft.dpi:"); at != std::string::npos) {
            const double dpi = std::atof(text.c_str() + at + 8);
            if (dpi > 0) facts.pixelRatio = dpi / 96.0;
        }
    }
    return facts;
}

std::string missingFontMessage() {
    const QFont gothic(QString::fromUtf8(kGothicFace));
    const QString family = QFontInfo(gothic).family();
    const QFontMetrics metrics(gothic);
    const QString sample = QString::fromUtf8("乃々香誕生日記念ミニゲーム");
    bool drawn = kGothicChoices.contains(family);
    for (const char32_t ch : sample.toUcs4()) drawn = drawn && metrics.inFontUcs4(ch);
    if (drawn) return {};
    return "No Japanese font: every caption would show as empty boxes. Install fonts-ipafont-gothic "
           "(sudo apt install fonts-ipafont-gothic) and start the game again.";
}

QWidget* windowOf(const Form& form) { return &form.window(); }

QWidget* widgetOf(const Control& control) { return control.widget().w; }

QImage imageOf(const Picture& picture, QSize pixels, qreal dpr) { return picture.data()->imageAt(pixels, dpr); }

QImage renderedAfresh(const Picture& picture, QSize pixels, qreal dpr) {
    QSvgRenderer renderer(picture.data()->svg);
    return detail::renderSvg(renderer, pixels, dpr);
}

bool isCached(const Picture& picture, QSize pixels, qreal dpr) { return picture.data()->isCached(pixels, dpr); }

int onDemandRenders() { return detail::onDemandRenders(); }
double onDemandRenderMs() { return detail::onDemandRenderMs(); }

QByteArray svgOf(const Picture& picture) { return picture.data()->svg; }

void setNameListener(std::function<void(const QWidget&, const QString&)> listener) {
    detail::setNameListener(std::move(listener));
}

}  // namespace ui::qt
