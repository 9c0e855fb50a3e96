#include "games/action/candleblowingrules.h"

namespace games::rosokurules {

int draincalc(int power, int r, int draindiv) {
    const bool gust = r < 3;
    int base = 0;
    if (power <= 2000)
        base = gust ? 70 : 40;
    else if (power <= 3000)
        base = gust ? 80 : 50;
    else if (power <= 5000)
        base = gust ? 90 : 60;
    else
        base = gust ? 100 : 70;
    return app::CInt(static_cast<double>(base) / draindiv);
}

int grading(int meterpos) {
    if (meterpos == kSweetSpot) return 0;
    if (meterpos >= 7501 && meterpos <= 7620) return 1;
    if (meterpos >= 6721 && meterpos <= 8280) return 2;
    if (meterpos >= 5521 && meterpos <= 8760) return 3;
    return 4;
}

int percentOf(int power) { return app::Int(power / 60.0); }

Blow blowresult(int hyouka, int power, app::Random& random) {
    Blow b;
    const int r = app::Int(random.Rnd() * 10000);
    switch (hyouka) {
        case 0: b.kouritu = 100; break;
        case 1: b.kouritu = app::Int(random.Rnd() * 20) + 80; break;
        case 2: b.kouritu = app::Int(random.Rnd() * 21) + 50; break;
        case 3: b.kouritu = 50; break;
        default: b.kouritu = 15; break;
    }
    b.kekka = app::Int((power / 60.0) * b.kouritu / 100.0);
    if (hyouka == 0 && ((power >= 80 && r < 3333) || (power > 50 && r < 2500) || power == 50 || r < 1428))
        b.kekka = 100;
    if (hyouka == 1 && ((power == 100 && r < 500) || (power >= 80 && r < 101))) b.kekka = 100;
    b.kazeflg = r < 101 && b.kekka != 100;
    return b;
}

}  // namespace games::rosokurules
