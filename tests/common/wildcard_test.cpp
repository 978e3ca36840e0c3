#include "common/wildcard.h"

#include <gtest/gtest.h>

TEST(Wildcard, MatchesAsDirectorySearches) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"DEBUG_???.*", "debug_001.plo", true},
        {"DEBUG_???.*", "DEBUG_01.plo", false},  // '?' is exactly one character
        {"DEBUG_???.*", "debug_0012.plo", false},
        {"DEBUG_???.*", "debug_001", true},  // ".*" also takes no extension
        {"?????_???.DBG", "kruis_001.dbg", true},
        {"?????_???.DBG", "kruis_001.dbgx", false},
        {"*.*", "CONFIL", true},
        {"*", "", true},
        {"a*b*c", "aXXbYYbZc", true},  // back-tracking over a second '*'
        {"a*b*c", "aXXbYYbZ", false},
        {"", "x", false},
        {"*.plo", "x.PLO", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::wildcardMatch(c.pattern, c.name), c.match)
            << c.pattern << " vs " << c.name;
    }
}
