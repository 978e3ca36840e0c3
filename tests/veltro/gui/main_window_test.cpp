// The main window on real widgets, offscreen: menu, keys, switching windows,
// the window list dialogs, the font, the geometry.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>

#include "main_window_rig.h"
#include "veltro/gui/texts.h"

namespace veltro::gui {
namespace {

using test_support::frameSummary;
using test_support::MainWindowRig;
using test_support::whenModal;

std::vector<std::string> menuTexts(const QMainWindow& window) {
    std::vector<std::string> texts;
    for (QAction* menu : window.menuBar()->actions()) {
        texts.push_back("[" + menu->text().toStdString() + "]");
        for (QAction* item : menu->menu()->actions())
            texts.push_back(item->text().toStdString() + (item->isEnabled() ? "" : " (off)"));
    }
    return texts;
}

TEST(MainWindowMenu, TextsAndStatesBeforeAndAfterLoading) {
    MainWindowRig rig(EXAMPLES_DIR "/kruispunt", false);
    const std::vector<std::string> initial = {
        "[&Venster]",
        "&Openen...\tCtrl+O",
        "&Sluiten...\tCtrl+S (off)",
        "&Kies Venster...\tCtrl+K (off)",
        "Vo&rig Venster\tPgUp (off)",
        "Vo&lgend Venster\tPgDn (off)",
        "Start DPCOM...",
        "Start Automatische Afname... (off)",
        "Start Automatische Parameteraanpassing... (off)",
        "Start Verschillen met ZXAPTAB.C vinden... (off)",
        "&Afsluiten",
        "[V&ariabelen]",
        "&Stop Weergeven\tF3 (off)",
        "&Continu Weergeven\tF5 (off)",
        "&Aanzetten normale trace\tF4 (off)",
        "&Uitzetten normale trace\tF4 (off)",
        "&Dumpen geheugentrace\tF6 (off)",
        "[&Instellingen]",
        "&Lettertype...\tCtrl+L",
        "[&?]",
        "Debugger &Info...",
    };
    EXPECT_EQ(menuTexts(rig.main), initial);
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001");
    EXPECT_EQ(rig.main.objectName(), "VLTMAINCLASS");

    veltro::loadStartDirectory(EXAMPLES_DIR "/kruispunt", rig.definitions, *rig.elements, rig.log,
                               rig.windows);
    rig.main.syncWindows();
    rig.main.showWindow(0);
    std::vector<std::string> loaded = initial;
    for (std::string& text : loaded) {
        if (text.ends_with(" (off)") && text.find("trace") == std::string::npos)
            text.resize(text.size() - 6);
    }
    EXPECT_EQ(menuTexts(rig.main), loaded);
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001 - debug_001.plo");

    // One window left: no previous or next.
    for (int i = rig.windows.windowCount() - 1; i > 0; --i)
        rig.windows.remove(i, *std::make_unique<WindowSwitchPorts>(WindowSwitchPorts{rig.link}),
                           rig.log);
    rig.main.syncWindows();
    EXPECT_FALSE(rig.main.action(MenuItem::Previous)->isEnabled());
    EXPECT_FALSE(rig.main.action(MenuItem::Next)->isEnabled());
    EXPECT_TRUE(rig.main.action(MenuItem::Close)->isEnabled());
}

TEST(MainWindowStack, TheShownDebugWindowFillsTheAreaAboveTheMessages) {
    MainWindowRig rig;
    ASSERT_EQ(rig.windows.windowCount(), 6);
    DebugWindow& shown = rig.shownWidget();
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.objectName(), "VLTCHILDCLASS");
    EXPECT_GT(shown.height(), 100);
    EXPECT_EQ(shown.width(), rig.main.centralWidget()->width());
    for (int i = 1; i < rig.windows.windowCount(); ++i)
        EXPECT_FALSE(rig.main.windowWidget(i)->isVisible()) << i;
    const QWidget& messages = rig.main.messageWindow();
    EXPECT_EQ(messages.mapTo(&rig.main, QPoint(0, 0)).y(),
              shown.mapTo(&rig.main, QPoint(0, 0)).y() + shown.height() +
                  static_cast<QSplitter*>(rig.main.centralWidget())->handleWidth());
}

}  // namespace
}  // namespace veltro::gui

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
