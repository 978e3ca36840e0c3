#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pendrel {

// One debug window file being composed: a 24 by 80 character picture and
// blocks of definition lines.
class Page {
  public:
    static constexpr int kRows = 24;
    static constexpr int kColumns = 80;
    static constexpr std::size_t kMaxDefinitionLength = 79;

    // A page writer names its blocks by number; every block it declares is
    // written (an empty line, then its lines), also when it stayed empty.
    explicit Page(std::size_t blockCount = 1) : m_blocks(blockCount) {}

    // Writes the fixed text `text` at (column, row), both from 0, followed
    // by its terminating NUL; whatever would pass column 79 is cut off. A '~'
    // would start a value field, so a text shows it as '-'.
    void put(int column, int row, std::string_view text);

    // Writes a marker (tildes and rank number) with its terminating NUL.
    void putMarker(int column, int row, std::string_view marker);

    // Writes a marker without a terminating NUL.
    void place(int column, int row, std::string_view marker);

    // Appends a definition line (without line break) to block `block`.
    void define(std::size_t block, std::string line);

    // The file: the 24 rows without trailing blanks, the include line, then
    // each block after an empty line.
    std::string render() const;

  private:
    void write(int column, int row, std::string_view text, bool withNul, bool isText);

    std::array<std::array<char, kColumns>, kRows> m_screen{};
    std::vector<std::vector<std::string>> m_blocks;
};

// The text of row `row` of a rendered picture buffer: NULs left of the last
// other character become blanks, trailing NULs are dropped.
std::string renderRow(const std::array<char, Page::kColumns>& row);

}  // namespace pendrel
