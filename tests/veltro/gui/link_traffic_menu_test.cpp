// The menu "Extra" on a bare main window: the frame monitor, the value log
// and the trend, fed through the link's tap slot as the reader would feed it.
#include "veltro/gui/monitor/link_traffic_menu.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QValueAxis>
#include <fstream>
#include <memory>

#include "support/temp_dir.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "veltro/gui/monitor/frame_monitor_window.h"
#include "veltro/gui/monitor/trend_window.h"
#include "veltro/link/frame_encoder.h"

namespace veltro::gui {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encoded(int code, int index, int value, CommandMode mode = CommandMode::Write) {
    const link::EncodedFrame f = link::encodeFrame({code, index, -1, 0, value}, mode);
    return Bytes(f.bytes().begin(), f.bytes().end());
}

DebugScreen screen(const std::string& title) {
    DebugScreen s(title);
    s.addText({"Groen", 0, 1});
    s.addText({"Hiaat", 0, 2});
    for (int row = 1; row <= 2; ++row) {
        DebugItem& item = s.addItem();
        item.functionCode = row == 1 ? 288 : 465;
        item.firstElement = 2;
        item.column = 8;
        item.row = row;
        item.hasControl = true;
    }
    s.buildIndex();
    return s;
}

struct Rig {
    FrameTapSlot slot;
    DebugWindowList windows;
    test_support::LinkRecorder display;
    WindowSwitchPorts ports{display};
    std::unique_ptr<ElementTables> elements = std::make_unique<ElementTables>();
    test_support::RecordingMessages messages;
    std::int64_t now = 1796732103000;
    QMainWindow window;
    LinkTrafficMenu* tools;

    Rig() {
        elements->signalGroups[0].name = "fc02";
        elements->signalGroups[0].arrayNumber = 2;
        elements->signalGroups.count = 1;
        windows.addWindow(screen("/p/DEBUG_001.PLO"));
        windows.addWindow(screen("/p/DEBUG_002.PLO"));
        windows.show(0, ports);
        window.menuBar()->addMenu(QStringLiteral("&Help"));
        tools = new LinkTrafficMenu(window, LinkTrafficParts{slot, windows, *elements, messages},
                                    [this] { return now; });
        window.show();
    }
    void in(const Bytes& bytes) {
        slot.use([&](FrameTap& tap) { tap.bytesIn(bytes); });
    }
    void out(const Bytes& bytes) {
        slot.use([&](FrameTap& tap) { tap.bytesOut(bytes); });
    }
};

using test_support::fileLines;

TEST(LinkTrafficMenu, TheMenuComesAfterTheDescribedOnesAndCostsTheLinkNothingUntilUsed) {
    Rig rig;
    const QList<QAction*> menus = rig.window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus.back()->text(), QStringLiteral("E&xtra"));
    QStringList items;
    for (QAction* a : menus.back()->menu()->actions())
        items << a->text();
    EXPECT_EQ(items, (QStringList{"&Frame monitor", "&Waarden vastleggen...",
                                  "&Gekozen waarden vastleggen...", "Vastleggen &stoppen",
                                  "&Trend...", "&Opname starten…", "Opname sto&ppen"}));
    EXPECT_FALSE(rig.tools->action(TrafficItem::RecordStop)->isEnabled());
    EXPECT_FALSE(rig.tools->action(TrafficItem::LogStop)->isEnabled());
    EXPECT_FALSE(rig.slot.attached());
}

TEST(LinkTrafficMenu, CtrlMOpensTheMonitorWhichShowsFramesFiltersPausesAndDetachesWhenClosed) {
    Rig rig;
    QApplication::setActiveWindow(&rig.window);
    QTest::keyClick(&rig.window, Qt::Key_M, Qt::ControlModifier);
    FrameMonitorWindow* monitor = rig.tools->monitorWindow();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_EQ(monitor->windowTitle(), QStringLiteral("Frame monitor"));
    EXPECT_TRUE(rig.slot.attached());

    rig.out(encoded(288, 2, 0, CommandMode::Read));
    rig.in(encoded(288, 2, 37));
    rig.in(Bytes{0x01, 0x02});
    rig.tools->tick();
    QAbstractItemModel* model = monitor->table()->model();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("uit"));
    EXPECT_EQ(model->index(0, 3).data().toString(), QStringLiteral("READ"));
    EXPECT_EQ(model->index(1, 4).data().toString(), QStringLiteral("288 VG_TIJD"));
    EXPECT_EQ(model->index(1, 5).data().toString(), QStringLiteral("2 fc02"));
    EXPECT_EQ(model->index(1, 7).data().toString(), QStringLiteral("37"));
    EXPECT_EQ(model->index(2, 3).data().toString(), QStringLiteral("losse bytes"));

    // Only received frames of one macro, filtered as it is typed: halfway
    // the word names no macro, is marked as such and shows nothing.
    monitor->findChild<QCheckBox*>(QStringLiteral("monitorOut"))->setChecked(false);
    auto* macros = monitor->findChild<QLineEdit*>(QStringLiteral("monitorMacros"));
    const QColor plain = macros->palette().color(QPalette::Base);
    QTest::keyClicks(macros, QStringLiteral("VG_TI"));
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(monitor->unknownMacros(), std::vector<std::string>{"VG_TI"});
    EXPECT_NE(macros->palette().color(QPalette::Base), plain);
    EXPECT_EQ(macros->toolTip(), QStringLiteral("Onbekende macro: VG_TI"));
    auto* status = monitor->findChild<QLabel*>(QStringLiteral("monitorStatus"));
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("Onbekende macro: VG_TI; ")))
        << status->text().toStdString();
    QTest::keyClicks(macros, QStringLiteral("JD"));  // no Enter needed
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 7).data().toString(), QStringLiteral("37"));
    EXPECT_TRUE(monitor->unknownMacros().empty());
    EXPECT_EQ(macros->palette().color(QPalette::Base), plain);
    // Each row is decoded once, however many cells are asked for.
    auto& rows = monitor->model();
    const std::uint64_t before = rows.described();
    for (int column = 0; column < model->columnCount(); ++column)
        model->index(0, column).data();
    EXPECT_LE(rows.described(), before + 1);

    // Paused, the frames are counted but not shown.
    monitor->findChild<QPushButton*>(QStringLiteral("monitorPause"))->click();
    rig.in(encoded(288, 2, 38));
    rig.tools->tick();
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(rig.tools->hub().skipped(), 1u);
    monitor->findChild<QPushButton*>(QStringLiteral("monitorPause"))->click();

    // Saved as shown, as a capture that can be replayed.
    test_support::TempDir dir;
    const std::string saved = (dir / "frames.txt").string();
    monitor->setFileChooser([&](QWidget*) { return QString::fromStdString(saved); });
    monitor->saveFrames();
    const auto lines = fileLines(saved);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "VELTRO-OPNAME 1");
    EXPECT_EQ(lines[3], "begin " + std::to_string(rig.now));
    EXPECT_EQ(lines[4], "0 < B9 43 40 42 65");  // WRITE 37 to VG_TIJD fc02
    EXPECT_EQ(lines[5], "einde");

    monitor->close();
    EXPECT_FALSE(rig.slot.attached());
}

TEST(LinkTrafficMenu, ARecordingTakesEveryFrameBothWaysUntilStopped) {
    Rig rig;
    test_support::TempDir dir;
    const std::string path = (dir / "opname.txt").string();
    QString title;
    rig.tools->setFileChooser([&](QWidget*, const QString& asked, const QString&) {
        title = asked;
        return QString::fromStdString(path);
    });
    rig.tools->action(TrafficItem::RecordStart)->trigger();
    EXPECT_EQ(title.toStdString(), "Opname opslaan als");
    ASSERT_TRUE(rig.slot.attached());
    EXPECT_FALSE(rig.tools->action(TrafficItem::RecordStart)->isEnabled());
    EXPECT_TRUE(rig.tools->action(TrafficItem::RecordStop)->isEnabled());
    rig.in(encoded(288, 2, 5));
    rig.now += 40;
    rig.slot.use([](FrameTap& tap) {
        const std::uint8_t read[] = {0xE9, 0x40, 0x42};
        tap.bytesOut(read);
    });
    rig.tools->tick();
    rig.tools->action(TrafficItem::RecordStop)->trigger();
    EXPECT_FALSE(rig.slot.attached());
    EXPECT_TRUE(rig.tools->action(TrafficItem::RecordStart)->isEnabled());
    const auto lines = fileLines(path);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "0 < B9 43 40 42 45");
    EXPECT_EQ(lines[5], "40 > E9 40 42");
    EXPECT_EQ(lines[6], "einde");
    EXPECT_EQ(rig.messages.texts(),
              (std::vector<std::string>{"Opname naar " + path + " gestart.",
                                        "Opname naar " + path + " gestopt: 2 frames."}));
}

TEST(LinkTrafficMenu, TheValueLogFollowsTheShownWindowUntilStopped) {
    Rig rig;
    test_support::TempDir dir;
    // A name typed without an extension gets ".csv".
    const std::string path = (dir / "waarden.csv").string();
    rig.tools->setFileChooser([&](QWidget*, const QString&, const QString&) {
        return QString::fromStdString((dir / "waarden").string());
    });
    rig.tools->startLog(false);
    ASSERT_TRUE(rig.slot.attached());
    EXPECT_TRUE(rig.tools->action(TrafficItem::LogStop)->isEnabled());
    EXPECT_FALSE(rig.tools->action(TrafficItem::LogWindow)->isEnabled());
    rig.in(encoded(288, 2, 5));
    rig.in(encoded(465, 2, 40));
    rig.tools->tick();
    rig.windows.show(1, rig.ports);
    rig.in(encoded(288, 2, 6));  // now an item of the second window
    rig.tools->tick();
    rig.tools->stopLog();
    EXPECT_FALSE(rig.slot.attached());
    const auto lines = fileLines(path);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].substr(29), ",DEBUG_001.PLO,Groen,VG_TIJD,fc02,5");
    EXPECT_EQ(lines[2].substr(29), ",DEBUG_001.PLO,Hiaat,inst_H_TIJD1,2,40");
    EXPECT_EQ(lines[3].substr(29), ",DEBUG_002.PLO,Groen,VG_TIJD,fc02,6");
    const auto texts = rig.messages.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Waarden worden vastgelegd in " + path);
    EXPECT_EQ(texts[1], "Vastleggen gestopt: 3 waarden in " + path);
}

TEST(LinkTrafficMenu, VeltroOpenStartsTheMonitorAndTheLogAndTheMonitorTellsItsCounts) {
    test_support::TempDir dir;
    const std::string path = (dir / "waarden.csv").string();
    qputenv("VELTRO_OPEN", QByteArray::fromStdString("monitor;log:" + path));
    Rig rig;
    qunsetenv("VELTRO_OPEN");
    for (int i = 0; i < 100 && rig.tools->monitorWindow() == nullptr; ++i)
        QCoreApplication::processEvents();  // both wait for the event loop
    ASSERT_NE(rig.tools->monitorWindow(), nullptr);
    EXPECT_TRUE(rig.tools->monitorWindow()->isVisible());
    EXPECT_TRUE(rig.tools->action(TrafficItem::LogStop)->isEnabled());
    rig.in(encoded(288, 2, 5));
    testing::internal::CaptureStderr();
    for (int i = 0; i < LinkTrafficMenu::kReportEvery; ++i)
        rig.tools->tick();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Frame monitor: 1 frames, 1 getoond, 0 overgeslagen, 0 verloren\n");
    rig.tools->stopLog();
    const auto lines = fileLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(29), ",DEBUG_001.PLO,Groen,VG_TIJD,fc02,5");
}

TEST(LinkTrafficMenu, ALogThatCannotStartSaysWhy) {
    Rig rig;
    rig.tools->setFileChooser([](QWidget*, const QString&, const QString&) {
        return QStringLiteral("/nonexistent-dir/waarden.csv");
    });
    rig.tools->startLog(false);
    EXPECT_FALSE(rig.slot.attached());
    ASSERT_EQ(rig.messages.lines().size(), 1u);
    EXPECT_EQ(rig.messages.lines()[0].kind, message_kind::kError);
    rig.windows.show(-1, rig.ports);
    rig.tools->startLog(false);
    EXPECT_EQ(rig.messages.texts().back(), "Er wordt geen debug venster getoond.");
}

TEST(LinkTrafficMenu, TheTrendPlotsTheChosenItemsLive) {
    Rig rig;
    rig.tools->setItemChooser([](const DebugScreen&, const std::vector<int>&) {
        return std::optional(std::vector<int>{0});
    });
    rig.tools->openTrend();
    TrendWindow* trend = rig.tools->trendWindow();
    ASSERT_NE(trend, nullptr);
    ASSERT_EQ(trend->lines().size(), 1u);
    EXPECT_EQ(trend->lines()[0]->name(), QStringLiteral("Groen  (VG_TIJD fc02)"));
    rig.in(encoded(288, 2, 5));
    rig.now += 1000;
    rig.in(encoded(288, 2, 9));
    rig.in(encoded(465, 2, 40));  // not plotted
    for (int i = 0; i < LinkTrafficMenu::kTrendEvery; ++i)
        rig.tools->tick();
    // Two steps, each drawn to where the next begins, the last one to now.
    const QList<QPointF> points = trend->lines()[0]->points();
    ASSERT_EQ(points.size(), 4);
    EXPECT_EQ(points[0].y(), 5);
    EXPECT_EQ(points[1].x(), points[2].x());
    EXPECT_EQ(points[3].y(), 9);
    EXPECT_EQ(points[3].x(), static_cast<double>(rig.now));
    // Values from 0 to 100 are drawn on an axis from 0 to 100.
    rig.in(encoded(288, 2, 0));
    rig.now += 1000;
    rig.in(encoded(288, 2, 100));
    for (int i = 0; i < LinkTrafficMenu::kTrendEvery; ++i)
        rig.tools->tick();
    auto* axis = qobject_cast<QValueAxis*>(trend->chart()->axes(Qt::Vertical).front());
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->min(), 0);
    EXPECT_EQ(axis->max(), 100);
    trend->close();
    EXPECT_FALSE(rig.slot.attached());
}

}  // namespace
}  // namespace veltro::gui
