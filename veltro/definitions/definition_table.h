#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veltro {

// Name-to-number table of a main window: the built-in macro names first, then
// every #define of ZXAPDEF.H. Entries keep their insertion order and a name
// defined twice occupies two entries; a look-up answers with the first one.
// Look-ups come from an index, so loading a debug window stays fast however
// full the table is.
class DefinitionTable {
  public:
    static constexpr int kCapacity = 10000;
    static constexpr std::size_t kNameMax = 31;  // a fixed field of 32 bytes with its NUL

    struct Entry {
        std::string name;
        std::int32_t value = -1;
    };

    // Appends (name, value); a name longer than kNameMax keeps its first
    // kNameMax characters, as the fixed field does. False when the table
    // already holds kCapacity entries.
    bool add(std::string_view name, std::int32_t value);

    // The value of the first entry whose name equals `name` exactly (case
    // counts), or -1 when there is none.
    std::int32_t lookup(std::string_view name) const;
    bool contains(std::string_view name) const;

    int count() const { return static_cast<int>(m_entries.size()); }
    bool full() const { return count() >= kCapacity; }
    const std::vector<Entry>& entries() const { return m_entries; }
    void clear();

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_firstIndex;
};

}  // namespace veltro
