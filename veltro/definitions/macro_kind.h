#pragma once

#include <cstdint>

namespace veltro {

// What the kind of a function code (its bits 5 to 8) says about an item that
// uses it: which element numbers the item must give and whether it shows a
// number or an on/off state.
struct MacroKind {
    int baseCode = 0;          // 0, 32, ..., 480
    bool needsFirst = false;   // a signal group or other first element
    bool needsBlock = false;   // a block or second element
    bool showsNumber = false;  // false: the item shows an on/off state
};

// The kind of a function code from 0 to 511; codes outside that range are
// taken modulo 512, so callers check the range themselves.
MacroKind macroKind(std::int32_t functionCode);

// Function codes that the debugger refers to by name elsewhere.
namespace macro_code {
inline constexpr std::int32_t kInstEparm = 32;    // inst_EPARM
inline constexpr std::int32_t kInstEggparm = 33;  // inst_EGGPARM
inline constexpr std::int32_t kRegstat = 461;     // REGSTAT
inline constexpr std::int32_t kDvwd = 462;        // DVWD
inline constexpr std::int32_t kDatum = 481;       // datum
}  // namespace macro_code

}  // namespace veltro
