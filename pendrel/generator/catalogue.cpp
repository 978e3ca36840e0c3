#include "pendrel/generator/catalogue.h"

#include <algorithm>
#include <array>

namespace pendrel {
namespace {

using K = ElementKind;

constexpr CatalogueEntry kStates[] = {
    {"A", K::SignalGroup, "~"},
    {"AFK", K::SignalGroup, "~"},
    {"BL", K::SignalGroup, "~"},
    {"DA", K::SignalGroup, "~"},
    {"DK", K::SignalGroup, "~"},
    {"MA", K::SignalGroup, "~"},
    {"PPV", K::SignalGroup, "~"},
    {"TR", K::SignalGroup, "~"},
    {"VAA", K::SignalGroup, "~"},
    {"VNM", K::SignalGroup, "~"},
    {"BR", K::SignalGroup, "~"},
    {"BRT", K::SignalGroup, "~"},
    {"AR", K::BlockedSignalGroup, "~"},
    {"PG", K::BlockedSignalGroup, "~"},
    {"PPA", K::BlockedSignalGroup, "~"},
    {"PPP", K::BlockedSignalGroup, "~"},
    {"PR", K::BlockedSignalGroup, "~"},
    {"WR", K::SignalGroup, "~"},
    {"ROG", K::SignalGroup, "~"},
    {"RVG", K::SignalGroup, "~"},
    {"VG", K::SignalGroup, "~"},
    {"VAG1e", K::SignalGroup, "~"},
    {"WG", K::SignalGroup, "~"},
    {"VAG2e", K::SignalGroup, "~"},
    {"MVG", K::SignalGroup, "~"},
    {"R", K::SignalGroup, "~"},
    {"G", K::SignalGroup, "~"},
    {"GL", K::SignalGroup, "~"},
    {"interne_toestand", K::SignalGroup, "~"},
};
constexpr CatalogueEntry kBlocks[] = {{"BLOK", K::Block, "~"}};
constexpr CatalogueEntry kOptions[] = {
    {"AFK_OP", K::SignalGroup, "~"},        {"BL_OP", K::SignalGroup, "~"},
    {"MA_OP", K::SignalGroup, "~"},         {"TMVG_OP", K::SignalGroup, "~"},
    {"PPV_OP", K::SignalGroup, "~"},        {"TR_OP", K::SignalGroup, "~"},
    {"VAA_OP", K::SignalGroup, "~"},        {"RWG_OP", K::SignalGroup, "~"},
    {"VRVG_OP", K::SignalGroup, "~"},       {"VVAG2e_OP", K::SignalGroup, "~"},
    {"VMVG_OP", K::SignalGroup, "~"},       {"PPB_OP", K::SignalGroup, "~"},
    {"RWR_OP", K::SignalGroup, "~"},        {"RVAG2e_OP", K::SignalGroup, "~"},
    {"PPA_OP", K::BlockedSignalGroup, "~"}, {"PPP_OP", K::BlockedSignalGroup, "~"},
    {"VNM_OP", K::BlockedSignalGroup, "~"}, {"BO_OP", K::Block, "~"},
};
constexpr CatalogueEntry kGroupTimes[] = {
    {"VG_TIJD", K::SignalGroup, "~"},        {"GG_TIJD", K::SignalGroup, "~"},
    {"GR_TIJD", K::SignalGroup, "~"},        {"GL_TIJD", K::SignalGroup, "~"},
    {"GGL_TIJD", K::SignalGroup, "~"},       {"inst_VG_TIJD", K::SignalGroup, "~~~"},
    {"inst_GG_TIJD", K::SignalGroup, "~~~"}, {"inst_GR_TIJD", K::SignalGroup, "~~~"},
    {"inst_GL_TIJD", K::SignalGroup, "~~~"}, {"inst_GGL_TIJD", K::SignalGroup, "~~~"},
};
constexpr CatalogueEntry kMaxGreen[] = {
    {"MG_TIJD", K::SignalGroup, "~"},          {"inst_MG_TIJD", K::SignalGroup, "~~~"},
    {"inst_MG_TIJD1", K::SignalGroup, "~~~"},  {"inst_MG_TIJD2", K::SignalGroup, "~~~"},
    {"inst_MG_TIJD3", K::SignalGroup, "~~~"},  {"inst_MG_TIJD4", K::SignalGroup, "~~~"},
    {"inst_MG_TIJD5", K::SignalGroup, "~~~"},  {"inst_MG_TIJD6", K::SignalGroup, "~~~"},
    {"inst_MG_TIJD7", K::SignalGroup, "~~~"},  {"inst_MG_TIJD8", K::SignalGroup, "~~~"},
    {"inst_MG_TIJD9", K::SignalGroup, "~~~"},  {"inst_MG_TIJD10", K::SignalGroup, "~~~"},
    {"inst_MG_TIJD11", K::SignalGroup, "~~~"}, {"inst_MG_TIJD12", K::SignalGroup, "~~~"},
};
constexpr CatalogueEntry kGapTimes[] = {
    {"B_TIJD", K::Detector, "~"},        {"H_TIJD", K::Detector, "~"},
    {"inst_H_TIJD", K::Detector, "~~"},  {"inst_H_TIJD1", K::Detector, "~~"},
    {"inst_H_TIJD2", K::Detector, "~~"},
};
constexpr CatalogueEntry kOtherTimes[] = {{"TIJD", K::Time, "~"}, {"inst_TIJD", K::Time, "~~~~"}};
constexpr CatalogueEntry kSwitches[] = {{"SCH", K::Switch, "~~"}};
constexpr CatalogueEntry kClocks[] = {
    {"KL", K::Clock, "~"}, {"inst_1e_KL", K::Clock, "~~~~~"}, {"inst_2e_KL", K::Clock, "~~~~~"}};
constexpr CatalogueEntry kExtraParameters[] = {{"inst_EPARM", K::ExtraParameter, "~~~~~"}};
constexpr CatalogueEntry kExtraIntegers[] = {{"inst_EGGPARM", K::ExtraIntegerParameter, "~~~~~"}};
constexpr CatalogueEntry kOtherSignals[] = {{"OVI", K::OtherInput, "~~~~~"},
                                            {"OVU", K::OtherOutput, "~~~~~"}};
constexpr CatalogueEntry kStandardAux[] = {
    {"PPAH", K::SignalGroup, "~"},    {"VNMH", K::SignalGroup, "~"}, {"WSRH", K::None, "~"},
    {"TO_PRIM", K::SignalGroup, "~"}, {"MAH4", K::PairNumber, "~"},  {"MAH5", K::PairNumber, "~"},
    {"MAH6", K::PairNumber, "~"},     {"MAH7", K::PairNumber, "~"},  {"RGAH", K::PairNumber, "~"},
};
constexpr CatalogueEntry kAux[] = {{"HF", K::AuxiliaryFunction, "~"}};
constexpr CatalogueEntry kCounters[] = {{"TL", K::Counter, "~~~"}};
constexpr CatalogueEntry kClearance[] = {{"O_TIJD", K::ConflictPair, "~"},
                                         {"GO_TIJD", K::ConflictPair, "~"},
                                         {"inst_O_TIJD", K::ConflictPair, "~~~"},
                                         {"inst_GO_TIJD", K::ConflictPair, "~~~"}};
constexpr CatalogueEntry kDetection[] = {
    {"DFOUT", K::Detector, "~~"},    {"DFOUT_BG", K::Detector, "~~"},
    {"DFOUT_OG", K::Detector, "~~"}, {"DFOUT_FG", K::Detector, "~~"},
    {"D", K::Detector, "~~"},        {"DVWD", K::SpeedDetector, "~~~~"}};
constexpr CatalogueEntry kOther[] = {
    {"ronde_teller", K::None, "~~"},  {"dagnummer", K::None, "~~"},
    {"maandnummer", K::None, "~~"},   {"jaarnummer", K::None, "~~~~"},
    {"datum", K::None, "~~~~~~~~~~"}, {"tijd", K::None, "~~~~~~~~~~"},
    {"dag", K::None, "~~~~~~~~~~"},   {"error", K::None, "~~"},
    {"err1", K::None, "~~"},          {"err2", K::None, "~~"},
    {"err3", K::None, "~~"},          {"versie", K::None, "~~"},
    {"REGSTAT", K::Programme, "~~"},
};

constexpr std::array<MacroGroup, 18> kGroups = {{
    {"signaalgroeptoestanden", 1, kStates},
    {"blokken", 1, kBlocks},
    {"opties", 1, kOptions},
    {"signaalgroepgebonden tijden", 1, kGroupTimes},
    {"(extra) maximumgroentijden", 1, kMaxGreen},
    {"bezet en (extra) hiaattijden", 1, kGapTimes},
    {"overige tijden", 1, kOtherTimes},
    {"schakelaars", 2, kSwitches},
    {"klokperioden", 2, kClocks},
    {"extra parameters", 2, kExtraParameters},
    {"extra geheel getal parameters", 2, kExtraIntegers},
    {"overige signalen", 2, kOtherSignals},
    {"standaard hulpfuncties", 1, kStandardAux},
    {"hulpfuncties", 2, kAux},
    {"tellers", 2, kCounters},
    {"ontruimingstijden", 1, kClearance},
    {"detectie (fouten)", 1, kDetection},
    {"overig", 1, kOther},
}};

constexpr std::string_view kBlocksGroup = "blokken";

// Macros that only make sense with blocks.
constexpr std::string_view kBlockMacros[] = {
    "PPV",    "VAA",    "VNM",    "BR",     "AR",     "PG",    "PPA",  "PPP",  "PR",      "PPV_OP",
    "VAA_OP", "PPB_OP", "PPA_OP", "PPP_OP", "VNM_OP", "BO_OP", "PPAH", "VNMH", "TO_PRIM",
};

bool isBlockMacro(std::string_view macro) {
    return std::find(std::begin(kBlockMacros), std::end(kBlockMacros), macro) !=
           std::end(kBlockMacros);
}

}  // namespace

std::span<const MacroGroup> macroGroups() {
    return kGroups;
}

KindColumns kindColumns(ElementKind kind) {
    switch (kind) {
        case K::None:
            return {"", "", 2};
        case K::SignalGroup:
            return {"Signaalgroepen", "", 3};
        case K::BlockedSignalGroup:
            return {"Signaalgroepen", "Blokken", 4};
        case K::Block:
            return {"Blokken", "", 3};
        case K::Time:
            return {"Tijden", "", 3};
        case K::Clock:
            return {"Klokken", "", 3};
        case K::ConflictPair:
            return {"Signaalgroepen", "Conflicterende SG", 4};
        case K::Detector:
            return {"Detectoren", "", 3};
        case K::PairNumber:
            return {"Signaalgroepen", "Paarnummers", 4};
        case K::Switch:
            return {"Schakelaars", "", 3};
        case K::ExtraParameter:
            return {"Extra parameters", "", 3};
        case K::AuxiliaryFunction:
            return {"Hulpfuncties", "", 3};
        case K::Counter:
            return {"Tellers", "", 3};
        case K::Programme:
            return {"Regelingen", "", 3};
        case K::ExtraIntegerParameter:
            return {"Extra geheel getal parameters", "", 3};
        case K::SpeedDetector:
            return {"Snelheidsdetectoren", "", 3};
        case K::OtherInput:
            return {"Overige ingangssignalen", "", 3};
        case K::OtherOutput:
            return {"Overige uitgangssignalen", "", 3};
    }
    return {"", "", 3};
}

std::vector<std::string_view> groupList(bool noBlocks) {
    std::vector<std::string_view> names;
    for (const MacroGroup& group : kGroups) {
        if (!(noBlocks && group.name == kBlocksGroup)) {
            names.push_back(group.name);
        }
    }
    return names;
}

std::vector<std::string_view> macroList(std::string_view groupName, bool noBlocks) {
    std::vector<std::string_view> macros;
    for (const MacroGroup& group : kGroups) {
        if (group.name != groupName) {
            continue;
        }
        for (const CatalogueEntry& entry : group.entries) {
            if (entry.macro.empty()) {
                continue;
            }
            if (group.groupKind == 1) {
                if (!noBlocks && entry.macro == "BRT") {
                    continue;
                }
                if (noBlocks && isBlockMacro(entry.macro)) {
                    continue;
                }
            }
            macros.push_back(entry.macro);
        }
        break;
    }
    return macros;
}

std::optional<CatalogueHit> findEntry(std::string_view groupName, std::string_view macroName) {
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        if (kGroups[g].name != groupName) {
            continue;
        }
        for (std::size_t m = 0; m < kGroups[g].entries.size(); ++m) {
            if (kGroups[g].entries[m].macro == macroName) {
                return CatalogueHit{g, m, &kGroups[g].entries[m]};
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

BlockRecordType blockRecordType(std::string_view macro) {
    if (macro == "AR" || macro == "PPA" || macro == "PPA_OP" || macro == "VNM_OP") {
        return BlockRecordType::Alt;
    }
    if (macro == "PG" || macro == "PPP" || macro == "PR" || macro == "PPP_OP") {
        return BlockRecordType::Prim;
    }
    return BlockRecordType::None;
}

}  // namespace pendrel
