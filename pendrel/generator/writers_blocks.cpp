// Categories built on the blocks table and the pair list.
#include "pendrel/generator/writers_blocks.h"

#include <algorithm>
#include <string>

#include "pendrel/generator/page_layout.h"

namespace pendrel {
namespace {

constexpr int kMaxRank = 99;

// One row of the block realisation page: a block heading or a block entry.
struct BlockRow {
    const Block* block;
    const BlockEntry* entry;  // null for the heading
};

int valuesOf(const BlockRow& row) {
    if (row.entry == nullptr) {
        return 2;
    }
    return row.entry->mark == BlockMark::Prim ? 4 : row.entry->mark == BlockMark::Alt ? 3 : 2;
}

constexpr int kRowsPerHalf = 16;
enum BlockRealisationBlock { kBlok, kBoOp, kA, kG, kPg, kPr, kAr, kBlockCount };

void writeBlockRow(PageBuilder& b, const BlockRow& row, int base, int line,
                   std::vector<std::string>& shownGroups) {
    const std::string& blockName = row.block->name;
    if (row.entry == nullptr) {
        b.text(base, line, "BLOK(" + blockName + ")");
        b.value(base + 12, line, "~%02d", kBlok, "%02d  BLOK %s", {blockName});
        b.value(base + 17, line, "~%02d", kBoOp, "%02d  BO_OP %s", {blockName});
        return;
    }
    const BlockEntry& entry = *row.entry;
    const std::string& group = entry.signalGroup;
    b.text(base + 1, line, fit(group, 10));
    // A and G belong to the signal group, not to the block: a group in two
    // blocks shows them once a page, or the debugger would see them twice.
    bool first = std::find(shownGroups.begin(), shownGroups.end(), group) == shownGroups.end();
    if (first) {
        shownGroups.push_back(group);
        b.value(base + 12, line, "~%02d", kA, "%02d  A    %s", {group});
    }
    if (entry.mark == BlockMark::Prim) {
        b.value(base + 17, line, "~%02d", kPg, "%02d  PG   %s  %s", {group, blockName});
        b.value(base + 22, line, "~%02d", kPr, "%02d  PR   %s  %s", {group, blockName});
    }
    if (first) {
        b.value(base + 27, line, "~%02d", kG, "%02d  G    %s", {group});
    }
    if (entry.mark == BlockMark::Alt) {
        b.value(base + 32, line, "~%02d", kAr, "%02d  AR   %s  %s", {group, blockName});
    }
}

}  // namespace

std::vector<Page> writeBlockRealisation(const ProjectData& data) {
    std::vector<BlockRow> rows;
    for (const Block& block : data.blocks) {
        rows.push_back({&block, nullptr});
        for (const BlockEntry& entry : block.entries) {
            rows.push_back({&block, &entry});
        }
    }
    std::vector<Page> pages;
    std::size_t next = 0;
    do {
        PageBuilder b(kBlockCount);
        b.text(kTitleColumn, kTitleRow, "Realisatie signaalgroepen");
        std::vector<std::string> shownGroups;
        int used = 0;
        int ranks = 0;
        while (next < rows.size() && used < 2 * kRowsPerHalf &&
               ranks + valuesOf(rows[next]) <= kMaxRank) {
            int base = used < kRowsPerHalf ? 0 : kRightHalfColumn + 1;
            if (used == 0 || used == kRowsPerHalf) {
                for (auto [heading, offset] :
                     {std::pair{"A", 12}, {"PG", 17}, {"PR", 22}, {"G", 27}, {"AR", 32}}) {
                    b.text(base + offset, kHeadingRow, heading);
                }
            }
            writeBlockRow(b, rows[next], base, kFirstValueRow + used % kRowsPerHalf, shownGroups);
            ranks = b.ranksUsed();
            ++used;
            ++next;
        }
        pages.push_back(b.take());
    } while (next < rows.size());
    return pages;
}

std::vector<Page> writeOptionVariables2(const ProjectData& data) {
    struct Pair {
        std::string group;
        std::string block;
    };
    std::vector<Pair> pairs;
    for (const Block& block : data.blocks) {
        for (const BlockEntry& entry : block.entries) {
            bool seen = std::any_of(pairs.begin(), pairs.end(), [&](const Pair& p) {
                return p.group == entry.signalGroup && p.block == block.name;
            });
            if (!seen) {
                pairs.push_back({entry.signalGroup, block.name});
            }
        }
    }
    constexpr std::size_t kHalf = 15;
    return paginate(pairs.size(), 2 * kHalf, [&](std::size_t first, std::size_t count) {
        PageBuilder b(2);
        b.text(kTitleColumn, kTitleRow, "Variabelen behorende bij een optie (2)");
        for (std::size_t part = 0; part < (count > kHalf ? 2u : 1u); ++part) {
            int base = part == 0 ? 0 : kRightHalfColumn + 1;
            b.text(base + 9, kHeadingRow, "PPA");
            b.text(base + 22, kHeadingRow, "PPP");
        }
        for (std::size_t k = 0; k < count; ++k) {
            const Pair& pair = pairs[first + k];
            int base = k < kHalf ? 0 : kRightHalfColumn + 1;
            int row = kFirstValueRow + static_cast<int>(k % kHalf);
            b.text(base, row, fit(pair.group, 8));
            b.value(base + 9, row, "~%02d(%s)", 0, "%02d  PPA  %s  %s", {pair.group, pair.block},
                    pair.block);
            b.value(base + 22, row, "~%02d(%s)", 1, "%02d  PPP  %s  %s", {pair.group, pair.block},
                    pair.block);
        }
        return b.take();
    });
}

namespace {

constexpr std::string_view kPairMacros[] = {"MAH4", "MAH5", "MAH6", "MAH7", "RGAH"};
constexpr std::string_view kPairDefinitions[] = {"%02d  MAH4  %s  %s", "%02d  MAH5  %s  %s",
                                                 "%02d  MAH6  %s  %s", "%02d  MAH7  %s  %s",
                                                 "%02d  RGAH  %s  %s"};

// A row of the standard auxiliary functions page: a signal group's own row,
// or one of its pair entries.
struct AuxRow {
    const std::string* group;
    const PairEntry* pair;  // null for the group's own row
};

}  // namespace

std::vector<Page> writeStandardAuxiliary(const ProjectData& data) {
    constexpr std::size_t kRows = 9;
    // Whole signal groups go on a page where they fit; a group with two or
    // more pair entries that does not fit moves to the next file.
    std::vector<std::vector<AuxRow>> pages(1);
    for (const std::string& group : data.signalGroups) {
        std::vector<AuxRow> rows{{&group, nullptr}};
        for (const PairEntry& pair : data.pairs) {
            if (pair.signalGroup == group) {
                rows.push_back({&group, &pair});
            }
        }
        std::size_t room = kRows - pages.back().size();
        if (rows.size() > room && rows.size() >= 3 && !pages.back().empty()) {
            pages.emplace_back();
        }
        for (const AuxRow& row : rows) {
            if (pages.back().size() == kRows) {
                pages.emplace_back();
            }
            pages.back().push_back(row);
        }
    }
    std::vector<Page> out;
    for (const std::vector<AuxRow>& rows : pages) {
        PageBuilder b(2 + std::size(kPairMacros));
        b.text(kTitleColumn, kTitleRow, "Standaard hulpfuncties");
        b.text(10, kHeadingRow, "PPAH");
        b.text(16, kHeadingRow, "VNMH");
        for (std::size_t m = 0; m < std::size(kPairMacros); ++m) {
            b.text(22 + 9 * static_cast<int>(m), kHeadingRow, kPairMacros[m]);
        }
        int line = kFirstValueRow;
        for (const AuxRow& row : rows) {
            const std::string& group = *row.group;
            b.text(0, line, fit(group, 8));
            if (row.pair == nullptr) {
                b.value(10, line, "~%02d", 0, "%02d  PPAH  %s", {group});
                b.value(16, line, "~%02d", 1, "%02d  VNMH  %s", {group});
            } else {
                const std::string& number = row.pair->pairNumber;
                for (std::size_t m = 0; m < std::size(kPairMacros); ++m) {
                    b.value(22 + 9 * static_cast<int>(m), line, "~%02d(%s)", 2 + m,
                            kPairDefinitions[m], {group, number}, number);
                }
            }
            ++line;
        }
        out.push_back(b.take());
    }
    return out;
}

}  // namespace pendrel
