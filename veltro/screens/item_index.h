#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace veltro {

// The items of one debug window by the key of (function code, first element,
// block), so that a value report finds its item without a scan.
class ItemIndex {
  public:
    // f * 576000, plus b * 12000 when b >= 1, plus s when s >= 1, in 32-bit
    // arithmetic. Distinct objects can share a key; the first one indexed wins.
    static std::int32_t key(std::int32_t functionCode, std::int32_t firstElement,
                            std::int32_t block);

    void clear() { m_entries.clear(); }

    // False, and nothing changes, when the key is already present.
    bool insert(std::int32_t key, int item);

    // The item of `key`, or -1.
    int find(std::int32_t key) const;

    std::size_t size() const { return m_entries.size(); }

  private:
    std::vector<std::pair<std::int32_t, int>> m_entries;  // sorted by key
};

}  // namespace veltro
