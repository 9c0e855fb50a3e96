#include "scenes/scripts/scripts.h"

namespace scenes::scripts {

// A hundred candles out with the help of the wind spirit Soramaru, whom nobody can explain.
Script mesareaepi24() {
    return {
        {
            "乃々香が息を吹きかけた、その瞬間。",
            "会場の中を、びゅうっとひとすじの風が吹き抜けた。",
            "風がやんだとき、１００本のろうそくは",
            "一本残らず消えていた。",
            "梢「……今の、なに？　雲みたいなのがいたよね？」",
            "お父さん「空丸……とか名乗っていたような……」",
            "あの雲のやつがなぜ来たのか。空丸とは何者なのか。",
            "その答えを知る者は、誰もいない。",
            "菫「……ま、まあ、ぜんぶ消えたんだし、ありだよね！」",
            "菫の手から、約束の『一週間いちゃいちゃ券』が",
            "乃々香へと、うやうやしく手渡された。",
            "その後の一週間、二人はいちゃいちゃしかしなかった。",
        },
        {2, 9},
        {},
    };
}

}  // namespace scenes::scripts
