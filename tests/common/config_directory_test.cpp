#include "common/config_directory.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigDirectory, XdgWhenAbsoluteElseHomeElseHere) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/etc/xdg-user", "/home/u", "/etc/xdg-user"},
        {"/x/", "/home/u", "/x/"},
        {nullptr, "/home/u", "/home/u/.config"},
        {"", "/home/u", "/home/u/.config"},
        {"relatief", "/home/u", "/home/u/.config"},  // would differ per start directory
        {nullptr, nullptr, "."},
        {"", "", "."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::configDirectoryOf(c.xdg, c.home), std::filesystem::path(c.expected))
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

}  // namespace
