// Categories that list names in one or two halves, one value per name.
#include "pendrel/generator/writers_lists.h"

#include <string>

#include "pendrel/generator/page_layout.h"

namespace pendrel {
namespace {

// The layout of the counters page, which the other name lists follow: block
// 0 is kept for fixed lines, the left half defines in block 1, the right half
// in block 2.
struct ListLayout {
    std::string_view title;
    int titleRow = kTitleRow;
    std::string_view note;
    std::string_view heading;
    int firstRow = kFirstValueRow;
    std::size_t half = 15;
    std::size_t nameWidth = 20;
    int markerOffset = 21;
    std::string_view marker;
    std::string_view definition;
};

std::vector<Page> writeList(const std::vector<std::string>& names, const ListLayout& layout) {
    return paginate(names.size(), layout.half * 2, [&](std::size_t first, std::size_t count) {
        PageBuilder b(3);
        b.text(kTitleColumn, layout.titleRow, layout.title);
        if (!layout.note.empty()) {
            b.text(kTitleColumn, layout.titleRow + 1, layout.note);
        }
        if (!layout.heading.empty()) {
            b.text(0, kHeadingRow, layout.heading);
            if (count > layout.half) {
                b.text(kRightHalfColumn, kHeadingRow, layout.heading);
            }
        }
        for (std::size_t k = 0; k < count; ++k) {
            bool right = k >= layout.half;
            int base = right ? kRightHalfColumn : 0;
            int row = layout.firstRow + static_cast<int>(right ? k - layout.half : k);
            const std::string& name = names[first + k];
            b.text(base, row, fit(name, layout.nameWidth));
            b.value(base + layout.markerOffset, row, layout.marker, right ? 2 : 1,
                    layout.definition, {name});
        }
        return b.take();
    });
}

}  // namespace

std::vector<Page> writeCounters(const ProjectData& data) {
    ListLayout layout;
    layout.title = "Tellers";
    layout.heading = "TL";
    layout.marker = "~~~~%02d";
    layout.definition = "%02d  TL   %s";
    return writeList(data.counters, layout);
}

std::vector<Page> writeAuxiliaryFunctions(const ProjectData& data) {
    ListLayout layout;
    layout.title = "Hulpfuncties";
    layout.heading = "HF";
    layout.marker = "~%02d";
    layout.definition = "%02d  HF   %s";
    return writeList(data.auxiliaryFunctions, layout);
}

std::vector<Page> writeSwitches(const ProjectData& data) {
    ListLayout layout;
    layout.title = "Schakelaars";
    layout.heading = "Schakelaar";
    layout.marker = "~~%02d";
    layout.definition = "%02d  SCH   %s";
    return writeList(data.switches, layout);
}

std::vector<Page> writeExtraParameters(const ProjectData& data) {
    // 21 rows a half leave no room for headings: title and note stand above.
    ListLayout layout;
    layout.title = "Instellingen extra parameters";
    layout.titleRow = 0;
    layout.note = "De weergegeven waarden zijn 10* groter dan de absolute waarden";
    layout.firstRow = 3;
    layout.half = 21;
    layout.nameWidth = 23;
    layout.markerOffset = 24;
    layout.marker = "~~~~~%02d";
    layout.definition = "%02d  inst_EPARM   %s";
    return writeList(data.extraParameters, layout);
}

std::vector<Page> writeExtraIntegerParameters(const ProjectData& data) {
    ListLayout layout;
    layout.title = "Instellingen extra geheel getal parameters";
    layout.titleRow = 0;
    layout.firstRow = 2;
    layout.half = 22;
    layout.nameWidth = 23;
    layout.markerOffset = 24;
    layout.marker = "~~~~~%02d";
    layout.definition = "%02d  inst_EGGPARM   %s";
    return writeList(data.extraIntegerParameters, layout);
}

std::vector<Page> writeOtherInputs(const ProjectData& data) {
    ListLayout layout;
    layout.title = "Overige ingangssignalen";
    layout.heading = "OVI";
    layout.marker = "~~~~~%02d";
    layout.definition = "%02d  OVI   %s";
    return writeList(data.otherInputs, layout);
}

std::vector<Page> writeOtherOutputs(const ProjectData& data) {
    ListLayout layout;
    layout.title = "Overige uitgangssignalen";
    layout.heading = "OVU";
    layout.marker = "~~~~~%02d";
    layout.definition = "%02d  OVU   %s";
    return writeList(data.otherOutputs, layout);
}

std::vector<Page> writeCouplings(const ProjectData& data) {
    // Incoming signals on the left, outgoing on the right, 15 of each a page.
    constexpr std::size_t kHalf = 15;
    constexpr std::size_t kMaxPerDirection = 128;
    std::vector<std::string> incoming;
    std::vector<std::string> outgoing;
    for (const Coupling& coupling : data.couplings) {
        std::vector<std::string>& list = coupling.incoming ? incoming : outgoing;
        if (list.size() < kMaxPerDirection) {
            list.push_back(coupling.name);
        }
    }
    std::size_t rows = std::max(incoming.size(), outgoing.size());
    return paginate(rows, kHalf, [&](std::size_t first, std::size_t count) {
        PageBuilder b(3);
        b.text(kTitleColumn, kTitleRow, "Hulpfuncties van de koppelsignalen");
        b.text(0, kHeadingRow, "INKOMEND");
        b.text(kRightHalfColumn, kHeadingRow, "UITGAAND");
        for (int side = 0; side < 2; ++side) {
            const std::vector<std::string>& list = side == 0 ? incoming : outgoing;
            int base = side == 0 ? 0 : kRightHalfColumn;
            for (std::size_t k = 0; k < count && first + k < list.size(); ++k) {
                int row = kFirstValueRow + static_cast<int>(k);
                b.text(base, row, fit(list[first + k], 20));
                b.value(base + 20, row, " ~%02d", static_cast<std::size_t>(side + 1),
                        "%02d  HF   %s", {list[first + k]});
            }
        }
        return b.take();
    });
}

}  // namespace pendrel
