#include "warp/passcode.h"

namespace warp {

namespace {

// The number four digits or fewer stand for; nothing for anything else.
std::optional<int> valueOf(const std::string& text) {
    if (text.empty() || text.size() > kCodeDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}
}  // namespace

std::optional<int> warpButtonForCode(const std::string& text, const std::vector<std::string>& codes) {
    const auto value = valueOf(text);
    if (!value) return std::nullopt;
    for (std::size_t k = codes.size(); k > 0; --k)
        if (valueOf(codes[k - 1]) == value) return static_cast<int>(k - 1);
    return std::nullopt;
}

std::string sanitizeCode(const std::string& proposed) {
    std::string digits;
    for (std::size_t i = 0; i < proposed.size() && digits.size() < kCodeDigits;) {
        const auto c = static_cast<unsigned char>(proposed[i]);
        if (c >= '0' && c <= '9') {
            digits += static_cast<char>(c);
            ++i;
        } else if (c == 0xEF && i + 2 < proposed.size() && static_cast<unsigned char>(proposed[i + 1]) == 0xBC &&
                   static_cast<unsigned char>(proposed[i + 2]) >= 0x90 && static_cast<unsigned char>(proposed[i + 2]) <= 0x99) {
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
