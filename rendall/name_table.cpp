#include "rendall/name_table.h"

#include <algorithm>

#include "rendall/text_util.h"

namespace rendall {

SectionNames::SectionNames(const Definitions& definitions, SectionId section) {
    const Section& range = definitions.sections[section];
    const int last = std::min(range.last, static_cast<int>(definitions.list.size()) - 1);
    std::size_t longest = 0;
    for (int i = std::max(range.first, 0); i <= last; ++i) {
        const Definition& def = definitions.list[i];
        m_names.try_emplace(def.value, def.name);
        longest = std::max(longest, def.name.size());
    }
    m_width = longest + 2;
}

const std::string* SectionNames::nameOf(std::int32_t number) const {
    auto it = m_names.find(number);
    return it == m_names.end() ? nullptr : &it->second;
}

NameTable::NameTable(const Definitions& definitions) {
    for (int s = 0; s < kSectionCount; ++s) {
        m_sections[s] = SectionNames(definitions, static_cast<SectionId>(s));
    }
}

std::string_view tokenText(std::string_view text, std::size_t start) {
    const std::string_view line = text.substr(start, lineEnd(text, start) - start);
    const std::size_t close = line.find(')');
    if (close != std::string_view::npos)
        return line.substr(0, close + 1);
    const std::size_t wordEnd = line.find_first_of(" \t");
    return line.substr(0, wordEnd);
}

std::optional<std::int32_t> tokenNumber(std::string_view token) {
    const std::size_t open = token.find('(');
    if (open == std::string_view::npos || token.empty() || token.back() != ')') {
        return std::nullopt;
    }
    return exactNumber(token.substr(open + 1, token.size() - open - 2));
}

}  // namespace rendall
