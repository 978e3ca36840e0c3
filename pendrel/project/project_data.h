#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace pendrel {

// Capacities of the designer's tables.
inline constexpr std::size_t kMaxSignalGroups = 48;
inline constexpr std::size_t kMaxSignalGroupNameLength = 40;
inline constexpr std::size_t kMaxListNames = 256;  // auxiliary functions, counters
inline constexpr std::size_t kMaxOtherSignals = 128;
inline constexpr std::size_t kMaxListNameLength = 22;
inline constexpr int kMaxExtraParameters = 4096;
// Not capped by the original; kept at the debugger's capacity so that a corrupt
// count cannot ask for gigabytes.
inline constexpr int kMaxExtraIntegerParameters = 5000;
inline constexpr std::size_t kMaxExtraParameterNameLength = 43;  // 44-byte records

// The tables read from the parameter table source, in reading order.
enum class Table : std::size_t {
    SgTijden,
    Conflict,
    MgTijden,
    EMgTijden,
    E2MgTijden,
    E3MgTijden,
    Tijden,
    Schakelaar,
    Klokken,
    Blokken,
    SgDetectie,
    Koppel,
    Eparms,
    Eggparms,
    SgRga,
    Regeling,
    Count
};
inline constexpr std::size_t kTableCount = static_cast<std::size_t>(Table::Count);

enum class BlockMark { None, Alt, Prim };

struct BlockEntry {
    std::string signalGroup;
    BlockMark mark = BlockMark::None;
};

struct Block {
    std::string name;
    std::vector<BlockEntry> entries;
};

struct Conflict {
    std::string signalGroup;
    std::string conflicting;
};

// A signal group row of a maximum green table, with whether each of its
// settings (fields 2 onward) holds a value rather than "NG".
struct MaxGreenRow {
    std::string signalGroup;
    std::vector<bool> isSet;
};

struct Detector {
    std::string name;
    std::string signalGroup;
};

struct Coupling {
    std::string name;
    bool incoming = true;
};

// An entry of the pair list (direction-sensitive requests): a signal group and
// one of its pair numbers.
struct PairEntry {
    std::string signalGroup;
    std::string pairNumber;
};

// Everything the designer reads from an application's sources.
struct ProjectData {
    std::vector<std::string> signalGroups;
    std::vector<std::string> auxiliaryFunctions;  // "hulpfuncties"
    std::vector<std::string> counters;            // "tellers"
    std::vector<std::string> otherInputs;         // "overige ingangssignalen"
    std::vector<std::string> otherOutputs;        // "overige uitgangssignalen"
    int extraParameterCount = 0;
    int extraIntegerParameterCount = 0;
    bool noBlocks = true;
    // Cleared when the blocks table of an application with blocks fails.
    bool signalGroupsUsableWithBlocks = true;

    std::vector<std::string> sgTimeGroups;  // signal groups of SG_TIJDEN_tabel
    std::vector<Conflict> conflicts;
    std::vector<MaxGreenRow> maxGreen;                      // MG_TIJDEN_tabel
    std::array<std::vector<MaxGreenRow>, 3> extraMaxGreen;  // E_, E2_, E3_
    std::vector<std::string> times;
    std::vector<std::string> switches;
    std::vector<std::string> clocks;
    std::vector<Block> blocks;
    std::vector<Detector> detectors;
    std::vector<Coupling> couplings;
    std::vector<std::string> extraParameters;
    std::vector<std::string> extraIntegerParameters;
    std::vector<PairEntry> pairs;
    std::vector<std::string> programmes;

    std::array<bool, kTableCount> available{};

    bool has(Table table) const { return available[static_cast<std::size_t>(table)]; }
    bool blocksPresent() const { return !noBlocks; }
    bool hasSignalGroups() const { return !signalGroups.empty(); }
};

}  // namespace pendrel
