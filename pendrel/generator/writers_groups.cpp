// Categories of one row per signal group with a value column per macro.
#include "pendrel/generator/writers_groups.h"

#include <algorithm>

#include "pendrel/generator/grid.h"
#include "pendrel/generator/page_layout.h"

namespace pendrel {
namespace {

constexpr GridColumn kStateColumns[] = {
    {"WR", 9, 8, "~%02d", "%02d  WR     %s"},      {"ROG", 14, 14, "~%02d", "%02d  ROG    %s"},
    {"RVG", 20, 20, "~%02d", "%02d  RVG    %s"},   {"VG", 27, 26, "~%02d", "%02d  VG     %s"},
    {"VAG1e", 32, 33, "~%02d", "%02d  VAG1e  %s"}, {"WG", 42, 41, "~%02d", "%02d  WG     %s"},
    {"VAG2e", 47, 48, "~%02d", "%02d  VAG2e  %s"}, {"MVG", 55, 55, "~%02d", "%02d  MVG    %s"},
    {"GL", 63, 62, "~%02d", "%02d  GL     %s"},
};

constexpr GridColumn kRealisation[] = {
    {"A", 10, 10, "~%02d", "%02d  A      %s"},
    {"SR", 15, 15, "~%02d", "%02d  SR     %s"},
    {"G", 20, 20, "~%02d", "%02d  G      %s"},
};

constexpr GridColumn kOptionColumns[] = {
    {"MA", 10, 10, "~%02d", "%02d  MA_OP     %s"},
    {"PPP", 16, 16, "~%02d", "%02d  PPP_OP    %s  %s", BlockMark::Prim},
    {"TR", 22, 22, "~%02d", "%02d  TR_OP     %s"},
    {"AFK", 28, 28, "~%02d", "%02d  AFK_OP    %s"},
    {"BL", 34, 34, "~%02d", "%02d  BL_OP     %s"},
    {"RWG", 40, 40, "~%02d", "%02d  RWG_OP   %s"},
    {"RWR", 46, 46, "~%02d", "%02d  RWR_OP    %s"},
    {"RVAG2e", 52, 52, "~%02d", "%02d  RVAG2e_OP  %s"},
    {"VMVG", 58, 58, "~%02d", "%02d  VMVG_OP   %s"},
    {"VVAG2e", 64, 64, "~%02d", "%02d  VVAG2e_OP  %s"},
    {"VRVG", 70, 70, "~%02d", "%02d  VRVG_OP   %s"},
    {"TMVG", 76, 76, "~%02d", "%02d  TMVG_OP   %s"},
};

constexpr GridColumn kTimeSettings[] = {
    {"VG", 10, 10, "~~~%02d", "%02d  inst_VG_TIJD   %s"},
    {"GG", 18, 18, "~~~%02d", "%02d  inst_GG_TIJD   %s"},
    {"MG", 26, 26, "~~~%02d", "%02d  inst_MG_TIJD   %s"},
    {"GGL", 34, 34, "~~~%02d", "%02d  inst_GGL_TIJD   %s"},
    {"GL", 42, 42, "~~~%02d", "%02d  inst_GL_TIJD   %s"},
    {"GR", 50, 50, "~~~%02d", "%02d  inst_GR_TIJD   %s"},
};

constexpr GridColumn kRunningTimes[] = {
    {"VG", 12, 10, "  ~%02d", "%02d  VG_TIJD   %s"},
    {"GG", 20, 18, "  ~%02d", "%02d  GG_TIJD   %s"},
    {"MG", 28, 26, "  ~%02d", "%02d  MG_TIJD   %s"},
    {"GGL", 36, 34, "  ~%02d", "%02d  GGL_TIJD   %s"},
    {"GL", 44, 42, "  ~%02d", "%02d  GL_TIJD   %s"},
    {"GR", 52, 50, "  ~%02d", "%02d  GR_TIJD   %s"},
};

constexpr GridColumn kMaxGreenColumns[] = {
    {"Actieve", 10, 10, "~~~%02d", "%02d  inst_MG_TIJD   %s"},
    {"MG1", 19, 19, "~~~%02d", "%02d  inst_MG_TIJD1  %s"},
    {"MG2", 26, 26, "~~~%02d", "%02d  inst_MG_TIJD2  %s"},
    {"MG3", 33, 33, "~~~%02d", "%02d  inst_MG_TIJD3  %s"},
    {"MG4", 40, 40, "~~~%02d", "%02d  inst_MG_TIJD4  %s"},
    {"MG5", 47, 47, "~~~%02d", "%02d  inst_MG_TIJD5  %s"},
    {"MG6", 54, 54, "~~~%02d", "%02d  inst_MG_TIJD6  %s"},
};

constexpr GridColumn kExtraMaxGreen[] = {
    {"Actieve", 10, 10, "~~~%02d", "%02d  inst_MG_TIJD   %s"},
    {"MG7", 19, 19, "~~~%02d", "%02d  inst_MG_TIJD7  %s"},
    {"MG8", 26, 26, "~~~%02d", "%02d  inst_MG_TIJD8  %s"},
    {"MG9", 33, 33, "~~~%02d", "%02d  inst_MG_TIJD9  %s"},
    {"MG10", 40, 40, "~~~%02d", "%02d  inst_MG_TIJD10  %s"},
    {"MG11", 47, 47, "~~~%02d", "%02d  inst_MG_TIJD11  %s"},
    {"MG12", 54, 54, "~~~%02d", "%02d  inst_MG_TIJD12  %s"},
};

constexpr GridColumn kOptionVariables[] = {
    {"AFK", 10, 10, "~%02d", "%02d  AFK   %s"}, {"BL", 16, 16, "~%02d", "%02d  BL  %s"},
    {"DA", 22, 22, "~%02d", "%02d  DA  %s"},    {"BA", 28, 28, "~%02d", "%02d  BA  %s"},
    {"MA", 34, 34, "~%02d", "%02d  MA  %s"},    {"PPV", 40, 40, "~%02d", "%02d  PPV  %s"},
    {"TR", 46, 46, "~%02d", "%02d  TR  %s"},    {"VAA", 52, 52, "~%02d", "%02d  VAA  %s"},
    {"VNM", 58, 58, "~%02d", "%02d  VNM  %s"},  {"BR", 64, 64, "~%02d", "%02d  BR  %s"},
};

constexpr GridColumn kOtherOptions[] = {
    {"PPV", 10, 10, "~%02d", "%02d  PPV_OP   %s"},
    {"VAA", 15, 15, "~%02d", "%02d  VAA_OP  %s"},
    {"PPB", 20, 20, "~%02d", "%02d  PPB_OP  %s"},
    {"PPA", 25, 25, "~%02d(%s)", "%02d  PPA_OP  %s  %s", BlockMark::Alt, true},
    {"VNM", 45, 45, "~%02d(%s)", "%02d  VNM_OP  %s  %s", BlockMark::Alt, true},
};

const MaxGreenRow* rowOf(const std::vector<MaxGreenRow>& rows, const std::string& group) {
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const MaxGreenRow& r) { return r.signalGroup == group; });
    return it == rows.end() ? nullptr : &*it;
}

// Whether setting `index` (from 0) of `group`'s row of `rows` holds a value.
bool settingSet(const std::vector<MaxGreenRow>& rows, const std::string& group,
                std::size_t index) {
    const MaxGreenRow* row = rowOf(rows, group);
    return row != nullptr && index < row->isSet.size() && row->isSet[index];
}

}  // namespace

std::vector<Page> writeSignalGroupStates(const ProjectData& data) {
    GridLayout layout{"Signaalgroeptoestanden", {}, kStateColumns};
    layout.pageSize = layout.rowsPerPart = 10;
    return writeGrid(data, data.signalGroups, layout);
}

std::vector<Page> writeRealisation(const ProjectData& data) {
    GridLayout layout{"Realisatie signaalgroepen", {}, kRealisation};
    layout.pageSize = 32;
    layout.rowsPerPart = 16;
    return writeGrid(data, data.signalGroups, layout);
}

std::vector<Page> writeSignalGroupOptions(const ProjectData& data) {
    // Without blocks there is no PPP_OP; with it, 9 groups of 12 values would
    // need rank numbers beyond 99, so a page then holds 8 groups.
    std::vector<GridColumn> columns(std::begin(kOptionColumns), std::end(kOptionColumns));
    if (data.noBlocks) {
        columns.erase(columns.begin() + 1);
    }
    GridLayout layout{"Signaalgroep opties", {}, columns};
    layout.pageSize = layout.rowsPerPart = data.noBlocks ? 9 : 8;
    layout.headingsOnTwoRows = true;
    return writeGrid(data, data.signalGroups, layout);
}

std::vector<Page> writeTimeSettings(const ProjectData& data) {
    GridLayout layout{"Instellingen van tijden bij de signaalgroepprocedure", kTimesNote,
                      kTimeSettings};
    return writeGrid(data, data.sgTimeGroups, layout);
}

std::vector<Page> writeRunningTimes(const ProjectData& data) {
    GridLayout layout{"Lopen van tijden bij de signaalgroepprocedure", {}, kRunningTimes};
    return writeGrid(data, data.sgTimeGroups, layout);
}

std::vector<Page> writeMaxGreen(const ProjectData& data) {
    // The active maximum green always; MG1..MG3 are fields 3 to 5 of the
    // maximum green table, MG4..MG6 the extra table: shown only where set.
    std::vector<std::string> groups;
    for (const MaxGreenRow& row : data.maxGreen) {
        groups.push_back(row.signalGroup);
    }
    GridLayout layout{"Instellingen MG_TIJDEN", kTimesNote, kMaxGreenColumns};
    layout.pageSize = layout.rowsPerPart = 12;
    layout.present = [&](std::size_t index, std::size_t column) {
        if (column == 0) {
            return true;
        }
        if (column <= 3) {
            return settingSet(data.maxGreen, groups[index], column);
        }
        return settingSet(data.extraMaxGreen[0], groups[index], column - 4);
    };
    return writeGrid(data, groups, layout);
}

std::vector<Page> writeExtraMaxGreen(const ProjectData& data) {
    std::vector<std::string> groups;
    for (std::size_t table : {1u, 2u}) {
        for (const MaxGreenRow& row : data.extraMaxGreen[table]) {
            if (std::find(groups.begin(), groups.end(), row.signalGroup) == groups.end()) {
                groups.push_back(row.signalGroup);
            }
        }
    }
    GridLayout layout{"Extra instellingen MG_TIJDEN", kTimesNote, kExtraMaxGreen};
    layout.pageSize = layout.rowsPerPart = 12;
    layout.present = [&](std::size_t index, std::size_t column) {
        if (column == 0) {
            return true;
        }
        std::size_t table = column <= 3 ? 1 : 2;
        return settingSet(data.extraMaxGreen[table], groups[index], (column - 1) % 3);
    };
    return writeGrid(data, groups, layout);
}

std::vector<Page> writeOptionVariables(const ProjectData& data) {
    GridLayout layout{"Variabelen behorende bij een optie", {}, kOptionVariables};
    layout.pageSize = layout.rowsPerPart = 9;
    return writeGrid(data, data.signalGroups, layout);
}

std::vector<Page> writeOtherOptions(const ProjectData& data) {
    GridLayout layout{"Overige opties", {}, kOtherOptions};
    layout.pageSize = layout.rowsPerPart = 15;
    return writeGrid(data, data.signalGroups, layout);
}

}  // namespace pendrel
