// A debug window's items on real widgets: reports shown, an edit typed and
// sent, the save question, check boxes that never toggle themselves, items
// without a value, and the layout formula.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include "main_window_rig.h"
#include "veltro/gui/item_controls.h"
#include "veltro/screens/screen_layout.h"

namespace veltro::gui {
namespace {

using test_support::Frame;
using test_support::MainWindowRig;

QLineEdit& edit(MainWindowRig& rig, int item) {
    return *static_cast<QLineEdit*>(rig.shownWidget().control(item));
}

QCheckBox& box(MainWindowRig& rig, int item) {
    return *static_cast<QCheckBox*>(rig.shownWidget().control(item));
}

void key(MainWindowRig& rig, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &rig.main;
    QTest::keyClick(target, k, modifiers);
}

TEST(DebugWindowItems, ReportsAreShownInTheirControlOnly) {
    MainWindowRig rig;
    EXPECT_EQ(rig.shownWidget().control(0)->objectName(), "VLTEDITITEMCLASS");
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(edit(rig, i).isEnabled()) << i;  // until the first value
    rig.report(0, 81226);
    rig.report(6, 12);
    rig.report(6, 13);                         // the last value wins
    EXPECT_EQ(edit(rig, 0).text(), "081226");  // the date in six digits
    EXPECT_EQ(edit(rig, 6).text(), "13");
    EXPECT_TRUE(edit(rig, 0).isEnabled());
    EXPECT_FALSE(edit(rig, 1).isEnabled());
    EXPECT_EQ(edit(rig, 0).alignment() & Qt::AlignRight, Qt::AlignRight);
    // Too wide for its field: fifteen '#', shown whole.
    rig.report(2, 1234);  // "Dag": one tilde, two cells
    EXPECT_EQ(edit(rig, 2).text(), QString(15, '#'));
}

TEST(DebugWindowItems, AnEditIsTypedSentAndAskedAboutWhenLeft) {
    MainWindowRig rig;
    rig.timers.fireAll();
    for (int i = 0; i < 9; ++i)
        rig.report(i, 100 + i);
    rig.takeFrames();

    QTest::mouseClick(&edit(rig, 7), Qt::LeftButton);
    EXPECT_EQ(rig.shownScreen().selected(), 7);
    EXPECT_TRUE(edit(rig, 7).hasFocus());
    QTest::keyClicks(&edit(rig, 7), "4217");
    EXPECT_TRUE(rig.shownScreen().item(7).edited);
    EXPECT_EQ(edit(rig, 7).text(), "4217");
    key(rig, Qt::Key_Return);
    std::vector<Frame> frames = rig.takeFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].first, CommandMode::Write);
    EXPECT_EQ(frames[0].second.value, 4217);
    EXPECT_EQ(frames[0].second.functionCode, rig.shownScreen().item(7).functionCode);
    EXPECT_EQ(frames[1].first, CommandMode::Read);

    // The field takes no more characters from the keyboard than it holds.
    QTest::keyClicks(&edit(rig, 7), "123456789");
    EXPECT_EQ(edit(rig, 7).text().size(), rig.shownScreen().item(7).editLimit());

    // Leaving the edited field asks; Yes writes what was typed.
    rig.prompts.answers.push_back(true);
    key(rig, Qt::Key_Right);
    ASSERT_EQ(rig.prompts.boxes.size(), 1u);
    EXPECT_EQ(rig.prompts.boxes[0].caption, "VELTRO");
    frames = rig.takeFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].second.value, 1234);
    EXPECT_EQ(rig.shownScreen().selected(), 8);
    EXPECT_TRUE(edit(rig, 8).hasFocus());

    // 'v' writes the value shown; Escape asks for it again and drops the selection.
    key(rig, Qt::Key_V);
    frames = rig.takeFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].second.value, 108);
    EXPECT_EQ(edit(rig, 8).text(), "108");  // the 'v' was no character for the field
    key(rig, Qt::Key_Escape);
    EXPECT_EQ(rig.shownScreen().selected(), -1);
    EXPECT_EQ(test_support::frameSummary(rig.takeFrames()).size(), 1u);
}

// A field showing 60, selected by the keys or by a click (at its left edge,
// where the cursor would go), takes "75" as 75: the value shown is replaced,
// not added to. A key the field has no room for beeps and writes nothing; a
// report that comes while the engineer types leaves the typing alone.
TEST(DebugWindowTyping, TypingReplacesTheValueShown) {
    MainWindowRig rig;
    rig.timers.fireAll();
    for (int i = 0; i < 9; ++i)
        rig.report(i, 1);
    rig.takeFrames();
    int beeps = 0;
    rig.shownWidget().setBeep([&] { ++beeps; });
    QLineEdit& field = edit(rig, 3);  // "Dagnummer": two tildes, two digits typed at most
    ASSERT_EQ(rig.shownScreen().item(3).editLimit(), 2);
    auto writes = [&] {
        std::vector<int> values;
        for (const Frame& frame : rig.takeFrames()) {
            if (frame.first == CommandMode::Write)
                values.push_back(frame.second.value);
        }
        return values;
    };
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"keys",
         [&] {
             for (int i = 0; i < 4; ++i)
                 key(rig, Qt::Key_Right);
         }},
        {"click", [&] { QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(1, 3)); }},
    };
    for (const auto& [way, select] : ways) {
        SCOPED_TRACE(way);
        rig.report(3, 60);
        select();
        ASSERT_EQ(rig.shownScreen().selected(), 3);
        EXPECT_EQ(field.selectedText(), "60");
        QTest::keyClicks(QApplication::focusWidget(), "75");
        EXPECT_EQ(field.text(), "75");
        key(rig, Qt::Key_Return);
        EXPECT_EQ(writes(), std::vector<int>{75});
        key(rig, Qt::Key_Escape);
        rig.takeFrames();
    }
    EXPECT_EQ(beeps, 0);

    // A third digit does not fit: refused with a beep, nothing written.
    rig.report(3, 60);
    QTest::mouseClick(&field, Qt::LeftButton);
    QTest::keyClicks(&field, "751");
    EXPECT_EQ(field.text(), "75");
    EXPECT_EQ(beeps, 1);
    key(rig, Qt::Key_Return);
    EXPECT_EQ(writes(), std::vector<int>{75});
    // After Enter the next number replaces the one written.
    QTest::keyClicks(&field, "80");
    EXPECT_EQ(field.text(), "80");
    key(rig, Qt::Key_Escape);
    rig.takeFrames();

    // A new value reported before typing is selected in turn; one reported
    // during the typing does not change it.
    rig.report(3, 60);
    QTest::mouseClick(&field, Qt::LeftButton);
    rig.report(3, 61);
    EXPECT_EQ(field.selectedText(), "61");
    QTest::keyClicks(&field, "4");
    rig.report(3, 62);
    QTest::keyClicks(&field, "2");
    EXPECT_EQ(field.text(), "42");
    key(rig, Qt::Key_Return);
    EXPECT_EQ(writes(), std::vector<int>{42});
    EXPECT_EQ(beeps, 1);
}

bool greyed(const QWidget& control) {
    const QPalette& p = control.palette();
    return p.color(QPalette::Active, QPalette::Text) ==
           p.color(QPalette::Disabled, QPalette::Text);
}

// While the line is gone the values shown are greyed (stale) and a typed
// value is refused with a message, not shown as written; after the line is
// back each field is live again with its first report.
TEST(DebugWindowLink, ALostLineGreysTheValuesAndRefusesWrites) {
    MainWindowRig rig;
    rig.timers.fireAll();
    for (int i = 0; i < 9; ++i)
        rig.report(i, 60);
    rig.takeFrames();
    QLineEdit& field = edit(rig, 3);
    ASSERT_FALSE(greyed(field));
    rig.trust.linkStateChanged(LinkState::Reconnecting);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(greyed(*rig.shownWidget().control(i))) << i;
    EXPECT_FALSE(field.toolTip().isEmpty());

    QTest::mouseClick(&field, Qt::LeftButton);
    QTest::keyClicks(&field, "75");
    key(rig, Qt::Key_Return);
    for (const Frame& frame : rig.takeFrames())
        EXPECT_NE(frame.first, CommandMode::Write);
    const MessageWindow& messages = rig.main.messageWindow();
    EXPECT_EQ(messages.line(messages.lineCount() - 1),
              "fout : Waarde 75 niet geschreven: er is geen verbinding met de regelautomaat.");
    EXPECT_EQ(field.text(), "60");
    EXPECT_TRUE(greyed(field));

    rig.trust.linkStateChanged(LinkState::Connected);
    EXPECT_TRUE(greyed(field));  // not reported since
    rig.report(3, 60);
    EXPECT_FALSE(greyed(field));
    EXPECT_TRUE(field.toolTip().isEmpty());
    EXPECT_TRUE(greyed(*rig.shownWidget().control(4)));
    QTest::keyClicks(&field, "75");
    key(rig, Qt::Key_Return);
    const std::vector<Frame> frames = rig.takeFrames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].first, CommandMode::Write);
    EXPECT_EQ(frames[0].second.value, 75);
}

TEST(DebugWindowItems, CheckBoxesFollowTheControllerOnly) {
    MainWindowRig rig;
    rig.main.nextWindow();  // debug_002.plo: on/off items
    rig.timers.fireAll();
    rig.takeFrames();
    ASSERT_EQ(rig.shownWidget().control(0)->objectName(), "VLTCHECKBOXITEMCLASS");
    EXPECT_TRUE(box(rig, 0).text().isEmpty());
    rig.report(0, 1);
    EXPECT_TRUE(box(rig, 0).isChecked());
    rig.report(1, 2);  // anything but exactly 1 is off
    EXPECT_FALSE(box(rig, 1).isChecked());

    // A click writes the inverted value; the mark stays until the report.
    QTest::mouseClick(&box(rig, 0), Qt::LeftButton);
    std::vector<Frame> frames = rig.takeFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].first, CommandMode::Write);
    EXPECT_EQ(frames[0].second.value, 0);
    EXPECT_TRUE(box(rig, 0).isChecked());
    rig.report(0, 0);
    EXPECT_FALSE(box(rig, 0).isChecked());

    // The blank and Enter invert it the same way; the box itself never does.
    key(rig, Qt::Key_Space);
    key(rig, Qt::Key_Return);
    frames = rig.takeFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].second.value, 1);
    EXPECT_EQ(frames[1].second.value, 0);
    EXPECT_FALSE(box(rig, 0).isChecked());

    // Items without a value take no keys and no clicks.
    QTest::mouseClick(&box(rig, 2), Qt::LeftButton);
    EXPECT_EQ(rig.shownScreen().selected(), 0);
    key(rig, Qt::Key_Right);  // item 1 has a value
    key(rig, Qt::Key_Right);  // item 2 has none
    ASSERT_EQ(rig.shownScreen().selected(), 2);
    key(rig, Qt::Key_Space);
    key(rig, Qt::Key_Return);
    key(rig, Qt::Key_V);
    EXPECT_TRUE(rig.takeFrames().empty());
}

TEST(DebugWindowLayout, PositionsScaleWithTheWindowSizesWithTheFont) {
    MainWindowRig rig;
    DebugWindow& window = rig.shownWidget();
    const DebugScreen& screen = rig.shownScreen();
    auto expected = [&](int column, int row, int cells) {
        const QFontMetrics metrics(window.font());
        const CellSize cell =
            cellSize(metrics.horizontalAdvance(QStringLiteral("ABCDEFGWWW")), metrics.height());
        const QRect area = window.contentsRect();
        const ControlPlace p = placeControl(column, row, cells, cell, area.width(), area.height(),
                                            screen.columnExtent(), screen.rowExtent());
        return QRect(area.x() + p.x, area.y() + p.y, p.width, p.height);
    };
    auto check = [&] {
        for (const DebugItem& item : screen.items()) {
            EXPECT_EQ(window.control(item.index)->geometry(),
                      expected(item.column, item.row, item.width))
                << item.index;
        }
        ASSERT_EQ(window.texts().size(), screen.texts().size());
        for (std::size_t i = 0; i < screen.texts().size(); ++i) {
            const FixedText& text = screen.texts()[i];
            EXPECT_EQ(window.texts()[i]->text().toStdString(), text.text);
            EXPECT_EQ(window.texts()[i]->geometry(),
                      expected(text.column, text.row, static_cast<int>(text.text.size())));
        }
    };
    check();
    const QPoint before = window.control(8)->pos();
    rig.main.resize(1000, 700);
    check();
    EXPECT_GT(window.control(8)->x(), before.x());
    EXPECT_GT(window.control(8)->y(), before.y());
    QFont bigger = window.font();
    bigger.setPointSize(bigger.pointSize() + 6);
    rig.main.applyFont(bigger);
    check();
}

}  // namespace
}  // namespace veltro::gui
