// Draws every picture and every form on the offscreen platform and the manual clock:
//   gallery [--scale F] OUTDIR          as PNG files, with OUTDIR/index.html to look at them
//   gallery --check APPROVED OUTDIR     holds every state against its approved fingerprint
//   gallery --approve APPROVED          makes what it draws now the approved fingerprints

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "shots.h"
#include "snapshots.h"
#include "ui/qt/application.h"

namespace {

void writeGallery(const QDir& dir) {
    std::vector<gallery::Shot> forms, pictures;
    gallery::takeEveryShot([&](gallery::Shot shot) {
        shot.image.save(dir.filePath(shot.name + ".png"));
        // Only the 3x rendering of a picture is shown: the 1x one is on disk beside it.
        if (shot.isForm || shot.name.endsWith("@3x")) (shot.isForm ? forms : pictures).push_back(std::move(shot));
    });
    QFile f(dir.filePath("index.html"));
    f.open(QIODevice::WriteOnly | QIODevice::Text);
    QTextStream out(&f);
    out << "<!doctype html><meta charset=utf-8><title>Gallery</title>"
           "<style>body{font-family:sans-serif;background:#eee} figure{display:inline-block;margin:8px;"
           "vertical-align:top;background:#fff;padding:6px} img{background:"
           "repeating-conic-gradient(#ddd 0 25%,#fff 0 50%) 0 0/16px 16px}</style>\n";
    for (const auto& [heading, shots] : {std::pair{"Forms", &forms}, std::pair{"Pictures", &pictures}}) {
        out << "<h1>" << heading << "</h1>\n";
        for (const auto& s : *shots)
            out << "<figure><img src='" << s.name << ".png'><figcaption>" << s.title << "</figcaption></figure>\n";
    }
    std::printf("%zu forms and %zu pictures in %s\n", forms.size(), pictures.size(), qPrintable(dir.filePath("index.html")));
}

int usage() {
    std::fprintf(stderr, "usage: gallery [--scale F] OUTDIR | gallery --check APPROVED OUTDIR | gallery --approve APPROVED\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool scaled = mode == "--scale" && argc == 4;
    if (!(argc == 2 && !mode.starts_with("--")) && !scaled && !(mode == "--check" && argc == 4) &&
        !(mode == "--approve" && argc == 3))
        return usage();
    if (scaled) qputenv("QT_SCALE_FACTOR", argv[2]);  // the device pixel ratio, 2 for a high-density screen
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    ui::qt::setUpApplication(qapp);
    const QString last = QString::fromLocal8Bit(argv[argc - 1]);
    try {
        if (mode == "--check") return gallery::checkAgainst(QString::fromLocal8Bit(argv[2]), last) == 0 ? 0 : 1;
        if (mode == "--approve") {
            gallery::approve(last);
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
    QDir dir(last);
    dir.mkpath(".");
    writeGallery(dir);
    return 0;
}
