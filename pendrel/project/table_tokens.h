#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace pendrel {

// Finds the table `name` in a parameter table source: an occurrence of the
// name as a whole identifier followed, within 254 characters and before any
// ';' or '}', by an opening brace. The position behind that brace, or
// nothing when the source holds no such table.
std::optional<std::size_t> locateTable(std::string_view source, std::string_view name);

// The tokens of a table body: C comments are skipped; blanks, TABs, line
// ends, commas, semicolons and braces separate tokens.
class TableTokens {
  public:
    TableTokens(std::string_view source, std::size_t start) : m_source(source), m_pos(start) {}

    std::optional<std::string_view> next();

  private:
    std::string_view m_source;
    std::size_t m_pos;
};

// How reading one table's rows ended.
enum class TableStatus { Read, Empty, Broken };

// Reads rows of `fieldsPerRow` tokens until the token "STOP" or `maxRows`
// rows; every complete row goes to `row`. A table whose first token is STOP
// is Empty; one that ends inside a row or without STOP is Broken.
template <typename RowFn>
TableStatus readTableRows(TableTokens& tokens, std::size_t fieldsPerRow, std::size_t maxRows,
                          RowFn&& row) {
    std::vector<std::string_view> fields;
    std::size_t rows = 0;
    while (rows < maxRows) {
        std::optional<std::string_view> token = tokens.next();
        if (!token) {
            return TableStatus::Broken;
        }
        if (*token == "STOP") {
            if (!fields.empty()) {
                return TableStatus::Broken;
            }
            return rows == 0 ? TableStatus::Empty : TableStatus::Read;
        }
        fields.push_back(*token);
        if (fields.size() == fieldsPerRow) {
            row(fields);
            fields.clear();
            ++rows;
        }
    }
    return TableStatus::Read;
}

}  // namespace pendrel
