#include "common/gui/display.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "common/gui/translations.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace common::gui {
namespace {

TEST(DisplayAvailable, WhatEachPlatformNeeds) {
    struct Case {
        const char* platform;
        bool x11;
        bool wayland;
        bool available;
    };
    const Case cases[] = {
        {"", false, false, false},  // over ssh: Qt's default has nowhere to go
        {"", true, false, true},
        {"", false, true, true},
        {"xcb", false, true, false},
        {"xcb", true, false, true},
        {"xcb:nomitshm", true, false, true},
        {"wayland", true, false, false},
        {"wayland-egl", false, true, true},
        {"wayland;xcb", true, false, true},
        {"wayland;xcb", false, false, false},
        {"offscreen", false, false, true},
        {"vnc:size=800x600", false, false, true},
        {";", false, false, false},
    };
    for (const Case& c : cases) {
        const DisplayEnvironment environment{c.platform, c.x11, c.wayland, false};
        EXPECT_EQ(displayAvailable(environment), c.available)
            << c.platform << " x11=" << c.x11 << " wayland=" << c.wayland;
    }
    EXPECT_TRUE(displayAvailable({"", false, false, true}));  // Windows' own desktop
}

TEST(DisplayAvailable, TheCommandLineNamesThePlatformBeforeTheEnvironment) {
    test_support::setEnvironment("QT_QPA_PLATFORM", "xcb");
    const char* words[] = {"veltro", "-IP", "1.2.3.4", "-platform", "offscreen", "DPCOM"};
    EXPECT_EQ(currentDisplayEnvironment(6, const_cast<char**>(words)).platform, "offscreen");
    EXPECT_EQ(currentDisplayEnvironment(3, const_cast<char**>(words)).platform, "xcb");
    test_support::setEnvironment("QT_QPA_PLATFORM", "offscreen");
}

// The real start of a desktop program, in this process: without a display
// there is no application and one line; offscreen there is one, speaking
// Dutch where asked to.
TEST(OpenApplication, NoneWithoutADisplayOffscreenOneInTheUsersLanguage) {
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    int argc = 1;
    char name[] = "veltro";
    char* argv[] = {name, nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(openApplication(argc, argv, "veltro: geen beeldscherm"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "veltro: geen beeldscherm\n");

    test_support::setEnvironment("QT_QPA_PLATFORM", "offscreen");
    auto application = openApplication(argc, argv, "veltro: geen beeldscherm");
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    ASSERT_TRUE(installQtTranslations(*application, QLocale(QLocale::Dutch)))
        << "Qt's translations are missing: scripts/bootstrap installs qt6-translations-l10n";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annuleren");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "Bestands&naam:");
    application.reset();
    if (!display.empty())
        test_support::setEnvironment("DISPLAY", display);
}

#ifdef VELTRO_BINARY
// Each desktop program started where there is no display (over ssh), or with
// a display that cannot be reached, says so in one line and ends with 2
// instead of Qt's abort (134).
TEST(NoDisplay, EachDesktopProgramSaysSoInOneLineAndEndsWithTwo) {
    const test_support::TempDir dir;
    struct Program {
        const char* path;
        const char* name;
    };
    const Program programs[] = {
        {VELTRO_BINARY, "veltro"}, {PENDREL_BINARY, "pendrel"}, {TONVIAW_BINARY, "tonviaw"}};
    const char* environments[] = {
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
        "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711",  // no X server there
    };
    for (const Program& program : programs) {
        for (const char* environment : environments) {
            const std::string command = "cd '" + dir.path().string() + "' && " + environment +
                                        " '" + program.path + "' > out.txt 2> err.txt";
            EXPECT_EQ(test_support::exitCodeOf(std::system(command.c_str())), 2)
                << program.name << ": " << environment;
            const std::string errors = dir.read("err.txt");
            EXPECT_EQ(errors.rfind(std::string(program.name) + ": geen beeldscherm", 0), 0u)
                << errors;
            EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
            EXPECT_EQ(dir.read("out.txt"), "");
        }
    }
    // Nothing was left behind in the directory it started in.
    EXPECT_EQ(test_support::fileNames(dir.path()),
              (std::vector<std::string>{"err.txt", "out.txt"}));
}
#endif

}  // namespace
}  // namespace common::gui
