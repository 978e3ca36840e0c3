#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace pendrel {

// What the third and fourth selection columns of the item dialog list.
enum class ElementKind : int {
    None = 0,
    SignalGroup = 1,
    BlockedSignalGroup = 2,  // signal group and one of its block records
    Block = 3,
    Time = 4,
    Clock = 5,
    ConflictPair = 6,
    Detector = 7,
    PairNumber = 8,
    Switch = 9,
    ExtraParameter = 10,
    AuxiliaryFunction = 11,
    Counter = 12,
    Programme = 13,
    ExtraIntegerParameter = 14,
    SpeedDetector = 15,
    OtherInput = 16,
    OtherOutput = 17,
};

struct CatalogueEntry {
    std::string_view macro;
    ElementKind kind;
    std::string_view marker;
};

struct MacroGroup {
    std::string_view name;
    int groupKind;  // 1: filtered by the blocks of the application; 2: all entries
    std::span<const CatalogueEntry> entries;
};

// The 18 macro groups of standard items, in their fixed order.
std::span<const MacroGroup> macroGroups();

// Column headings and how many columns must be chosen, per element kind.
struct KindColumns {
    std::string_view thirdHeading;
    std::string_view fourthHeading;
    int requiredColumns;
};
KindColumns kindColumns(ElementKind kind);

// The group names offered in the first column.
std::vector<std::string_view> groupList(bool noBlocks);

// The macros offered in the second column for a chosen group.
std::vector<std::string_view> macroList(std::string_view groupName, bool noBlocks);

// Look-up by the pair (group name, macro name).
struct CatalogueHit {
    std::size_t groupIndex;
    std::size_t macroIndex;
    const CatalogueEntry* entry;
};
std::optional<CatalogueHit> findEntry(std::string_view groupName, std::string_view macroName);

// Which block records a kind-2 macro lists: "ALT" for AR, PPA, PPA_OP and
// VNM_OP, "PRIM" for PG, PPP, PR and PPP_OP; none for the others.
enum class BlockRecordType { None, Alt, Prim };
BlockRecordType blockRecordType(std::string_view macro);

}  // namespace pendrel
