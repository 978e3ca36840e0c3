#include "veltro/definitions/definition_table.h"

namespace veltro {

bool DefinitionTable::add(std::string_view name, std::int32_t value) {
    if (full())
        return false;
    if (name.size() > kNameMax)
        name = name.substr(0, kNameMax);
    int index = count();
    m_entries.push_back(Entry{std::string(name), value});
    // try_emplace keeps the earlier index: the first definition wins.
    m_firstIndex.try_emplace(std::string(name), index);
    return true;
}

std::int32_t DefinitionTable::lookup(std::string_view name) const {
    auto it = m_firstIndex.find(name);
    if (it == m_firstIndex.end())
        return -1;
    return m_entries[static_cast<std::size_t>(it->second)].value;
}

bool DefinitionTable::contains(std::string_view name) const {
    return m_firstIndex.find(name) != m_firstIndex.end();
}

void DefinitionTable::clear() {
    m_entries.clear();
    m_firstIndex.clear();
}

}  // namespace veltro
