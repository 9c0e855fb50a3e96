#include "warp/passcode.h"

#include <array>
#include <utility>

namespace warp {

namespace {
// Each scene's code opens its own button; the codes run in story order.
constexpr std::array<std::pair<int, int>, 15> kCodes{{
    {4140, 2}, {5339, 3}, {3232, 4}, {3940, 5}, {3164, 6}, {1885, 7}, {4789, 8}, {7802, 9},
    {9140, 10}, {3896, 11}, {2383, 12}, {8202, 13}, {39, 14}, {9107, 15}, {4586, 16},
}};
constexpr std::size_t kMaxDigits = 4;
}  // namespace

std::optional<int> warpButtonForCode(const std::string& text) {
    if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    for (auto [code, button] : kCodes)
        if (code == value) return button;
    return std::nullopt;
}

std::string sanitizeCode(const std::string& proposed) {
    std::string digits;
    for (std::size_t i = 0; i < proposed.size() && digits.size() < kMaxDigits;) {
        const auto c = static_cast<unsigned char>(proposed[i]);
        if (c >= '0' && c <= '9') {
            digits += static_cast<char>(c);
            ++i;
        } else if (c == 0xEF && i + 2 < proposed.size() && static_cast<unsigned char>(proposed[i + 1]) == 0xBC &&
                   static_cast<unsigned char>(proposed[i + 2]) >= 0x90 &&
                   static_cast<unsigned char>(proposed[i + 2]) <= 0x99) {
            // U+FF10..U+FF19, the full-width digits, are EF BC 90..99 in UTF-8.
            digits += static_cast<char>('0' + (static_cast<unsigned char>(proposed[i + 2]) - 0x90));
            i += 3;
        } else {
            ++i;
        }
    }
    return digits;
}

}  // namespace warp
