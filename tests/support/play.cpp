#include "support/play.h"

#include <cstdint>
#include <stdexcept>

#include <Qt>

#include "ui/form.h"

namespace testing_support {

using namespace std::chrono_literals;

namespace {

// The dial shows which digit it stands on by the store picture it carries.
void dial(SceneHarness& h, const std::string& digits) {
    for (int i = 0; i < 4; ++i)
        for (int guard = 0; guard < 10 && h.picture("Hitandblow", ui::indexed("passno", i)) !=
                                              "store/numberimg_" + digits.substr(i, 1);
             ++guard)
            h.click("Hitandblow", ui::indexed("upbutton", i));
}

std::string secretOf(SceneHarness& h) {
    std::string secret;
    for (int i = 0; i < 4; ++i) secret += h.caption("Hitandblow", ui::indexed("passnumber", i));
    return secret;
}

void hitandblowGallery(SceneHarness& h, const Shoot& shoot) {
    std::string secret = secretOf(h);
    // Wrong guesses that share digits with the secret, so the marks show both kinds.
    const std::string near = {secret[1], secret[0], secret[2], static_cast<char>('0' + (secret[3] - '0' + 5) % 10)};
    dial(h, near);
    shoot("dialling");
    h.click("Hitandblow", "Picture1");
    h.advance(600ms);
    shoot("roulette");
    h.advance(3400ms);
    shoot("judged");
    h.advance(2000ms);
    for (const std::string guess : {"5678", "0918", "2736", "4096", "8152"}) tryHitandblow(h, guess == secret ? near : guess);
    h.click("Hitandblow", "Image2");  // the last-chance hot spot shows the secret at the top left
    shoot("history and hint");
    tryHitandblow(h, near);
    shoot("lost");
    h.app().unload(h.form("Hitandblow"));
    h.open("Hitandblow");
    winHitandblow(h);
    shoot("won");
}

// The key's box, read off the hidden label that holds it.
int keyBox(SceneHarness& h) { return std::stoi(h.caption("keysearch", "Label5")); }

void winKeysearch(SceneHarness& h) {
    h.click("keysearch", ui::indexed("Image1", keyBox(h)));
    h.advance(1500ms);
}

void keysearchGallery(SceneHarness& h, const Shoot& shoot) {
    shoot("start");
    const int key = keyBox(h);
    // Two wrong boxes: the farthest corner (a cross, or a digit when the key is near it) and a neighbour.
    const int far = key % 9 < 5 ? (key / 9 < 5 ? 80 : 8) : (key / 9 < 5 ? 72 : 0);
    h.click("keysearch", ui::indexed("Image1", far));
    h.click("keysearch", ui::indexed("Image1", key % 9 == 0 ? key + 1 : key - 1));
    for (int i = 0; i < 10; ++i) h.click("keysearch", "nokori");
    shoot("two opened, with the hint");
    h.click("keysearch", ui::indexed("Image1", key));
    shoot("key found");
    h.advance(1500ms);
    shoot("won");
    h.app().unload(h.form("keysearch"));
    h.open("keysearch");
    const int again = keyBox(h);
    for (int box : {0, 40, 80, 44, 36})
        if (box != again && h.enabled("keysearch", ui::indexed("Image1", box))) h.click("keysearch", ui::indexed("Image1", box));
    h.advance(1500ms);
    shoot("lost");
}

// Alternate feet all in one go: no second of the race clock passes, so neither the same foot nor
// the pace check ever trips her, whatever the draws. 500 steps of the shortest stride cover the
// course.
void sprintNagagutsu(SceneHarness& h) {
    for (int step = 0; step < 500 && !h.visible("nagagutsu", "Command1"); ++step)
        h.keyDown("nagagutsu", step % 2 ? Qt::Key_Right : Qt::Key_Left);
}

void winNagagutsu(SceneHarness& h) {
    h.advance(6s);  // the countdown
    sprintNagagutsu(h);
}

void nagagutsuGallery(SceneHarness& h, const Shoot& shoot) {
    h.advance(3s);
    shoot("countdown");
    h.advance(3s);
    for (int step = 0; step < 180; ++step) h.keyDown("nagagutsu", step % 2 ? Qt::Key_Right : Qt::Key_Left);
    h.advance(1500ms);
    shoot("running");
    // The same foot until she goes down; nothing else can trip her within this second.
    for (int guard = 0; guard < 100 && h.picture("nagagutsu", "Image3") != "store/nagagutsu_1"; ++guard)
        h.keyDown("nagagutsu", Qt::Key_Left);
    shoot("fallen");
    h.advance(1s);
    sprintNagagutsu(h);
    shoot("won");
    h.app().unload(h.form("nagagutsu"));
    h.open("nagagutsu");
    h.advance(46s);
    shoot("lost");
}

// Pump and throw draws of the water balloon battle: the air a pump adds, and whether it bursts.
double air(int amount) { return SceneHarness::draw(3, amount / 100 - 1); }
const double kHolds = SceneHarness::draw(10000, 9999);
const double kBursts = SceneHarness::draw(10000, 0);

// Chance alone decides who gets soaked, so the win is scripted: the opponent's first pump bursts.
// Afterwards the walk goes on from a seed taken from the source it came with.
void winMizuhusen(SceneHarness& h) {
    const auto seed = static_cast<std::uint64_t>(h.random().Rnd() * 0x1p53);
    h.script({air(100), kBursts});
    h.advance(1000ms + 3000ms);
    h.random().useSeed(seed);
}

void mizuhusenGallery(SceneHarness& h, const Shoot& shoot) {
    const auto seed = static_cast<std::uint64_t>(h.random().Rnd() * 0x1p53);
    // Three pumps of 300, a safe throw, and the balloon at the top of its arc.
    h.script({air(300), kHolds, air(300), kHolds, air(300), kHolds, kHolds});
    h.advance(3000ms + 8 * 40ms);
    shoot("balloon in flight");
    h.advance(8 * 40ms);
    h.script({air(300), kHolds, air(200), kHolds, air(300), kHolds});
    for (int i = 0; i < 2; ++i) {
        h.click("mizuhusen", "Command1");
        h.advance(100ms);
    }
    h.click("mizuhusen", "Command1");
    shoot("heroine pumping");
    h.advance(100ms);
    h.click("mizuhusen", "Image2");
    shoot("danger level revealed");
    h.script({kBursts});
    h.click("mizuhusen", "Command2");
    h.advance(40ms);
    shoot("burst on her own throw");
    h.advance(3000ms);
    shoot("lost");
    h.app().unload(h.form("mizuhusen"));
    h.open("mizuhusen");
    h.script({air(200), kBursts});
    h.advance(1000ms);
    shoot("burst on the opponent's pump");
    h.advance(3000ms);
    shoot("won");
    h.random().useSeed(seed);
}

WinScript pendingWin(std::string form, std::string exit) {
    return {std::move(form), exit, [](SceneHarness&) {}};
}

}  // namespace

void tryHitandblow(SceneHarness& h, const std::string& digits) {
    dial(h, digits);
    h.click("Hitandblow", "Picture1");
    h.advance(19 * 200ms + 2000ms);
}

void winHitandblow(SceneHarness& h) { tryHitandblow(h, secretOf(h)); }

void revealExit(SceneHarness& h, const std::string& form, const std::string& exit) {
    for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
        if (ui::Control* c = h.form(form).find(b)) c->setVisible(b == exit);
}

const std::vector<WinScript>& winScripts() {
    static const std::vector<WinScript> kScripts{
        {"Hitandblow", "Command1", winHitandblow},
        pendingWin("tintiro1", "Command1"),
        {"mizuhusen", "Command3", winMizuhusen},
        {"nagagutsu", "Command1", winNagagutsu},
        pendingWin("max100game", "Command2"),
        pendingWin("tintiro2", "Command1"),
        {"keysearch", "Command1", winKeysearch},
        pendingWin("rosoku", "Command1"),
    };
    return kScripts;
}

const WinScript& winScript(const std::string& form) {
    for (const auto& s : winScripts())
        if (s.form == form) return s;
    throw std::out_of_range("no win script for " + form);
}

const std::vector<GalleryPlay>& galleryPlays() {
    static const std::vector<GalleryPlay> kPlays{
        {"Hitandblow", hitandblowGallery},
        {"keysearch", keysearchGallery},
        {"nagagutsu", nagagutsuGallery},
        {"mizuhusen", mizuhusenGallery},
    };
    return kPlays;
}

}  // namespace testing_support
