#include "veltro/screens/value_text.h"

#include "common/format.h"
#include "veltro/definitions/macro_kind.h"

namespace veltro {

std::string valueText(const DebugItem& item, int value) {
    std::string text;
    if (item.functionCode == macro_code::kDatum) {
        text = common::format("%06d", value);
    } else if (item.keepsLastValue && item.lastNonZeroValue != 0) {
        text = common::format("%d (%d)", value, item.lastNonZeroValue);
    } else {
        text = common::format("%d", value);
    }
    // The field holds at most 15 characters however wide it is drawn: a wide
    // DVWD field must not take a text that its store cannot hold.
    if (text.size() > static_cast<std::size_t>(item.width) ||
        text.size() > DebugItem::kTextCapacity) {
        text.assign(DebugItem::kTextCapacity, '#');
    }
    return text;
}

}  // namespace veltro
