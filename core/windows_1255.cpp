#include "core/windows_1255.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tolvane {
namespace {

// Bytes 0x80 to 0xFF; an unassigned byte maps to the character of the same number.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x008A, 0x2039, 0x008C, 0x008D, 0x008E, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F,  // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,  // C0
    0x05B8, 0x05B9, 0x05BA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,  // C8
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,  // D0
    0x05F4, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,  // D8
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,  // E0
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,  // E8
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,  // F0
    0x05E8, 0x05E9, 0x05EA, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x00FF,  // F8
};

// The upper half by character, for writing: a binary search instead of a scan of all 128.
constexpr auto kByCharacter = [] {
    std::array<std::pair<char16_t, char>, kUpperHalf.size()> pairs{};
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
        pairs[i] = {kUpperHalf[i], static_cast<char>(0x80 + i)};
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}();

std::optional<char> byteFor(char16_t unit) {
    if (unit < 0x80)
        return static_cast<char>(unit);
    const auto* found =
        std::lower_bound(kByCharacter.begin(), kByCharacter.end(), unit,
                         [](const auto& pair, char16_t wanted) { return pair.first < wanted; });
    if (found != kByCharacter.end() && found->first == unit)
        return found->second;
    return std::nullopt;
}

}  // namespace

QString Windows1255::toUnicode(const QByteArray& bytes) const {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text.append(QChar(value < 0x80 ? char16_t(value) : kUpperHalf[value - 0x80]));
    }
    return text;
}

std::optional<QByteArray> Windows1255::fromUnicode(const QString& text) const {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const std::optional<char> byte = byteFor(character.unicode());
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

}  // namespace tolvane
