#include "assets/descriptions.h"

#include <array>
#include <map>
#include <string>

namespace assets {

namespace {

// The element index at the end of a store name ("store/diceimg_5" → 5), or -1.
int indexOf(std::string_view name) {
    const auto underscore = name.rfind('_');
    if (underscore == std::string_view::npos || underscore + 1 >= name.size()) return -1;
    int n = 0;
    for (char c : name.substr(underscore + 1)) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string describeArray(std::string_view array, int i) {
    const std::string n = std::to_string(i);
    if (array == "numberimg" || array == "sysnumberimg") return "数字 " + n;
    if (array == "star") return i == 1 ? "☆" : "★";
    if (array == "hanmark") return i == 1 ? "勝ち" : "負け";
    if (array == "diceimg") return i == 7 ? "サイコロの目 9" : i == 8 ? "サイコロの目 66" : "サイコロの目 " + n;
    if (array == "minidiceimg") return "サイコロの目 " + std::to_string(i + 1);
    if (array == "minimark") return std::array<const char*, 3>{"勝ち", "負け", "引き分け"}.at(static_cast<std::size_t>(i));
    if (array == "mininumber") return i == 8 ? "×" : "数字 " + std::to_string(i + 1);
    if (array == "nagagutsu") return i == 0 ? "走る乃々香" : "転んだ乃々香";
    if (array == "rouimg") return i == 1 ? "火のついたろうそく" : "消えたろうそく";
    if (array == "seiseki")
        return std::array<const char*, 5>{"Super!!", "Perfect!", "Great!", "Good", "Poor.."}.at(static_cast<std::size_t>(i));
    return {};
}

const std::map<std::string, std::string, std::less<>>& named() {
    static const std::map<std::string, std::string, std::less<>> kNamed{
        {"store/minikey", "鍵"},
        {"store/bombimg", "BOMB"},
        {"scenes/kanimg", "完"},
        {"scenes/rogoimg", "おしまい"},
        {"scenes/hitandblow/padlock", "南京錠"},
        {"scenes/hitandblow/passmes", "パスワードヲニュウリョクセヨ"},
        {"scenes/hitandblow/nokori", "ノコリ"},
        {"scenes/hitandblow/kai", "カイ"},
        {"scenes/keysearch/takarabako", "宝箱"},
        {"scenes/keysearch/bigkey", "鍵"},
        {"scenes/figures/nonoka", "乃々香"},
        {"scenes/figures/masked", "仮面の女性"},
        {"scenes/portraits/nonoka", "乃々香"},
        {"scenes/portraits/sumire_masked", "仮面の女性"},
        {"scenes/dice/kozue_masked", "顔を隠した女性"},
        {"scenes/dice/kozue_question", "顔を隠した女性"},
        {"scenes/dice/star", "★"},
        {"scenes/common/exclamation", "！"},
        {"scenes/common/redbar", "ゲージ"},
        {"scenes/mizuhusen/balloon", "水風船"},
        {"scenes/mizuhusen/splash", "水しぶき"},
        {"scenes/mizuhusen/gauge", "危険度ゲージ"},
        {"scenes/mizuhusen/arrow", "空気を入れている"},
        {"scenes/max100/car", "車"},
        {"scenes/max100/car_fallen", "落ちた車"},
        {"scenes/max100/arrow", "選んだサイコロ"},
        {"scenes/nagagutsu/track", ""},
        {"scenes/rosoku/cake", "ケーキ"},
        {"scenes/rosoku/omission", "≈ 省略"},
        {"scenes/rosoku/breath", "息"},
        {"scenes/rosoku/windspirit", "風の精"},
        {"scenes/rosoku/timingbar", "タイミングのゲージ"},
        {"scenes/rosoku/pointer", "タイミングの印"},
    };
    return kNamed;
}

}  // namespace

std::string describe(std::string_view name) {
    if (auto it = named().find(name); it != named().end()) return it->second;
    constexpr std::string_view store = "store/";
    if (!name.starts_with(store)) return {};
    const int i = indexOf(name);
    if (i < 0) return {};
    const std::string_view rest = name.substr(store.size());
    return describeArray(rest.substr(0, rest.rfind('_')), i);
}

}  // namespace assets
