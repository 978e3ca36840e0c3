#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// One value column of a grid page: a macro shown for every name of the page.
struct GridColumn {
    std::string_view heading;
    int headingColumn;
    int markerColumn;
    std::string_view marker;
    std::string_view definition;
    // With a mark other than None the definition and the marker suffix take
    // the name of the signal group's block of that kind.
    BlockMark block = BlockMark::None;
    bool blockInMarker = false;
};

// A page of names down the left (in one or more side-by-side parts) and one
// value column per macro; each column defines in a block of its own.
struct GridLayout {
    std::string_view title;
    std::string_view note;
    std::span<const GridColumn> columns;
    std::size_t pageSize = 10;
    std::size_t rowsPerPart = 10;
    int partWidth = 40;
    std::size_t nameWidth = 8;
    bool headingsOnTwoRows = false;
    // Whether a cell holds a value; all do when empty.
    std::function<bool(std::size_t nameIndex, std::size_t column)> present = {};
};

std::vector<Page> writeGrid(const ProjectData& data, const std::vector<std::string>& names,
                            const GridLayout& layout);

// The name of the block in which `signalGroup` stands with `mark` (else in
// any block), or "Bloknaam niet gevonden".
std::string_view blockOf(const ProjectData& data, std::string_view signalGroup, BlockMark mark);

}  // namespace pendrel
