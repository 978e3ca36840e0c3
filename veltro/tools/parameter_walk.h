#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "veltro/definitions/element_tables.h"
#include "veltro/ports/controller_record.h"
#include "veltro/tools/categories.h"

namespace veltro::tools {

// One parameter of a category, as the tools send, list and compare it.
struct ParameterRef {
    Category category = Category::Ontruimingstijden;
    int entry = 0;  // position in its table
    // Which value of the entry: MG 0 (the MG time) to 12; detector 0 H_TIJD1,
    // 1 H_TIJD2, 2 BZT_TIJD; clock moment 0 or 1; else 0.
    int part = 0;
    ControllerRecord record;  // function code, index, second index; value 0
    ControllerValue* value = nullptr;
    double source = 0.0;  // as written in ZXAPTAB.C
    std::int32_t integerSource = 0;
    bool integer = false;     // switches and EGGPARMs
    bool skipped = false;     // the category's skip rule leaves it out of the sending
    std::string_view name;    // the element (the from-signal-group for clearance times)
    std::string_view toName;  // clearance times only
};

// The category's parameters in the order in which they are sent: each kind
// of value through all entries before the next kind (all MG times, then all
// MG times 1, ...). Skipped parameters are included and marked.
std::vector<ParameterRef> sendOrder(Category c, ElementTables& tables);

// The same parameters in the order in which they are compared: entry by
// entry, all values of one entry before the next.
std::vector<ParameterRef> compareOrder(Category c, ElementTables& tables);

// The function code of MG part 0 (the MG time) to 12.
int mgFunctionCode(int part);

}  // namespace veltro::tools
