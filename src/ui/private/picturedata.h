#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace ui::detail {

struct PictureData {
    std::string name;
    std::string description;
    QByteArray svg;  // raw view of embedded bytes
    std::unique_ptr<QSvgRenderer> renderer;
    std::map<std::pair<int, int>, QImage> cache;

    QSvgRenderer& svgRenderer();
    QSize intrinsicSize();
    // The picture stretched to `pixels`, rendered once per size and kept.
    const QImage& imageAt(QSize pixels);
};

}  // namespace ui::detail
