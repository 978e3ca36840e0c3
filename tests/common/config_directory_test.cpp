#include "common/config_directory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ConfigDirectory, XdgWhenAbsoluteElseHomeElseHere) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    // An absolute path needs a drive on Windows; the others are joined, never tested for it.
    const std::string root = std::filesystem::current_path().root_path().generic_string();
    const std::string xdgUser = root + "etc/xdg-user";
    const std::string x = root + "x/";
    const Case cases[] = {
        {xdgUser.c_str(), "/home/u", xdgUser.c_str()},
        {x.c_str(), "/home/u", x.c_str()},
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
