#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "pendrel/generator/page.h"

namespace pendrel {

// Fills a definition or marker pattern: "%02d" takes the rank number, each
// "%s" the next text of `texts`, "%d" the next text as it stands. The
// patterns are constant tables of the writers, never input.
std::string fill(std::string_view pattern, int rank,
                 std::initializer_list<std::string_view> texts);

// A name cut to the room its column has.
std::string_view fit(std::string_view name, std::size_t width);

// Builds one page: rank numbers from 01, markers in the picture and their
// definition lines in the blocks.
class PageBuilder {
  public:
    explicit PageBuilder(std::size_t blocks) : m_page(blocks) {}

    void text(int column, int row, std::string_view text) { m_page.put(column, row, text); }

    // Places the marker `markerPattern` with the next rank number at
    // (column, row) and the definition line `definitionPattern` in `block`.
    void value(int column, int row, std::string_view markerPattern, std::size_t block,
               std::string_view definitionPattern, std::initializer_list<std::string_view> texts,
               std::string_view markerSuffix = {});

    // A marker of fixed rank numbers, placed as it stands.
    void marker(int column, int row, std::string_view marker) {
        m_page.putMarker(column, row, marker);
    }
    // Rank numbers taken by fixed lines.
    void skipRanks(int count) { m_rank += count; }

    // A definition line that has no marker of its own (fixed lines).
    void define(std::size_t block, std::string line) { m_page.define(block, std::move(line)); }

    int ranksUsed() const { return m_rank; }
    Page take() { return std::move(m_page); }

  private:
    Page m_page;
    int m_rank = 0;
};

// Splits `total` entries into pages of `pageSize` and builds each with
// `build(first, count)`; a category always yields at least one page.
std::vector<Page> paginate(std::size_t total, std::size_t pageSize,
                           const std::function<Page(std::size_t, std::size_t)>& build);

// The common frame of the standard screens.
inline constexpr int kTitleColumn = 10;
inline constexpr int kTitleRow = 1;
inline constexpr int kHeadingRow = 3;
inline constexpr int kFirstValueRow = 5;
inline constexpr int kRightHalfColumn = 39;

inline constexpr std::string_view kTimesNote =
    "De weergegeven waarde van tijden is 10* groter dan de absolute waarde";

}  // namespace pendrel
