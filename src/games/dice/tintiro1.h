#pragma once

#include "games/dice/duelform.h"

namespace games {

// The first Chinchirorin duel, against the masked シルバー・ファントム, who plays fair.
class tintiro1 final : public DuelForm {
public:
    tintiro1(app::App& app, assets::Sozai& sozai);

private:
    int oppline(int r) const override;
    void Command1_Click() override;
};

}  // namespace games
