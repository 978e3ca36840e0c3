// A debug window's items on real widgets: reports shown, an edit typed and
// sent, the save question, check boxes that never toggle themselves, items
// without a value, and the layout formula.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>

#include "common/format.h"
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
    // The field left by the keys keeps no selected text; the next has all of it.
    rig.report(3, 60);
    QTest::mouseClick(&field, Qt::LeftButton);
    key(rig, Qt::Key_Right);
    EXPECT_TRUE(field.selectedText().isEmpty());
    EXPECT_EQ(edit(rig, 4).selectedText(), edit(rig, 4).text());
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

// No two texts or controls of a window overlap, and every one lies inside it.
void expectNothingOverlaps(const DebugWindow& window) {
    std::vector<const QWidget*> parts;
    for (const QWidget* text : window.texts())
        parts.push_back(text);
    for (const DebugItem& item : window.screen().items()) {
        if (const QWidget* c = window.control(item.index))
            parts.push_back(c);
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_TRUE(window.contentsRect().contains(parts[i]->geometry())) << i;
        for (std::size_t j = i + 1; j < parts.size(); ++j)
            EXPECT_FALSE(parts[i]->geometry().intersects(parts[j]->geometry())) << i << " " << j;
    }
}

// How wide the drawing in `widget` is: from the first column of pixels that
// differs from its background to the last.
int inkWidth(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                first = std::min(first, x);
                last = x;
                break;
            }
        }
    }
    return last >= first ? last - first + 1 : 0;
}

// The field shows its whole text: drawn as wide as in a field with room.
bool wholeTextShown(QLineEdit& field) {
    QLineEdit roomy;
    roomy.setFont(field.font());
    roomy.setFrame(false);
    roomy.setTextMargins(field.textMargins());
    roomy.setAlignment(field.alignment());
    roomy.setText(field.text());
    roomy.resize(field.width() * 3, field.height());
    return inkWidth(field) == inkWidth(roomy);
}

QScrollArea& scrollArea(MainWindow& main) {
    return *main.findChild<QScrollArea*>(QStringLiteral("debugArea"));
}

// Positions scale with the window, sizes with the font: each text and
// control at its cell's place, at least its cells large, and larger where
// its content needs it (the digits of "081226", a check box's mark) -
// in the face of the desktop and in a fixed-pitch one, small and large.
TEST(DebugWindowLayout, PositionsScaleWithTheWindowSizesWithTheFont) {
    MainWindowRig rig;
    rig.timers.fireAll();
    rig.report(0, 81226);
    DebugWindow& window = rig.shownWidget();
    const DebugScreen& screen = rig.shownScreen();
    auto check = [&] {
        const CellSize cell = DebugWindow::cell(window.font());
        const QRect area = window.contentsRect();
        auto place = [&](int column, int row) {
            const ControlPlace p = placeControl(column, row, 0, cell, area.width(), area.height(),
                                                screen.columnExtent(), screen.rowExtent());
            return QPoint(area.x() + p.x, area.y() + p.y);
        };
        for (const DebugItem& item : screen.items()) {
            const QWidget& c = *window.control(item.index);
            EXPECT_EQ(c.pos(), place(item.column, item.row)) << item.index;
            EXPECT_GE(c.width(), item.width * cell.width) << item.index;
            EXPECT_GE(c.height(), cell.height) << item.index;
        }
        ASSERT_EQ(window.texts().size(), screen.texts().size());
        for (std::size_t i = 0; i < screen.texts().size(); ++i) {
            const FixedText& text = screen.texts()[i];
            EXPECT_EQ(window.texts()[i]->text().toStdString(), text.text);
            EXPECT_EQ(window.texts()[i]->pos(), place(text.column, text.row));
        }
        expectNothingOverlaps(window);
        EXPECT_TRUE(wholeTextShown(edit(rig, 0))) << edit(rig, 0).width();
    };
    check();
    const QPoint before = window.control(8)->pos();
    rig.main.resize(1000, 700);
    check();
    EXPECT_GT(window.control(8)->x(), before.x());
    EXPECT_GT(window.control(8)->y(), before.y());
    const QFont desktop = window.font();
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Every size: in a fixed-pitch face a cell is about a digit wide, and at
    // some sizes the digits alone fill the field's cells.
    for (const QFont& face : {desktop, fixed}) {
        for (int points = 6; points <= 30; ++points) {
            QFont font = face;
            font.setPointSize(points);
            rig.main.applyFont(font);
            SCOPED_TRACE(font.family().toStdString() + " " + std::to_string(points));
            check();
        }
    }
}

// A main window smaller than its debug window's picture scrolls it rather
// than squeezing its rows; on a larger one the scroll bars go again.
TEST(DebugWindowLayout, ASmallMainWindowScrollsTheDebugWindow) {
    MainWindowRig rig;
    rig.main.nextWindow();  // check boxes on most rows
    DebugWindow& window = rig.shownWidget();
    QScrollArea& scroll = scrollArea(rig.main);
    // The scroll bars come and go with the scroll area's next layout.
    auto scrolls = [&](bool both) {
        return QTest::qWaitFor([&] {
            return scroll.verticalScrollBar()->isVisible() == both &&
                   scroll.horizontalScrollBar()->isVisible() == both;
        });
    };
    rig.main.resize(1000, 800);
    EXPECT_TRUE(scrolls(false));
    rig.main.resize(300, 250);
    EXPECT_TRUE(scrolls(true));
    EXPECT_EQ(window.size(), window.minimumSize());
    expectNothingOverlaps(window);
    for (const DebugItem& item : rig.shownScreen().items()) {
        const QWidget& c = *window.control(item.index);
        EXPECT_GE(c.height(), c.minimumSizeHint().height()) << item.index;  // marks not cut
    }
    // A selected field out of view is scrolled into it.
    rig.timers.fireAll();
    const int last = static_cast<int>(rig.shownScreen().items().size()) - 1;
    rig.report(last, 1);
    QTest::keyClick(&rig.main, Qt::Key_Left);
    ASSERT_EQ(rig.shownScreen().selected(), last);
    const QWidget& selected = *window.control(last);
    const QRect seen(window.mapFrom(scroll.viewport(), QPoint(0, 0)), scroll.viewport()->size());
    EXPECT_TRUE(seen.contains(selected.geometry())) << seen.y() << " " << selected.y();

    rig.main.resize(1000, 800);
    EXPECT_TRUE(scrolls(false));
    EXPECT_EQ(window.size(), scroll.viewport()->size());

    // A font too large for the window scrolls it too, a smaller one no more.
    const QFont font = window.font();
    QFont large = font;
    large.setPointSize(40);
    rig.main.applyFont(large);
    EXPECT_TRUE(scrolls(true));
    EXPECT_EQ(scroll.widget()->size(), window.minimumSize());
    rig.main.applyFont(font);
    EXPECT_TRUE(scrolls(false));
    EXPECT_EQ(window.size(), scroll.viewport()->size());
}

// The picture of a debug window file that uses all 24 rows and 80 columns,
// with a check box and a value field on each row.
std::string fullPicture() {
    const char* groups[] = {"SG02", "SG03", "SG05", "SG08", "SG09", "SG11", "SG22", "SG24"};
    const char* boxes[] = {"R", "G", "GL"};
    const char* fields[] = {"inst_VG_TIJD", "inst_MG_TIJD", "inst_GG_TIJD"};
    std::string picture;
    std::string list = "#include \"zxapdef.h\"\n\n";
    for (int row = 0; row < 24; ++row) {
        char line[128];
        std::snprintf(line, sizeof line, "%-58s~%02d         ~~~~%02deind\n",
                      ("Regel " + std::to_string(row)).c_str(), 2 * row + 1, 2 * row + 2);
        picture += line;
        list += common::format("%02d  %s  %s\n", 2 * row + 1, boxes[row / 8], groups[row % 8]);
        list += common::format("%02d  %s  %s\n", 2 * row + 2, fields[row / 8], groups[row % 8]);
    }
    return picture + list;
}

// Without a size in veltro.ini the main window shows a whole screen of 24
// rows of 80 characters at its font without scrolling, as far as the
// screen allows.
TEST(DebugWindowFit, AMainWindowWithoutASizeShowsAFullScreenWhole) {
    MainWindowRig rig;
    const test_support::TempDir dir;
    dir.write("volle_001.plo", fullPicture());
    const QRect available = rig.main.screen()->availableGeometry();
    const QFont desktop = rig.shownWidget().font();
    for (const int points : {7, 30}) {
        SCOPED_TRACE(points);
        QFont font = desktop;
        font.setPointSize(points);
        MainWindow fresh{MainWindowParts{rig.windows, rig.link, rig.poll, rig.sender, rig.trust,
                                         rig.prompts, rig.log, rig.settings, rig.definitions,
                                         rig.debugDirectory}};
        fresh.applyFont(font);
        fresh.sizeForFullPicture();
        fresh.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
        fresh.openFiles({(dir.path() / "volle_001.plo").string()});
        ASSERT_EQ(fresh.shownWidget()->screen().columnExtent(), 84);
        ASSERT_EQ(fresh.shownWidget()->screen().rowExtent(), 25);
        expectNothingOverlaps(*fresh.shownWidget());
        EXPECT_LE(fresh.width(), available.width());
        EXPECT_LE(fresh.height(), available.height());
        // This screen holds a 7-point picture, with room to spare; not a 30-point one.
        const bool fits = points == 7;
        if (fits) {
            EXPECT_LT(fresh.height(), available.height());
        }
        QScrollArea& scroll = scrollArea(fresh);
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return scroll.verticalScrollBar()->isVisible() != fits &&
                   scroll.horizontalScrollBar()->isVisible() != fits;
        }));
        WindowSwitchPorts ports{rig.link};
        rig.windows.remove(rig.windows.shown(), ports, rig.log);
        fresh.syncWindows();
    }
}

}  // namespace
}  // namespace veltro::gui
