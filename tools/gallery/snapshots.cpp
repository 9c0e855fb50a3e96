#include "snapshots.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <set>
#include <stdexcept>

namespace gallery {

namespace {

// 64 bits of SHA-1 over the size and the pixels as premultiplied ARGB, row by row (a QImage's
// rows may be padded, and the padding is not picture).
std::string hashOf(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QByteArray size = QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height());
    hash.addData(size);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4));
    return hash.result().toHex().left(16).toStdString();
}

// One line per control: tabs and line breaks in a caption would break the line.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
    }
    return out;
}

QString sizeText(QSize s) { return QStringLiteral("%1x%2").arg(s.width()).arg(s.height()); }

std::string quoted(const std::string& text) { return "「" + text + "」"; }

}  // namespace

Fingerprint fingerprintOf(const Shot& shot) {
    Fingerprint print{shot.image.size(), hashOf(shot.image), {}};
    if (!shot.isForm) return print;
    // What no control covers: the form's own background, and whatever is drawn on it directly.
    QImage outside = shot.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&outside);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const auto& region : shot.regions) painter.fillRect(region.rect, Qt::transparent);
    painter.end();
    print.parts.push_back({"(form)", hashOf(outside), {}});
    for (const auto& region : shot.regions)
        print.parts.push_back({region.control, hashOf(shot.image.copy(region.rect)), region.text});
    return print;
}

Approved readApproved(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read the approved pictures " + path.toStdString());
    Approved approved;
    Fingerprint* current = nullptr;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const std::string line = file.readLine().chopped(1).toStdString();
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        const QStringList fields = QString::fromStdString(line).split('\t');
        const bool part = line[0] == '\t';
        if (part && current && fields.size() == 4) {
            current->parts.push_back({fields[1].toStdString(), fields[2].toStdString(), unescaped(fields[3].toStdString())});
        } else if (!part && fields.size() == 3 && fields[1].contains('x')) {
            const QStringList wh = fields[1].split('x');
            current = &approved[fields[0]];
            *current = {QSize(wh[0].toInt(), wh[1].toInt()), fields[2].toStdString(), {}};
        } else {
            throw std::runtime_error(path.toStdString() + ":" + std::to_string(lineNumber) + ": not a picture's line");
        }
    }
    return approved;
}

void writeApproved(const QString& path, const std::vector<std::pair<QString, Fingerprint>>& prints) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) throw std::runtime_error("cannot write " + path.toStdString());
    QTextStream out(&file);
    out << "# Every state the gallery draws, as approved: the hash of its pixels, then for a form each\n"
           "# visible control's part with the text it shows. Written by the approve-snapshots target\n"
           "# (see the README); review the change to this file as you would the pictures.\n";
    for (const auto& [name, print] : prints) {
        out << name << '\t' << sizeText(print.size) << '\t' << QString::fromStdString(print.hash) << '\n';
        for (const auto& p : print.parts)
            out << '\t' << QString::fromStdString(p.control) << '\t' << QString::fromStdString(p.hash) << '\t'
                << QString::fromStdString(escaped(p.text)) << '\n';
    }
    if (!file.commit()) throw std::runtime_error("cannot write " + path.toStdString());
}

std::string differences(const Fingerprint& approved, const Fingerprint& now) {
    if (approved.hash == now.hash && approved.size == now.size) return {};
    if (approved.size != now.size)
        return "drawn at " + sizeText(now.size).toStdString() + ", approved at " + sizeText(approved.size).toStdString();
    std::vector<std::string> said;
    std::set<std::string> matched;
    for (const auto& was : approved.parts) {
        const Fingerprint::Part* is = nullptr;
        for (const auto& p : now.parts)
            if (p.control == was.control) is = &p;
        if (!is) {
            said.push_back(was.control + " no longer shows");
            continue;
        }
        matched.insert(was.control);
        if (is->text != was.text)
            said.push_back(was.control + " was " + quoted(was.text) + ", now " + quoted(is->text));
        else if (is->hash != was.hash)
            said.push_back((was.control == "(form)" ? std::string("the form outside its controls") : was.control) +
                           " looks different");
    }
    for (const auto& p : now.parts)
        if (!matched.count(p.control)) said.push_back(p.control + " now shows");
    if (said.empty()) return "its pixels differ";
    std::string out;
    const std::size_t shown = std::min<std::size_t>(said.size(), 8);
    for (std::size_t i = 0; i < shown; ++i) out += (i ? "; " : "") + said[i];
    if (said.size() > shown) out += "; and " + std::to_string(said.size() - shown) + " more";
    return out;
}

QImage markedDifferences(const QImage& approvedImage, const QImage& nowImage) {
    const QImage was = approvedImage.convertToFormat(QImage::Format_ARGB32);
    QImage marked = nowImage.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < marked.height(); ++y) {
        const auto* old = reinterpret_cast<const QRgb*>(was.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(marked.scanLine(y));
        for (int x = 0; x < marked.width(); ++x) {
            const QRgb c = row[x];
            row[x] = old[x] != c ? qRgb(255, 0, 0)
                                 : qRgb(255 - (255 - qRed(c)) / 4, 255 - (255 - qGreen(c)) / 4, 255 - (255 - qBlue(c)) / 4);
        }
    }
    return marked;
}

int checkAgainst(const QString& approvedPath, const QString& outDir) {
    const Approved approved = readApproved(approvedPath);
    QDir out(outDir);
    for (const char* stale : {"new", "differences"}) QDir(out.filePath(stale)).removeRecursively();
    // Pictures this machine drew that matched their approved fingerprint, by hash: what the
    // changed pixels are marked against when the same state later differs.
    const QDir seen(out.filePath("approved"));
    for (const char* dir : {"new", "differences", "approved"}) out.mkpath(dir);

    int failures = 0, states = 0, same = 0;
    std::set<QString> drawn;
    takeEveryShot([&](Shot shot) {
        ++states;
        drawn.insert(shot.name);
        const Fingerprint now = fingerprintOf(shot);
        const auto it = approved.find(shot.name);
        const QString file = shot.name + ".png";
        if (it != approved.end() && it->second.hash == now.hash && it->second.size == now.size) {
            const QString keep = seen.filePath(QString::fromStdString(now.hash) + ".png");
            if (!QFile::exists(keep)) shot.image.save(keep);
            ++same;
            return;
        }
        ++failures;
        const QString fresh = out.filePath("new/" + file);
        shot.image.save(fresh);
        std::string said = it == approved.end() ? "not approved yet" : differences(it->second, now);
        if (it != approved.end()) {
            const QImage was(seen.filePath(QString::fromStdString(it->second.hash) + ".png"));
            if (!was.isNull() && was.size() == shot.image.size()) {
                markedDifferences(was, shot.image).save(out.filePath("differences/" + file));
                said += "\n    differences marked in " + out.filePath("differences/" + file).toStdString();
            } else {
                said += "\n    (this machine never drew the approved picture, so nothing to mark the differences on)";
            }
        }
        std::printf("DIFFERS %s (%s): %s\n    new picture %s\n", qPrintable(shot.name), qPrintable(shot.title), said.c_str(),
                    qPrintable(fresh));
    });
    for (const auto& [name, print] : approved)
        if (!drawn.count(name)) {
            ++failures;
            std::printf("GONE %s: approved, but no longer drawn\n", qPrintable(name));
        }
    std::printf("%d of %d states as approved in %s\n", same, states, qPrintable(approvedPath));
    if (failures)
        std::printf("%d differ. If every change is intended, approve them: cmake --build build --target approve-snapshots\n",
                    failures);
    return failures;
}

void approve(const QString& approvedPath) {
    std::vector<std::pair<QString, Fingerprint>> prints;
    takeEveryShot([&](Shot shot) { prints.emplace_back(shot.name, fingerprintOf(shot)); });
    writeApproved(approvedPath, prints);
    std::printf("%zu states approved in %s\n", prints.size(), qPrintable(approvedPath));
}

}  // namespace gallery
