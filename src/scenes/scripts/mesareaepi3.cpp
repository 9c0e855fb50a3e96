#include "scenes/scripts/scripts.h"

namespace scenes::scripts {

// The party winds down and she feels something is missing; the closing captions say what.
Script mesareaepi3() {
    return {
        {
            // page 1
            "パーティーが始まって、三時間半。",
            "勝負の時間も入れれば、かれこれ五時間。",
            "みんな、もうお腹いっぱいで動けない。",
            "残ったごちそうは、いつもどおりご近所に配ることになった。",
            "白瀬家では、よくあることである。",
            "帰りぎわ、乃々香は和馬と手をつないで、",
            "今日の勝負の道具が並ぶ廊下を歩いていた。",
            "サイコロ、水風船、長靴、８１個の箱……。",
            "乃々香「楽しかったね、和馬」",
            "乃々香「でも、なんだろう……なにか大事なことを",
            "　忘れてるような気がするんだよね」",
            "和馬「忘れてること？」",
            // page 2
            "乃々香「うーん……なんだったっけ……？」",
        },
        {5, 9},
        {},
    };
}

}  // namespace scenes::scripts
