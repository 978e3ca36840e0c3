#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "rendall/definition_reader.h"

namespace rendall {

// The names of one section by array number: the first definition in the
// section's range with that value names it.
class SectionNames {
  public:
    SectionNames() = default;
    SectionNames(const Definitions& definitions, SectionId section);

    const std::string* nameOf(std::int32_t number) const;
    // The longest name plus 2, the column in which the values of a listing start.
    std::size_t width() const { return m_width; }

  private:
    std::unordered_map<std::int32_t, std::string> m_names;
    std::size_t m_width = 2;
};

class NameTable {
  public:
    explicit NameTable(const Definitions& definitions);
    const SectionNames& operator[](SectionId section) const { return m_sections[section]; }

  private:
    std::array<SectionNames, kSectionCount> m_sections;
};

// The text of a dump token from `start`: through its closing parenthesis when
// that is on the same line, else the rest of its word.
std::string_view tokenText(std::string_view text, std::size_t start);

// The number between the parentheses of a token text, when it is one.
std::optional<std::int32_t> tokenNumber(std::string_view token);

}  // namespace rendall
