#pragma once

#include "games/dice/duelform.h"

namespace games {

// The first Chinchirorin duel, against the masked シルバー・ファントム, who plays fair.
class KozueDuel final : public DuelForm {
public:
    static constexpr char kName[] = "tintiro1";  // names its row in the form table

    KozueDuel(app::App& app, assets::Sozai& sozai);

private:
    int lineBeforeThrow(const LineCue& cue) const override;
};

}  // namespace games
