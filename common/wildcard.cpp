#include "common/wildcard.h"

#include <cstddef>

#include "common/ignore_case.h"

namespace common {
namespace {

// Greedy match with one back-track point: '*' is retried one character further
// each time the rest fails, which is linear enough for file names.
bool globMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || toLowerAscii(pattern[p]) == toLowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (globMatch(pattern, name))
        return true;
    // A trailing ".*" also accepts a name without any extension ("*.*" is
    // "every file"), as the framework's directory searches do.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos) {
        return globMatch(pattern.substr(0, pattern.size() - 2), name);
    }
    return false;
}

}  // namespace common
