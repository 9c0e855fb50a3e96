#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <mutex>
#include <set>
#include <tuple>
#include <vector>

#include "assets/library.h"
#include "assets/sozai.h"
#include "ui/qt/access.h"

namespace {

std::vector<std::string>& svgWarnings() {
    static std::vector<std::string> w;
    return w;
}

void collect(QtMsgType, const QMessageLogContext& ctx, const QString& msg) {
    if (ctx.category && std::string(ctx.category).starts_with("qt.svg")) svgWarnings().push_back(msg.toStdString());
}

// Counts pixels that are not fully transparent.
int inkedPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}

TEST(Pictures, EveryPictureRendersCleanlyAtItsSize) {
    svgWarnings().clear();
    auto previous = qInstallMessageHandler(collect);
    for (const auto& name : assets::pictureNames()) {
        ui::Picture p = assets::picture(name);
        QSvgRenderer renderer(ui::qt::svgOf(p));
        ASSERT_TRUE(renderer.isValid()) << name;
        const QSize size = renderer.defaultSize();
        const QImage& image = ui::qt::imageOf(p, size);
        EXPECT_GT(inkedPixels(image), size.width() * size.height() / 50) << name << " is (nearly) blank";
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(svgWarnings().empty()) << svgWarnings().front();
}

TEST(Pictures, TheStoreHoldsEveryArrayWithItsSizesAndEmptyFirstEntries) {
    int loads = 0, unloads = 0;
    assets::Sozai sozai([&](bool loaded) { (loaded ? loads : unloads)++; });
    EXPECT_FALSE(sozai.loaded());
    for (const auto& array : assets::Sozai::arrays()) {
        for (int i = 0; i < array.count; ++i) {
            ui::Picture p = sozai.get(array.name, i);
            if (array.firstIsEmpty && i == 0) {
                EXPECT_TRUE(p.isNull()) << array.name << "(0) blanks its target";
                continue;
            }
            ASSERT_FALSE(p.isNull()) << array.name << "(" << i << ")";
            EXPECT_EQ(std::pair(p.width(), p.height()), std::pair(array.width, array.height)) << array.name << "(" << i << ")";
            EXPECT_FALSE(p.description().empty()) << array.name << "(" << i << ") says nothing to a screen reader";
        }
        EXPECT_THROW(sozai.get(array.name, array.count), std::out_of_range);
    }
    // What a screen reader says for them, both sides of every array's odd ones out.
    // clang-format off
    for (auto [array, i, said] :
         {std::tuple{"numberimg", 0, "数字 0"}, {"sysnumberimg", 9, "数字 9"}, {"star", 1, "☆"}, {"star", 2, "★"},
          {"hanmark", 0, "負け"}, {"hanmark", 1, "勝ち"}, {"diceimg", 6, "サイコロの目 6"}, {"diceimg", 7, "サイコロの目 9"},
          {"diceimg", 8, "サイコロの目 66"}, {"minidiceimg", 5, "サイコロの目 6"}, {"minimark", 2, "引き分け"},
          {"mininumber", 0, "数字 1"}, {"mininumber", 8, "×"}, {"nagagutsu", 0, "走る乃々香"},
          {"nagagutsu", 1, "転んだ乃々香"}, {"rouimg", 1, "火のついたろうそく"}, {"rouimg", 2, "消えたろうそく"},
          {"seiseki", 0, "Super!!"}, {"seiseki", 4, "Poor.."}, {"minikey", 0, "鍵"}, {"bombimg", 0, "BOMB"}})
        EXPECT_EQ(sozai.get(array, i).description(), said) << array << "(" << i << ")";
    // clang-format on
    EXPECT_THROW(sozai.get("nosuch", 0), std::out_of_range);
    EXPECT_THROW(assets::picture("store/nosuch"), std::out_of_range);
    EXPECT_EQ(loads, 1);
    sozai.unload();
    sozai.unload();
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(sozai.diceimg(6).sameAs(sozai.diceimg(6))) << "a reload finds the same pictures";
    EXPECT_EQ(loads, 2);
}

TEST(Pictures, OnePictureIsDecodedOnceHoweverManyControlsShowIt) {
    ui::Picture a = assets::picture("scenes/keysearch/takarabako");
    ui::Picture b = assets::picture("scenes/keysearch/takarabako");
    EXPECT_TRUE(a.sameAs(b));
    EXPECT_EQ(ui::qt::imageOf(a, {40, 40}).cacheKey(), ui::qt::imageOf(b, {40, 40}).cacheKey()) << "one rendering per size";
    EXPECT_FALSE(a.sameAs(assets::picture("scenes/keysearch/bigkey")));
}

// Ink in the outermost pixels of a picture means it was cut off by its frame, unless the picture
// is meant to run to its edges (bars that are stretched, banners drawn edge to edge).
TEST(Pictures, NoPictureIsCutOffByItsFrame) {
    const std::set<std::string> bleed{"scenes/common/redbar", "scenes/mizuhusen/gauge"};
    for (const auto& name : assets::pictureNames()) {
        if (bleed.count(name)) continue;
        ui::Picture p = assets::picture(name);
        for (int scale : {1, 3}) {
            const QImage& image = ui::qt::imageOf(p, QSize(p.width(), p.height()) * scale);
            int touching = 0;
            for (int x = 0; x < image.width(); ++x)
                touching += qAlpha(image.pixel(x, 0)) > 24 || qAlpha(image.pixel(x, image.height() - 1)) > 24;
            for (int y = 0; y < image.height(); ++y)
                touching += qAlpha(image.pixel(0, y)) > 24 || qAlpha(image.pixel(image.width() - 1, y)) > 24;
            EXPECT_EQ(touching, 0) << name << " at " << scale << "x touches its frame";
        }
    }
}

TEST(Pictures, TheClosingPicturesHaveTheirSizes) {
    for (auto [name, w, h] : {std::tuple{"scenes/kanimg", 125, 125}, std::tuple{"scenes/rogoimg", 500, 70}}) {
        ui::Picture p = assets::picture(name);
        EXPECT_EQ(std::pair(p.width(), p.height()), std::pair(w, h)) << name;
    }
}

QImage drawn(const std::string& name, int scale = 3) {
    ui::Picture p = assets::picture(name);
    return ui::qt::imageOf(p, QSize(p.width(), p.height()) * scale).convertToFormat(QImage::Format_ARGB32);
}

// Pips: opaque black or red blots, counted as separate areas of more than a few pixels.
int pips(const QImage& image) {
    auto isPip = [&](int x, int y) {
        const QColor c = QColor::fromRgba(image.pixel(x, y));
        return c.alpha() > 200 && (c.value() < 100 || (c.red() > 150 && c.green() < 80 && c.blue() < 90));
    };
    std::vector<char> seen(static_cast<std::size_t>(image.width() * image.height()));
    int count = 0;
    for (int start = 0; start < image.width() * image.height(); ++start) {
        if (seen[start] || !isPip(start % image.width(), start / image.width())) continue;
        int size = 0;
        for (std::vector<int> todo{start}; !todo.empty(); ++size) {
            const int i = todo.back(), x = i % image.width(), y = i / image.width();
            todo.pop_back();
            for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}})
                if (image.rect().contains(nx, ny) && !seen[ny * image.width() + nx] && isPip(nx, ny)) {
                    seen[ny * image.width() + nx] = 1;
                    todo.push_back(ny * image.width() + nx);
                }
        }
        count += size > 20;
    }
    return count;
}

// The share of opaque pixels of a hue band, saturated and bright: how much of a colour a picture wears.
double share(const QImage& image, int fromHue, int toHue) {
    int opaque = 0, in = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            if (c.alpha() < 200) continue;
            ++opaque;
            in += c.hsvHue() >= fromHue && c.hsvHue() <= toHue && c.hsvSaturation() > 100 && c.value() > 150;
        }
    return opaque ? double(in) / opaque : 0;
}

}  // namespace

// What each picture means, seen in its pixels rather than its bytes.
TEST(Pictures, EachShowsWhatItMeans) {
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(pips(drawn("store/diceimg_" + std::to_string(n))), n) << "diceimg_" << n;
        EXPECT_EQ(pips(drawn("store/minidiceimg_" + std::to_string(n - 1), 6)), n) << "minidiceimg_" << n - 1;
    }
    const QImage hollow = drawn("store/star_1"), filled = drawn("store/star_2");
    EXPECT_EQ(qAlpha(hollow.pixel(hollow.rect().center())), 0) << "☆ is hollow";
    EXPECT_EQ(qAlpha(filled.pixel(filled.rect().center())), 255) << "★ is filled";
    // A win is stamped in warm red or pink, a loss in blue, a draw in neither.
    for (auto [name, won, lost] : {std::tuple{"store/hanmark_1", true, false},
                                   {"store/hanmark_0", false, true},
                                   {"store/minimark_0", true, false},
                                   {"store/minimark_1", false, true},
                                   {"store/minimark_2", false, false}}) {
        const QImage stamp = drawn(name, 1);
        EXPECT_EQ(share(stamp, 320, 359) + share(stamp, 0, 10) > 0.2, won) << name;
        EXPECT_EQ(share(stamp, 200, 240) > 0.2, lost) << name;
    }
    // 乃々香 is the one in pink; the women whose faces are hidden wear none but a blush.
    for (auto [name, nonoka] : {std::pair{"scenes/portraits/nonoka", true},
                                {"scenes/figures/nonoka", true},
                                {"scenes/portraits/sumire_masked", false},
                                {"scenes/figures/masked", false},
                                {"scenes/dice/kozue_masked", false},
                                {"scenes/dice/kozue_question", false}})
        EXPECT_EQ(share(drawn(name, 1), 320, 350) > 0.05, nonoka) << name;
}
