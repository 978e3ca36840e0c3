// The main window on real widgets, offscreen: menu, keys, switching windows,
// the window list dialogs, the font, the geometry.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <algorithm>

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
    // A start-up that loaded no debug window file leaves the tools greyed;
    // their start words still open them.
    rig.main.syncWindows();
    EXPECT_EQ(menuTexts(rig.main), initial);
    int afname = 0;
    rig.main.setStartDialog(StartDialog::Afname, [&] { ++afname; });
    EXPECT_TRUE(rig.main.runMenuCommand("Start Automatische Afname..."));
    EXPECT_EQ(afname, 1);

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
    WindowSwitchPorts ports{rig.link};
    for (int i = rig.windows.windowCount() - 1; i > 0; --i)
        rig.windows.remove(i, ports, rig.log);
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

// A key as the keyboard hook sees it: sent to the control that has the focus
// (or the window), whichever that is.
void press(MainWindowRig& rig, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = rig.main.focusWidget() ? rig.main.focusWidget() : &rig.main;
    QTest::keyClick(target, key, modifiers);
}

// The dialog that a key or a menu item opens: its object name, closed at once.
std::string dialogOpenedBy(const std::function<void()>& act) {
    std::string name;
    bool closed = false;
    whenModal([&](QWidget& dialog) {
        name = dialog.objectName().toStdString();
        static_cast<QDialog&>(dialog).reject();
        closed = true;
    });
    act();
    if (!QTest::qWaitFor([&] { return closed; }, 5000))
        return "(none)";
    return name;
}

TEST(MainWindowKeys, EveryKeyOfTheKeyTable) {
    MainWindowRig rig;
    rig.timers.fireAll();
    rig.takeFrames();
    // PgDn and PgUp, with and without Ctrl, wrapping at both ends.
    press(rig, Qt::Key_PageDown);
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001 - debug_002.plo");
    press(rig, Qt::Key_PageUp, Qt::ControlModifier);
    press(rig, Qt::Key_PageUp);
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001 - kruis_001.dbg");
    press(rig, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(rig.windows.shown(), 0);
    rig.timers.pending.clear();
    rig.takeFrames();

    // F3 stops every requested item of the shown window; F5 asks for all of
    // them again; with Ctrl both go to the window, which ignores them.
    const std::size_t items = rig.shownScreen().controlledItems().size();
    ASSERT_EQ(items, 9u);
    press(rig, Qt::Key_F3);
    auto frames = frameSummary(rig.takeFrames());
    EXPECT_EQ(frames.size(), items);
    EXPECT_TRUE(std::all_of(frames.begin(), frames.end(), [](auto& f) { return f[0] == 'S'; }));
    press(rig, Qt::Key_F3);
    press(rig, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_TRUE(rig.takeFrames().empty());
    press(rig, Qt::Key_F5);
    frames = frameSummary(rig.takeFrames());
    ASSERT_EQ(frames.size(), 2 * items);
    EXPECT_EQ(frames[0][0], 'R');
    EXPECT_EQ(frames[1][0], 'C');

    // Ctrl+Tab: the keyboard to the message window and back; Tab alone does
    // not. On the message side the arrows move through the messages, not
    // over the fields.
    press(rig, Qt::Key_Tab);
    EXPECT_TRUE(rig.windows.focusOnDebugWindow());
    press(rig, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(rig.windows.focusOnDebugWindow());
    QListWidget& messages = *rig.main.messageWindow().list();
    EXPECT_TRUE(messages.hasFocus());
    const int lastMessage = messages.currentRow();
    ASSERT_GT(lastMessage, 1);
    press(rig, Qt::Key_Up);
    press(rig, Qt::Key_Up);
    press(rig, Qt::Key_Right);
    EXPECT_EQ(messages.currentRow(), lastMessage - 2);
    EXPECT_EQ(rig.shownScreen().selected(), -1);
    press(rig, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(rig.windows.focusOnDebugWindow());
    EXPECT_TRUE(rig.shownWidget().isAncestorOf(QApplication::focusWidget()) ||
                rig.shownWidget().hasFocus());
    press(rig, Qt::Key_Up);
    EXPECT_EQ(messages.currentRow(), lastMessage - 2);
    press(rig, Qt::Key_Escape);
    rig.takeFrames();

    // The Ctrl letters open their dialogs; the letters alone pass on.
    auto ctrl = [&](Qt::Key key) { return [&rig, key] { press(rig, key, Qt::ControlModifier); }; };
    EXPECT_EQ(dialogOpenedBy(ctrl(Qt::Key_K)), "chooseWindow");
    EXPECT_EQ(dialogOpenedBy(ctrl(Qt::Key_S)), "closeWindows");
    EXPECT_EQ(dialogOpenedBy(ctrl(Qt::Key_O)), "openDialog");
    EXPECT_EQ(dialogOpenedBy(ctrl(Qt::Key_F)), "fontDialog");
    EXPECT_EQ(dialogOpenedBy(ctrl(Qt::Key_L)), "fontDialog");
    for (Qt::Key key : {Qt::Key_K, Qt::Key_S, Qt::Key_O, Qt::Key_F, Qt::Key_L})
        press(rig, key);
    QTest::qWait(0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(rig.windows.windowCount(), 6);

    // Other keys go to the shown window's items: the arrows select.
    press(rig, Qt::Key_Right);
    EXPECT_EQ(rig.shownScreen().selected(), 0);
    press(rig, Qt::Key_Down);
    EXPECT_EQ(rig.shownScreen().selected(), 1);
    press(rig, Qt::Key_Left);
    EXPECT_EQ(rig.shownScreen().selected(), 0);
    press(rig, Qt::Key_Escape);
    EXPECT_EQ(rig.shownScreen().selected(), -1);
    EXPECT_EQ(frameSummary(rig.takeFrames()), std::vector<std::string>{"R0"});
}

// Showing another window sends STOP for the requested items of the old one;
// the new one is asked for its values after 500 ms, asked again after another
// 500 ms when silent, and without any answer the message window says so.
TEST(MainWindowSwitching, StopForTheOldWindowRequestsForTheNewOne) {
    MainWindowRig rig;
    rig.timers.fireAll();
    ASSERT_EQ(rig.takeFrames().size(), 18u);  // READ and CONTINUOUS for 9 items
    rig.report(0, 81226);
    EXPECT_TRUE(rig.shownWidget().control(0)->isEnabled());
    EXPECT_EQ(static_cast<QLineEdit*>(rig.shownWidget().control(0))->text(), "081226");
    rig.timers.fireAll();  // timer B: the 8 silent items asked again
    EXPECT_EQ(rig.takeFrames().size(), 16u);
    const int before = rig.main.messageWindow().lineCount();

    press(rig, Qt::Key_PageDown);
    auto stops = rig.takeFrames();
    ASSERT_EQ(stops.size(), 9u);
    EXPECT_EQ(stops[0].first, CommandMode::Stop);
    EXPECT_EQ(stops[0].second.functionCode, 481);
    rig.timers.fireAll();
    const std::size_t items = rig.shownScreen().controlledItems().size();
    EXPECT_EQ(rig.takeFrames().size(), 2 * items);
    rig.timers.fireAll();
    EXPECT_EQ(rig.takeFrames().size(), 2 * items);
    ASSERT_EQ(rig.main.messageWindow().lineCount(), before + 1);
    EXPECT_EQ(rig.main.messageWindow().line(before),
              "systeem melding : Er is geen verbinding aanwezig.");

    // Back on the first window its items wait for new values.
    press(rig, Qt::Key_PageUp);
    EXPECT_FALSE(rig.shownWidget().control(0)->isEnabled());
    EXPECT_GE(rig.link.pausedCalls, 2);
}

TEST(MainWindowStartItems, TheShownWindowLeavesTheProtocolAroundTheirDialogs) {
    MainWindowRig rig;
    rig.timers.fireAll();
    rig.report(0, 1);
    rig.takeFrames();
    int runs = 0;
    rig.main.setStartDialog(StartDialog::Dump, [&] {
        ++runs;
        EXPECT_TRUE(rig.windows.suspended());
        EXPECT_FALSE(rig.shownWidget().control(0)->isEnabled());
        EXPECT_EQ(rig.takeFrames().size(), 9u);  // STOP for each requested item
        EXPECT_TRUE(rig.timers.pending.empty());
    });
    EXPECT_TRUE(rig.main.runMenuCommand("Start DPCOM..."));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(rig.windows.suspended());
    rig.timers.fireAll();  // shown again: polled again
    EXPECT_EQ(rig.takeFrames().size(), 18u);

    // Without a dialog the item does nothing at all.
    rig.timers.pending.clear();
    rig.main.action(MenuItem::StartAfname)->trigger();
    EXPECT_TRUE(rig.takeFrames().empty());
    EXPECT_TRUE(rig.timers.pending.empty());
    EXPECT_FALSE(rig.main.runMenuCommand("Start iets anders..."));
}

TEST(MainWindowGeometry, MovesAndSizesAreWrittenToTheSettings) {
    MainWindowRig rig;
    rig.main.move(40, 30);
    rig.main.resize(640, 480);
    QTRY_COMPARE(rig.settings.readInt("Hoofdvenster", "Breedte", 0), 640);
    EXPECT_EQ(rig.settings.readInt("Hoofdvenster", "Hoogte", 0), 480);
    EXPECT_EQ(rig.settings.readInt("Hoofdvenster", "X-positie", -1), rig.main.x());
    EXPECT_EQ(rig.settings.readInt("Hoofdvenster", "Y-positie", -1), rig.main.y());

    // Closing the window does not wait for the delay.
    rig.main.move(70, 80);
    ASSERT_NE(rig.settings.readInt("Hoofdvenster", "X-positie", -1), rig.main.x());
    rig.main.close();
    EXPECT_EQ(rig.settings.readInt("Hoofdvenster", "X-positie", -1), rig.main.x());
    rig.main.show();

    // The message window keeps its height; the debug windows take the rest.
    const int messages = rig.main.messageWindow().height();
    rig.main.resize(640, 560);
    QTRY_COMPARE(rig.settings.readInt("Hoofdvenster", "Hoogte", 0), 560);
    EXPECT_EQ(rig.main.messageWindow().height(), messages);

    // Dragging the message window's top edge changes the debug windows' height.
    auto* splitter = static_cast<QSplitter*>(rig.main.centralWidget());
    const int debugHeight = rig.shownWidget().height();
    QWidget* edge = splitter->handle(1);
    QTest::mousePress(edge, Qt::LeftButton, {}, edge->rect().center());
    QTest::mouseMove(edge, edge->rect().center() - QPoint(0, 60));
    QTest::mouseRelease(edge, Qt::LeftButton, {}, edge->rect().center() - QPoint(0, 60));
    EXPECT_EQ(rig.shownWidget().height(), debugHeight - 60);
    EXPECT_EQ(rig.main.messageWindow().height(), messages + 60);
}

TEST(MainWindowMessages, LinesAreAddedSelectedAndTakeTheKeyboardSide) {
    MainWindowRig rig;
    MessageWindow& window = rig.main.messageWindow();
    EXPECT_EQ(window.objectName(), "VLTMSGCLASS");
    EXPECT_EQ(window.findChild<QLabel*>("caption")->text(), "Mededelingen");
    rig.log.setContextPrefix("f.plo");
    rig.log.setLinePrefix(12);
    rig.log.message(message_kind::kError, "x", "y");
    const int last = window.lineCount() - 1;
    EXPECT_EQ(window.line(last), "f.plo : (12) : fout : xy");
    EXPECT_EQ(window.list()->currentRow(), last);

    ASSERT_TRUE(rig.windows.focusOnDebugWindow());
    QWidget* viewport = window.list()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(rig.windows.focusOnDebugWindow());
    EXPECT_EQ(window.list()->currentRow(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(window.list()->currentRow(), 1);
    EXPECT_EQ(rig.shownScreen().selected(), -1);

    // A click into the debug window takes the keyboard back there.
    rig.timers.fireAll();
    rig.report(3, 8);
    rig.report(4, 12);
    QTest::mouseClick(rig.shownWidget().control(3), Qt::LeftButton);
    EXPECT_TRUE(rig.windows.focusOnDebugWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(rig.shownScreen().selected(), 4);
    EXPECT_EQ(window.list()->currentRow(), 1);
}

TEST(MainWindowAbout, VeltroInfo) {
    MainWindowRig rig;
    std::vector<std::string> labels;
    std::string title;
    whenModal([&](QWidget& box) {
        title = box.windowTitle().toStdString();
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                labels.push_back(label->text().toStdString());
        }
        box.findChild<QPushButton*>()->click();
    });
    rig.main.action(MenuItem::About)->trigger();
    EXPECT_EQ(title, "Veltro Info");
    EXPECT_EQ(labels, (std::vector<std::string>{"ZAV Tiral Debugger", "Versie 5.5"}));
}

}  // namespace
}  // namespace veltro::gui
