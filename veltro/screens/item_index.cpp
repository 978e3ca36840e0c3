#include "veltro/screens/item_index.h"

#include <algorithm>

namespace veltro {
namespace {

bool keyLess(const std::pair<std::int32_t, int>& entry, std::int32_t key) {
    return entry.first < key;
}

}  // namespace

std::int32_t ItemIndex::key(std::int32_t functionCode, std::int32_t firstElement,
                            std::int32_t block) {
    // Unsigned so that a wrap is defined, as the 32-bit sum always was.
    std::uint32_t k = static_cast<std::uint32_t>(functionCode) * 576000U;
    if (block >= 1) {
        k += static_cast<std::uint32_t>(block) * 12000U;
    }
    if (firstElement >= 1) {
        k += static_cast<std::uint32_t>(firstElement);
    }
    return static_cast<std::int32_t>(k);
}

bool ItemIndex::insert(std::int32_t key, int item) {
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key, keyLess);
    if (it != m_entries.end() && it->first == key) {
        return false;
    }
    m_entries.insert(it, {key, item});
    return true;
}

int ItemIndex::find(std::int32_t key) const {
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key, keyLess);
    return it != m_entries.end() && it->first == key ? it->second : -1;
}

}  // namespace veltro
