#include "scenes/scripts/scripts.h"

namespace scenes::scripts {

// Fewer than fifty candles: she is crestfallen for about as long as it takes Kazuma to notice.
Script mesareaepi23() {
    return {
        {
            "乃々香「ふぅー……ふぅー……」",
            "必死に吹いたものの、消えたろうそくは半分にも届かなかった。",
            "乃々香「うぅ……ぜんぜんだめだった……」",
            "乃々香は、すっかりしょげてしまった。",
            "和馬が、その頭をぽんぽんとなでる。",
            "和馬「ろうそくなんてなくても、来週はずっといっしょにいるよ」",
            "乃々香「……ほんと？」",
            "和馬「ほんと」",
            "乃々香は、えへへと笑って和馬にぴったりとくっついた。",
            "菫「……はいはい。ろうそく、意味なかったね」",
            "パーティーが再開されたのは、それから",
            "一時間後のことだった。",
        },
        {10},
        {},
    };
}

}  // namespace scenes::scripts
