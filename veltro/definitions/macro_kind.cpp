#include "veltro/definitions/macro_kind.h"

#include <array>

namespace veltro {

namespace {
struct KindRow {
    bool first;
    bool block;
    bool number;
};

// Indexed by the kind (function code / 32).
constexpr std::array<KindRow, 16> kKinds{{
    {true, false, false},  // 0 Koppel-signalen
    {true, false, true},   // 32 Hulpfunctie, eenmalig
    {true, false, false},  // 64 Hulpfunctie, SG
    {true, false, false},  // 96 Optie, SG
    {false, true, false},  // 128 Hulpfunctie, BK
    {false, true, false},  // 160 Optie, BK
    {true, true, false},   // 192 Hulpfunctie, SG & BK
    {true, true, false},   // 224 Optie, SG & BK
    {true, false, false},  // 256 Toestand, SG
    {true, false, false},  // 288 Tijd, SG LOPEND
    {true, false, true},   // 320 Tijd, SG WAARDE
    {true, true, false},   // 352 Onderlinge tijd, LOPEND
    {true, true, true},    // 384 Onderlinge tijd, WAARDE
    {true, false, false},  // 416 User-defined, LOPEND
    {true, false, true},   // 448 User-defined, WAARDE
    {false, false, true},  // 480 Tellers
}};
}  // namespace

MacroKind macroKind(std::int32_t functionCode) {
    auto kind = (static_cast<std::uint32_t>(functionCode) >> 5) & 15u;
    const KindRow& row = kKinds[kind];
    return MacroKind{static_cast<int>(kind * 32), row.first, row.block, row.number};
}

}  // namespace veltro
