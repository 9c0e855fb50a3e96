#include "scenes/scripts/scripts.h"

namespace scenes::scripts {

// Fifty to ninety-nine candles: not all of them, but Kazuma's hug makes up for it.
Script mesareaepi22() {
    return {
        {
            // page 1
            "乃々香「はぁ……はぁ……」",
            "ケーキの上では、消えずに残った火がゆらゆらと揺れている。",
            "乃々香「ぜんぶは、",
            "　消せなかった……",
            "　くやしいよぉ……」",
            "乃々香は、しょんぼりと肩を落とした。",
            "とはいえ、五十本を超えて消せただけでも大した肺活量である。",
            // page 2
            "そんな乃々香を、和馬がうしろからそっと抱きしめた。",
            "和馬「よくがんばったな、乃々香。すごかったよ」",
            "乃々香「和馬……」",
            "乃々香は、和馬の腕の中でふにゃりと笑った。",
            "菫「……はぁ。結局、こうなるんだから」",
            "菫は、やれやれとため息をついた。",
            "こうして、パーティーはにぎやかに続いていくのだった。",
        },
        {2, 3},
        {6},
    };
}

}  // namespace scenes::scripts
