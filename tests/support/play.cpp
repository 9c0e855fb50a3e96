#include "support/play.h"

#include "ui/form.h"
#include "ui/image.h"

namespace testing_support {

using namespace std::chrono_literals;

void tryHitandblow(SceneHarness& h, const std::string& digits) {
    for (int i = 0; i < 4; ++i) {
        // The dial shows which digit it stands on by the store picture it carries.
        auto& dial = static_cast<ui::Image&>(h.control("Hitandblow", ui::indexed("passno", i)));
        for (int guard = 0; guard < 10 && dial.picture().name() != "store/numberimg_" + digits.substr(i, 1); ++guard)
            h.click("Hitandblow", ui::indexed("upbutton", i));
    }
    h.click("Hitandblow", "Picture1");
    h.advance(19 * 200ms + 2000ms);
}

void winHitandblow(SceneHarness& h) {
    std::string secret;
    for (int i = 0; i < 4; ++i) secret += h.caption("Hitandblow", ui::indexed("passnumber", i));
    tryHitandblow(h, secret);
}

}  // namespace testing_support
