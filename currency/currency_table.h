#pragma once

#include <array>

namespace tolvane {

// One row of the converter's currency lists: the name the user picks and the code the
// conversion service is sent.
struct Currency {
    const char* name;
    const char* code;
};

inline constexpr int kCurrencyCount = 174;
// Rows chosen when the converter opens: US Dollar into Israeli New Shekel.
inline constexpr int kFirstFromRow = 0;
inline constexpr int kFirstToRow = 76;

extern const std::array<Currency, kCurrencyCount> kCurrencies;

}  // namespace tolvane
