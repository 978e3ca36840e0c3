#include "pendrel/generator/page.h"

namespace pendrel {

void Page::put(int column, int row, std::string_view text) {
    write(column, row, text, true, true);
}

void Page::putMarker(int column, int row, std::string_view marker) {
    write(column, row, marker, true, false);
}

void Page::place(int column, int row, std::string_view marker) {
    write(column, row, marker, false, false);
}

void Page::write(int column, int row, std::string_view text, bool withNul, bool isText) {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return;
    }
    std::array<char, kColumns>& line = m_screen[static_cast<std::size_t>(row)];
    std::size_t pos = static_cast<std::size_t>(column);
    for (char c : text) {
        if (pos >= line.size()) {
            return;
        }
        // A line break or NUL inside a name would break the row structure.
        if (c == '\n' || c == '\r' || c == '\0') {
            c = ' ';
        } else if (isText && c == '~') {
            c = '-';
        }
        line[pos++] = c;
    }
    if (withNul && pos < line.size()) {
        line[pos] = '\0';
    }
}

void Page::define(std::size_t block, std::string line) {
    if (m_blocks.size() <= block) {
        m_blocks.resize(block + 1);
    }
    if (line.size() > kMaxDefinitionLength) {
        line.resize(kMaxDefinitionLength);
    }
    m_blocks[block].push_back(std::move(line));
}

std::string renderRow(const std::array<char, Page::kColumns>& row) {
    std::size_t end = row.size();
    while (end > 0 && (row[end - 1] == '\0' || row[end - 1] == ' ')) {
        --end;
    }
    std::string text(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(end));
    for (char& c : text) {
        if (c == '\0') {
            c = ' ';
        }
    }
    return text;
}

std::string Page::render() const {
    std::string out;
    for (const auto& row : m_screen) {
        out += renderRow(row);
        out += '\n';
    }
    out += "#include \"zxapdef.h\"\n";
    for (const std::vector<std::string>& block : m_blocks) {
        out += '\n';
        for (const std::string& line : block) {
            out += line;
            out += '\n';
        }
    }
    return out;
}

}  // namespace pendrel
