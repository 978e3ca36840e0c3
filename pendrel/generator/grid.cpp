#include "pendrel/generator/grid.h"

#include "pendrel/generator/page_layout.h"

namespace pendrel {

std::vector<Page> writeGrid(const ProjectData& data, const std::vector<std::string>& names,
                            const GridLayout& layout) {
    return paginate(names.size(), layout.pageSize, [&](std::size_t first, std::size_t count) {
        PageBuilder b(layout.columns.size());
        b.text(kTitleColumn, kTitleRow, layout.title);
        if (!layout.note.empty()) {
            b.text(kTitleColumn, kTitleRow + 1, layout.note);
        }
        std::size_t parts = count == 0 ? 1 : (count + layout.rowsPerPart - 1) / layout.rowsPerPart;
        for (std::size_t part = 0; part < parts; ++part) {
            int base = static_cast<int>(part) * layout.partWidth;
            for (std::size_t c = 0; c < layout.columns.size(); ++c) {
                int row = kHeadingRow + (layout.headingsOnTwoRows ? static_cast<int>(c % 2) : 0);
                b.text(base + layout.columns[c].headingColumn, row, layout.columns[c].heading);
            }
        }
        for (std::size_t k = 0; k < count; ++k) {
            std::size_t index = first + k;
            const std::string& name = names[index];
            int base = static_cast<int>(k / layout.rowsPerPart) * layout.partWidth;
            int row = kFirstValueRow + static_cast<int>(k % layout.rowsPerPart);
            b.text(base, row, fit(name, layout.nameWidth));
            for (std::size_t c = 0; c < layout.columns.size(); ++c) {
                const GridColumn& column = layout.columns[c];
                if (layout.present && !layout.present(index, c)) {
                    continue;
                }
                std::string_view block;
                if (column.block != BlockMark::None) {
                    block = blockOf(data, name, column.block);
                }
                b.value(base + column.markerColumn, row, column.marker, c, column.definition,
                        {name, block}, column.blockInMarker ? block : std::string_view{});
            }
        }
        return b.take();
    });
}

std::string_view blockOf(const ProjectData& data, std::string_view signalGroup, BlockMark mark) {
    for (BlockMark wanted : {mark, BlockMark::None}) {
        for (const Block& block : data.blocks) {
            for (const BlockEntry& entry : block.entries) {
                if (entry.signalGroup == signalGroup &&
                    (wanted == BlockMark::None || entry.mark == wanted)) {
                    return block.name;
                }
            }
        }
    }
    return "Bloknaam niet gevonden";
}

}  // namespace pendrel
