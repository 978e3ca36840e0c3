#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "pendrel/generator/page.h"
#include "pendrel/project/project_data.h"

namespace pendrel {

// One category of standard screens: its check box, whether the acceptance
// command pre-selects it, what it needs from the sources, the text of its
// list line, and the writer of its pages.
struct Category {
    int number;  // 1..28, the order of generation
    std::string_view checkBox;
    bool acceptance;
    std::string_view listText;
    bool (*needs)(const ProjectData&);
    std::vector<Page> (*write)(const ProjectData&);
};

std::span<const Category> categories();

}  // namespace pendrel
