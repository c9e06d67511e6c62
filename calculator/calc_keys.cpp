#include "calculator/calc_keys.h"

#include <algorithm>

namespace tolvane {

std::optional<int> keyIndexForCode(int keyCode) {
    const auto* row = std::ranges::find(kKeyTable, keyCode, &KeyTableRow::keyCode);
    if (row == kKeyTable.end())
        return std::nullopt;
    return row->keyIndex;
}

}  // namespace tolvane
