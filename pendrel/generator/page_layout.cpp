#include "pendrel/generator/page_layout.h"

#include "common/format.h"

namespace pendrel {

std::string fill(std::string_view pattern, int rank,
                 std::initializer_list<std::string_view> texts) {
    std::string out;
    auto next = texts.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 4, "%02d") == 0) {
            out += common::format("%02d", rank);
            i += 3;
        } else if (pattern.compare(i, 2, "%s") == 0 || pattern.compare(i, 2, "%d") == 0) {
            if (next != texts.end()) {
                out += *next++;
            }
            i += 1;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string_view fit(std::string_view name, std::size_t width) {
    return name.substr(0, std::min(name.size(), width));
}

void PageBuilder::value(int column, int row, std::string_view markerPattern, std::size_t block,
                        std::string_view definitionPattern,
                        std::initializer_list<std::string_view> texts,
                        std::string_view markerSuffix) {
    ++m_rank;
    m_page.putMarker(column, row, fill(markerPattern, m_rank, {markerSuffix}));
    m_page.define(block, fill(definitionPattern, m_rank, texts));
}

std::vector<Page> paginate(std::size_t total, std::size_t pageSize,
                           const std::function<Page(std::size_t, std::size_t)>& build) {
    std::vector<Page> pages;
    std::size_t first = 0;
    do {
        std::size_t count = std::min(pageSize, total - first);
        pages.push_back(build(first, count));
        first += count;
    } while (first < total);
    return pages;
}

}  // namespace pendrel
