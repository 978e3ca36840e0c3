// The detection category: the detectors of each signal group.
#include "pendrel/generator/writers_detection.h"

#include <algorithm>
#include <string>

#include "pendrel/generator/page_layout.h"

namespace pendrel {
namespace {

struct DetectionColumn {
    std::string_view heading;  // empty: shares the heading before it
    int column;
    std::string_view marker;
    std::string_view definition;
};

// Screen order follows the headings; each macro defines in a block of its own
// in the order of the definition list.
struct Placed {
    DetectionColumn column;
    std::size_t block;
};

constexpr Placed kColumns[] = {
    {{"D", 9, " ~~%02d", "%02d  D   %s"}, 0},
    {{"DV", 14, " ~~~~%02d", "%02d  DVWD   %s"}, 1},
    {{"Bzt", 24, " ~%02d", "%02d  B_TIJD   %s"}, 2},
    {{"", 28, " ~~~%02d", "%02d  inst_B_TIJD   %s"}, 4},
    {{"Hi", 34, " ~%02d", "%02d  H_TIJD   %s"}, 3},
    {{"DFT", 38, " ~~%02d", "%02d  DFOUT   %s"}, 8},
    {{"OG", 43, " ~~%02d", "%02d  DFOUT_OG   %s"}, 10},
    {{"BG", 48, " ~~%02d", "%02d  DFOUT_BG   %s"}, 9},
    {{"FG", 53, " ~~%02d", "%02d  DFOUT_FG   %s"}, 11},
    {{"HiAct", 58, " ~~~%02d", "%02d  inst_H_TIJD   %s"}, 5},
    {{"Hiaat", 64, " ~~~%02d", "%02d  inst_H_TIJD1   %s"}, 6},
    {{"HiaatEx", 70, " ~~~%02d", "%02d  inst_H_TIJD2   %s"}, 7},
};
constexpr std::size_t kPageBlocks = 12;
constexpr std::size_t kGroupsPerPage = 9;
// 12 values a detector: 8 detectors keep the rank numbers within 99.
constexpr std::size_t kDetectorsPerPage = 8;

struct Group {
    std::string name;
    std::vector<const Detector*> detectors;
};

std::vector<Group> groupDetectors(const ProjectData& data) {
    std::vector<Group> groups;
    for (const Detector& detector : data.detectors) {
        auto it = std::find_if(groups.begin(), groups.end(),
                               [&](const Group& g) { return g.name == detector.signalGroup; });
        if (it == groups.end()) {
            groups.push_back({detector.signalGroup, {}});
            it = groups.end() - 1;
        }
        it->detectors.push_back(&detector);
    }
    return groups;
}

}  // namespace

std::vector<Page> writeDetection(const ProjectData& data) {
    // Split the groups into page-sized pieces; a group with more detectors
    // than a page holds continues on the next.
    std::vector<std::vector<Group>> pages(1);
    std::size_t onPage = 0;
    for (const Group& group : groupDetectors(data)) {
        std::size_t next = 0;
        while (next < group.detectors.size()) {
            bool full = pages.back().size() == kGroupsPerPage || onPage == kDetectorsPerPage;
            bool splits = onPage + (group.detectors.size() - next) > kDetectorsPerPage;
            if (full || (splits && onPage > 0 && next == 0)) {
                pages.emplace_back();
                onPage = 0;
            }
            std::size_t take = std::min(group.detectors.size() - next, kDetectorsPerPage - onPage);
            Group piece{group.name, {}};
            piece.detectors.assign(
                group.detectors.begin() + static_cast<std::ptrdiff_t>(next),
                group.detectors.begin() + static_cast<std::ptrdiff_t>(next + take));
            pages.back().push_back(std::move(piece));
            onPage += take;
            next += take;
        }
    }
    std::vector<Page> out;
    for (const std::vector<Group>& groups : pages) {
        PageBuilder b(kPageBlocks);
        b.text(kTitleColumn, kTitleRow, "DETECTIE EN -TIJDEN (FOUTEN)");
        for (const Placed& placed : kColumns) {
            b.text(placed.column.column + 1, kHeadingRow, placed.column.heading);
        }
        int row = kFirstValueRow;
        for (const Group& group : groups) {
            b.text(0, row++, group.name);
            for (const Detector* detector : group.detectors) {
                b.text(1, row, fit(detector->name, 8));
                for (const Placed& placed : kColumns) {
                    b.value(placed.column.column, row, placed.column.marker, placed.block,
                            placed.column.definition, {detector->name});
                }
                ++row;
            }
        }
        out.push_back(b.take());
    }
    return out;
}

}  // namespace pendrel
