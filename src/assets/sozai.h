#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "assets/meanings.h"
#include "ui/picture.h"

namespace assets {

// The hidden store of shared pictures that the games copy into their own images. It counts as a
// loaded form from its first use until a game's unload handler unloads it; the next use loads it
// again. Index 0 of star, diceimg and rouimg is the empty picture. Pictures that say something
// (assets/meanings.h) are asked for by what they say.
class Sozai {
public:
    struct Array {
        std::string name;
        int count;  // 1 for a single picture
        int width;  // pixels
        int height;
        bool firstIsEmpty;
    };
    static const std::vector<Array>& arrays();

    // `loadedChanged` hears of every load and unload, so the owner can count the store as a form.
    explicit Sozai(std::function<void(bool loaded)> loadedChanged = {});

    // Element `index` of the named array (index 0 for a single picture); loads the store.
    // Throws std::out_of_range for an unknown array or index.
    ui::Picture get(const std::string& array, int index = 0);

    ui::Picture numberimg(int i) { return get("numberimg", i); }
    ui::Picture sysnumberimg(int i) { return get("sysnumberimg", i); }
    ui::Picture mark(Mark m) { return get("star", static_cast<int>(m)); }
    ui::Picture banner(Verdict v) { return get("hanmark", static_cast<int>(v)); }
    ui::Picture diceimg(int i) { return get("diceimg", i); }
    ui::Picture minidiceimg(int i) { return get("minidiceimg", i); }
    ui::Picture boutMark(BoutMark m) { return get("minimark", static_cast<int>(m)); }
    ui::Picture mininumber(int i) { return get("mininumber", i); }
    ui::Picture minikey() { return get("minikey"); }
    ui::Picture bombimg() { return get("bombimg"); }
    ui::Picture runner(Runner r) { return get("nagagutsu", static_cast<int>(r)); }
    ui::Picture candle(Candle c) { return get("rouimg", static_cast<int>(c)); }
    ui::Picture seiseki(int i) { return get("seiseki", i); }

    void unload();
    bool loaded() const { return loaded_; }

    // The embedded name of an element ("store/numberimg_3"); empty for an empty element.
    static std::string pictureName(const Array& array, int index);

    // Every picture of the game at the size the forms show it, in device-independent pixels: the
    // store's by its table, every other one (the window icon aside) as it was drawn, which 0 x 0
    // stands for (reading it parses the picture, which is best left to whoever renders it).
    struct Shown {
        std::string name;
        ui::Picture picture;
        int width;
        int height;
    };
    static std::vector<Shown> picturesAsShown();

private:
    std::function<void(bool)> loadedChanged_;
    bool loaded_ = false;
    std::map<std::pair<std::string, int>, ui::Picture> cache_;
};

}  // namespace assets
