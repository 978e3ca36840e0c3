// Categories with a layout of their own.
#include "pendrel/generator/writers_misc.h"

#include <algorithm>
#include <span>
#include <string>

#include "pendrel/generator/page_layout.h"
#include "pendrel/project/source_text.h"

namespace pendrel {
namespace {

// A value of a row of a two-half page.
struct HalfColumn {
    std::string_view heading;
    int headingOffset;
    int markerOffset;
    std::string_view marker;
    std::string_view definition;
};

// Pages of rows in two halves of `half`; each row shows its names (one or
// two) and a value per column, each column defining in a block of its own.
struct HalvesLayout {
    std::string_view title;
    std::string_view note;
    std::span<const HalfColumn> columns;
    std::size_t half = 15;
    std::size_t nameWidth = 16;
};

using NameRow = std::vector<std::string>;

std::vector<Page> writeHalves(const std::vector<NameRow>& rows, const HalvesLayout& layout) {
    return paginate(rows.size(), 2 * layout.half, [&](std::size_t first, std::size_t count) {
        PageBuilder b(layout.columns.size());
        b.text(kTitleColumn, kTitleRow, layout.title);
        if (!layout.note.empty()) {
            b.text(kTitleColumn, kTitleRow + 1, layout.note);
        }
        for (std::size_t part = 0; part < (count > layout.half ? 2u : 1u); ++part) {
            int base = part == 0 ? 0 : kRightHalfColumn + 1;
            for (const HalfColumn& column : layout.columns) {
                b.text(base + column.headingOffset, kHeadingRow, column.heading);
            }
        }
        for (std::size_t k = 0; k < count; ++k) {
            const NameRow& names = rows[first + k];
            int base = k < layout.half ? 0 : kRightHalfColumn + 1;
            int row = kFirstValueRow + static_cast<int>(k % layout.half);
            int column = base;
            for (const std::string& name : names) {
                b.text(column, row, fit(name, layout.nameWidth));
                column += static_cast<int>(layout.nameWidth) + 1;
            }
            std::string_view second = names.size() > 1 ? std::string_view(names[1]) : "";
            for (std::size_t c = 0; c < layout.columns.size(); ++c) {
                b.value(base + layout.columns[c].markerOffset, row, layout.columns[c].marker, c,
                        layout.columns[c].definition, {names[0], second});
            }
        }
        return b.take();
    });
}

std::vector<NameRow> singleNames(const std::vector<std::string>& names) {
    std::vector<NameRow> rows;
    for (const std::string& name : names) {
        rows.push_back({name});
    }
    return rows;
}

std::vector<NameRow> conflictRows(const ProjectData& data) {
    std::vector<NameRow> rows;
    for (const Conflict& conflict : data.conflicts) {
        rows.push_back({conflict.signalGroup, conflict.conflicting});
    }
    return rows;
}

constexpr HalfColumn kTimes[] = {
    {"lopen", 17, 18, "~%02d", "%02d       TIJD   %s"},
    {"inst.", 24, 24, "~~~~%02d", "%02d  inst_TIJD   %s"},
};
constexpr HalfColumn kClearanceSettings[] = {
    {"O_TIJD", 16, 16, "~~~%02d", "%02d  inst_O_TIJD   %s    %s"},
    {"GO_TIJD", 24, 25, "~~~%02d", "%02d  inst_GO_TIJD   %s    %s"},
};
constexpr HalfColumn kRunningClearance[] = {
    {"O_TIJD", 16, 16, "~%02d", "%02d  O_TIJD     %s    %s"},
    {"GO_TIJD", 24, 25, "~%02d", "%02d  GO_TIJD     %s    %s"},
};

}  // namespace

std::vector<Page> writeOtherTimes(const ProjectData& data) {
    HalvesLayout layout{"Lopen en instellingen TIJDEN", kTimesNote, kTimes};
    return writeHalves(singleNames(data.times), layout);
}

std::vector<Page> writeClearanceSettings(const ProjectData& data) {
    HalvesLayout layout{"Instellingen (G)O_TIJDEN", kTimesNote, kClearanceSettings};
    layout.nameWidth = 7;
    return writeHalves(conflictRows(data), layout);
}

std::vector<Page> writeRunningClearance(const ProjectData& data) {
    HalvesLayout layout{"Lopen (G)O_TIJDEN", {}, kRunningClearance};
    layout.nameWidth = 7;
    return writeHalves(conflictRows(data), layout);
}

std::vector<Page> writeClockPeriods(const ProjectData& data) {
    // The first file opens with the fixed system lines and holds 10 clock
    // periods; later files hold 15.
    constexpr std::size_t kFirst = 10;
    constexpr std::size_t kLater = 15;
    constexpr std::size_t kMaxClocks = 48;
    std::size_t total = std::min(data.clocks.size(), kMaxClocks);
    std::vector<Page> pages;
    std::size_t first = 0;
    do {
        bool opening = pages.empty();
        std::size_t count = std::min(opening ? kFirst : kLater, total - first);
        PageBuilder b(4);
        b.text(kTitleColumn, kTitleRow, "Klokperioden");
        int headingRow = kHeadingRow;
        if (opening) {
            b.text(0, 3, "Systeemtijd   :");
            b.text(0, 4, "Datum         :");
            b.text(0, 5, "Dag           :");
            b.text(0, 6, "Versie BS     :");
            b.text(0, 7, "Rondeteller   :");
            b.marker(17, 3, "~~~~~~~~~~01");
            b.marker(17, 4, "~~02~~03~~~~04");
            b.text(31, 4, "(dd mm jjjj)");
            b.marker(17, 5, "~~~~~~~~~~05");
            b.text(31, 5, "(zondag=0)");
            b.marker(17, 6, "~~06");
            b.marker(17, 7, "~~07");
            b.text(31, 7, "(r/s)");
            for (std::string_view line :
                 {"01  tijd", "02  dagnummer", "03  maandnummer", "04  jaarnummer", "05  dag",
                  "06  versie", "07  ronde_teller"}) {
                b.define(0, std::string(line));
            }
            b.skipRanks(7);
            headingRow = 9;
        }
        b.text(0, headingRow, "Klok");
        b.text(20, headingRow, "Begin");
        b.text(30, headingRow, "Einde");
        for (std::size_t k = 0; k < count; ++k) {
            const std::string& clock = data.clocks[first + k];
            int row = headingRow + 2 + static_cast<int>(k);
            b.text(0, row, fit(clock, 13));
            b.value(14, row, "~%02d", 1, "%02d  KL           %s", {clock});
            b.value(20, row, "~~~~~%02d", 2, "%02d  inst_1e_KL   %s", {clock});
            b.value(30, row, "~~~~~%02d", 3, "%02d  inst_2e_KL   %s", {clock});
        }
        pages.push_back(b.take());
        first += count;
    } while (first < total);
    return pages;
}

std::vector<Page> writeInternalStates(const ProjectData& data) {
    constexpr std::size_t kRowsPerColumn = 16;
    constexpr std::size_t kPageSize = 48;
    return paginate(
        data.signalGroups.size(), kPageSize, [&](std::size_t first, std::size_t count) {
            PageBuilder b(2);
            b.text(kTitleColumn, kTitleRow, "Interne signaalgroeptoestanden");
            for (std::size_t part = 0; part * kRowsPerColumn < std::max<std::size_t>(count, 1);
                 ++part) {
                int base = static_cast<int>(part) * 20;
                b.text(base + 9, kHeadingRow, "A");
                b.text(base + 14, kHeadingRow, "IT");
            }
            for (std::size_t k = 0; k < count; ++k) {
                const std::string& group = data.signalGroups[first + k];
                int base = static_cast<int>(k / kRowsPerColumn) * 20;
                int row = kFirstValueRow + static_cast<int>(k % kRowsPerColumn);
                b.text(base, row, fit(group, 8));
                b.value(base + 9, row, "~%02d", 0, "%02d  A    %s", {group});
                b.value(base + 14, row, "~%02d", 1, "%02d  interne_toestand    %s", {group});
            }
            constexpr std::string_view kLegend[] = {" 0  GL   ", "10  WR   ", "12  ROG  ",
                                                    "14  RVG  ", "21  VG   ", "22  VAG1e",
                                                    "23  WG   ", "24  VAG2e", "25  MVG  "};
            b.text(62, kHeadingRow, "Legenda");
            b.text(62, kFirstValueRow, "IT  Toestand");
            for (std::size_t i = 0; i < std::size(kLegend); ++i) {
                b.text(62, kFirstValueRow + 1 + static_cast<int>(i), kLegend[i]);
            }
            return b.take();
        });
}

std::vector<Page> writeOtherGroupOptions(const ProjectData& data) {
    constexpr std::size_t kHalf = 15;
    return paginate(
        data.signalGroups.size(), 2 * kHalf, [&](std::size_t first, std::size_t count) {
            PageBuilder b(3);
            b.text(kTitleColumn, kTitleRow, "Overige signaalgroep opties");
            b.text(0, 21, "WSRH  :");
            b.marker(8, 21, "~01");
            // The fixed definition carries its own line break before it: an
            // empty line more than every other block starts with.
            b.define(0, "\n01  WSRH          0");
            b.skipRanks(1);
            for (std::size_t part = 0; part < (count > kHalf ? 2u : 1u); ++part) {
                b.text(static_cast<int>(part) * (kRightHalfColumn + 1) + 10, kHeadingRow,
                       "TO_PRIM");
            }
            for (std::size_t k = 0; k < count; ++k) {
                const std::string& group = data.signalGroups[first + k];
                int base = k < kHalf ? 0 : kRightHalfColumn + 1;
                int row = kFirstValueRow + static_cast<int>(k % kHalf);
                b.text(base, row, fit(group, 8));
                b.value(base + 10, row, "~%02d", k < kHalf ? 1 : 2, "%02d  TO_PRIM  %s", {group});
            }
            return b.take();
        });
}

std::vector<Page> writeProgrammeStates(const ProjectData& data) {
    constexpr std::size_t kMaxProgrammes = 10;
    PageBuilder b(1);
    b.text(kTitleColumn, kTitleRow, "Status regelingen");
    b.text(0, kHeadingRow, "Regeling");
    b.text(12, kHeadingRow, "Status");
    std::size_t count = std::min(data.programmes.size(), kMaxProgrammes);
    for (std::size_t k = 0; k < count; ++k) {
        const std::string& programme = data.programmes[k];
        int number = leadingNumber(programme);
        if (number > 4000) {
            number %= 1000;
        }
        int row = kFirstValueRow + static_cast<int>(k);
        b.text(0, row, fit(programme, 10));
        b.value(12, row, "~%02d", 0, "%02d   REGSTAT   %d", {std::to_string(number)});
    }
    b.text(40, kHeadingRow, "Legenda");
    b.text(40, kFirstValueRow, "Status");
    b.text(50, kFirstValueRow, "Toestand");
    constexpr std::string_view kStates[] = {"Onbekend", "Niet regelen", "Regelen"};
    for (int i = 0; i < 3; ++i) {
        b.text(40, kFirstValueRow + 1 + i, std::to_string(i));
        b.text(50, kFirstValueRow + 1 + i, kStates[i]);
    }
    std::vector<Page> pages;
    pages.push_back(b.take());
    return pages;
}

}  // namespace pendrel
