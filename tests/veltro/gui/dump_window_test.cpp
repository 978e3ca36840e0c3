#include "veltro/gui/dump_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/dump_sample.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/settings.h"
#include "veltro/gui/qt_dispatcher.h"
#include "veltro/link/dump_receiver.h"
#include "veltro/link/link_flags.h"

namespace veltro::gui {
namespace {

using test_support::Bytes;

constexpr char kSection[] = "Hoofdvenster";
constexpr char kKey[] = "DPCOM file name";

class DumpWindowTest : public ::testing::Test {
  protected:
    DumpWindowTest() { settings.writeString(kSection, kKey, path("dpcom.dmp")); }

    std::string path(const std::string& name) const { return (dir.path() / name).string(); }

    std::unique_ptr<DumpWindow> openWindow() {
        auto window =
            std::make_unique<DumpWindow>(DumpWindowLinks{flags, writer, receiver, ports, settings},
                                         nullptr, [this](QWidget*, const QString& proposed) {
                                             proposals.push_back(proposed);
                                             return answer;
                                         });
        return window;
    }

    // One read of the reader thread, then the user-interface thread's turn.
    void feed(const std::string& bytes) {
        receiver.receive(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        dispatcher.drain();
    }

    static QPushButton* button(DumpWindow& window, const char* name) {
        auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test_support::TempDir dir;
    test_support::MemorySettings settings;
    link::LinkFlags flags;
    test_support::RecordingWriter writer;
    test_support::FakeDispatcher dispatcher;
    DumpWindowPorts ports;
    link::DumpReceiver receiver{ports, ports, dispatcher};
    std::vector<QString> proposals;
    std::optional<QString> answer;
};

TEST_F(DumpWindowTest, OpensWithItsControlsAndTheSettingsFile) {
    dir.write("dpcom.dmp", "the previous dump");
    auto window = openWindow();
    EXPECT_EQ(window->objectName(), "DPCOM");
    EXPECT_EQ(window->windowTitle(), "DPCOM");

    std::vector<QString> groups;
    for (auto* group : window->findChildren<QGroupBox*>())
        groups.push_back(group->title());
    EXPECT_EQ(groups, (std::vector<QString>{" Besturing ", " Data ", " Status "}));

    // The buttons with their texts, in the order the keyboard visits them.
    const std::vector<std::pair<QString, QString>> expected = {
        {"dumpVerify", "&Verificatie verbinding"},
        {"dumpMake", "&Maken van dump"},
        {"dumpFetch", "&Ophalen dump"},
        {"dumpAbort", "&Afbreken ophalen dump"},
        {"dumpChooseFile", "..."},
        {"dumpClearStatus", "&Schoonmaken statusregel"},
        {"dumpClose", "&DPCOM Afsluiten"},
    };
    std::vector<std::pair<QString, QString>> buttons;
    QWidget* start = button(*window, "dumpVerify");
    QWidget* at = start;
    do {
        if (auto* b = qobject_cast<QPushButton*>(at))
            buttons.emplace_back(b->objectName(), b->text());
        at = at->nextInFocusChain();
    } while (at != start && buttons.size() < 20);
    EXPECT_EQ(buttons, expected);
    EXPECT_TRUE(button(*window, "dumpClose")->isDefault());

    std::vector<QString> labels;
    for (auto* label : window->findChildren<QLabel*>())
        labels.push_back(label->text());
    EXPECT_EQ(labels, (std::vector<QString>{"", "...<<status>>...", "Aantal ontvangen bytes:",
                                            "Data opgeslagen in de file:"}));
    EXPECT_EQ(window->findChild<QLabel*>("dumpEcho")->alignment() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(window->findChild<QLabel*>("dumpStatus")->alignment() & Qt::AlignHCenter,
              Qt::AlignHCenter);
    EXPECT_EQ(window->findChild<QLineEdit*>("dumpCount")->alignment() & Qt::AlignRight,
              Qt::AlignRight);

    // Open: bytes go to the receiver, count 0, the file named and kept as it
    // is until a dump comes.
    EXPECT_TRUE(flags.dumpOpen);
    EXPECT_TRUE(window->sessionOpen());
    EXPECT_EQ(window->countText(), "0");
    EXPECT_EQ(window->fileText(), QString::fromStdString(path("dpcom.dmp")));
    EXPECT_EQ(dir.read("dpcom.dmp"), "the previous dump");
    EXPECT_TRUE(writer.writes.empty());

    // Without a setting the file is "dpcom.dmp" of the current directory.
    window.reset();
    test_support::MemorySettings empty;
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    window = std::make_unique<DumpWindow>(DumpWindowLinks{flags, writer, receiver, ports, empty});
    EXPECT_EQ(window->fileText(), "dpcom.dmp");
    window.reset();
    std::filesystem::current_path(here);
}

TEST_F(DumpWindowTest, CommandsSendOneByteByMouseAndByKey) {
    auto window = openWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    struct Case {
        const char* button;
        Qt::Key key;
        std::uint8_t byte;
        QString status;
    };
    const Case cases[] = {
        {"dumpVerify", Qt::Key_V, 'V', "Verifieren verzonden..."},
        {"dumpMake", Qt::Key_M, 'M', "Maak dump verzonden..."},
        {"dumpFetch", Qt::Key_O, 'O', "Ophalen verzonden..."},
        {"dumpAbort", Qt::Key_A, 'A', "Afbreken verzonden..."},
    };
    for (const Case& c : cases) {
        writer.writes.clear();
        ports.cancel();
        QTest::mouseClick(button(*window, c.button), Qt::LeftButton);
        EXPECT_EQ(writer.writes, std::vector<Bytes>{Bytes{c.byte}}) << c.button;
        EXPECT_EQ(window->statusText(), c.status);
        EXPECT_TRUE(ports.replyTimerActive()) << c.button;

        window->findChild<QPushButton*>("dumpClearStatus")->click();
        EXPECT_EQ(window->statusText(), "");
        QTest::keyClick(window.get(), c.key, Qt::AltModifier);
        // A mnemonic presses its button visibly: the click follows shortly.
        EXPECT_TRUE(QTest::qWaitFor([&] { return writer.writes.size() == 2; }, 2000));
        EXPECT_EQ(writer.writes, (std::vector<Bytes>{Bytes{c.byte}, Bytes{c.byte}})) << c.button;
        EXPECT_EQ(window->statusText(), c.status);
    }
    // Verification switches the echo on before its byte leaves.
    EXPECT_TRUE(receiver.echoOn());
    // A refused write is not reported: the status says it was sent.
    writer.refuse = true;
    button(*window, "dumpMake")->click();
    EXPECT_EQ(window->statusText(), "Maak dump verzonden...");
}

// The reply timer repeats every 10 seconds until a byte comes; its firing is
// driven here by hand.
TEST_F(DumpWindowTest, NoReplyEveryTenSecondsUntilAByteComes) {
    auto window = openWindow();
    EXPECT_FALSE(ports.replyTimerActive());
    button(*window, "dumpVerify")->click();
    EXPECT_TRUE(ports.replyTimerActive());
    EXPECT_EQ(ports.replyTimerInterval(), std::chrono::milliseconds(10000));
    ports.replyTimeout();
    EXPECT_EQ(window->statusText(), "Geen reactie");
    button(*window, "dumpClearStatus")->click();
    EXPECT_EQ(window->statusText(), "");
    ports.replyTimeout();
    EXPECT_EQ(window->statusText(), "Geen reactie");
    EXPECT_TRUE(ports.replyTimerActive());

    feed("O");
    EXPECT_FALSE(ports.replyTimerActive());
    EXPECT_EQ(window->countText(), "1");

    // A second command starts it again; closing the window stops it.
    button(*window, "dumpFetch")->click();
    EXPECT_TRUE(ports.replyTimerActive());
    window->reject();
    EXPECT_FALSE(ports.replyTimerActive());
    ports.replyTimeout();  // a firing already queued does nothing
}

TEST_F(DumpWindowTest, ShowsCountEchoAndTheEndOfTheDump) {
    auto window = openWindow();
    feed("before verification ");
    EXPECT_EQ(window->echoText(), "");
    button(*window, "dumpVerify")->click();
    feed("Regelaar 214\r\nin orde  daarna");
    EXPECT_EQ(window->echoText(), "Regelaar 214  in orde ");  // control bytes as blanks
    EXPECT_EQ(window->countText(), QString::number(20 + 29));

    // More than 98 characters: the last 98 are shown.
    button(*window, "dumpVerify")->click();
    std::string text;
    for (int i = 0; i < 130; ++i)
        text += static_cast<char>('a' + i % 26);
    feed(text);
    EXPECT_EQ(window->echoText(), QString::fromStdString(text.substr(130 - 98)));

    // 0xFF with a line feed ends the dump; 0xFF, 'x', line feed does not.
    button(*window, "dumpFetch")->click();
    feed("\xFFx\n");
    EXPECT_NE(window->statusText(), "EINDE DUMP");
    feed("EINDE DUMP\n\xFF");
    feed("\n");
    EXPECT_EQ(window->statusText(), "EINDE DUMP");
    window->accept();

    const std::string stored = dir.read("dpcom.dmp");
    EXPECT_EQ(stored.rfind("before verification Regelaar 214\r\r\nin orde  daarna", 0), 0u);
    const std::string tail = "\xFFx\r\nEINDE DUMP\r\n\xFF\r\n";
    EXPECT_EQ(stored.substr(stored.size() - tail.size()), tail);
}

TEST_F(DumpWindowTest, ChoosingAnotherFile) {
    auto window = openWindow();
    button(*window, "dumpFetch")->click();
    feed("a");

    // Cancelled: nothing changes.
    button(*window, "dumpChooseFile")->click();
    EXPECT_EQ(proposals, std::vector<QString>{QString::fromStdString(path("dpcom.dmp"))});
    EXPECT_EQ(window->fileText(), QString::fromStdString(path("dpcom.dmp")));

    // The file in use, by another name: shown, but not emptied nor stored.
    const QString sameFile = QString::fromStdString((dir.path() / "." / "dpcom.dmp").string());
    answer = sameFile;
    button(*window, "dumpChooseFile")->click();
    EXPECT_EQ(window->fileText(), sameFile);
    EXPECT_EQ(settings.readString(kSection, kKey, ""), path("dpcom.dmp"));
    feed("b");

    // Another file takes the rest and becomes the setting.
    answer = QString::fromStdString(path("kruispunt 214.dmp"));
    button(*window, "dumpChooseFile")->click();
    EXPECT_EQ(proposals.back(), sameFile);
    EXPECT_EQ(window->fileText(), *answer);
    EXPECT_EQ(settings.readString(kSection, kKey, ""), path("kruispunt 214.dmp"));
    feed("c\n");

    // A name that would be cut is refused; the field keeps the file in use.
    answer = QString::fromStdString(path(std::string(300, 'x') + ".dmp"));
    button(*window, "dumpChooseFile")->click();
    EXPECT_EQ(window->fileText(), QString::fromStdString(path("kruispunt 214.dmp")));
    EXPECT_EQ(window->statusText(), "Naam van de dumpfile is te lang");
    EXPECT_EQ(settings.readString(kSection, kKey, ""), path("kruispunt 214.dmp"));
    window->accept();
    EXPECT_EQ(dir.read("dpcom.dmp"), "ab");
    EXPECT_EQ(dir.read("kruispunt 214.dmp"), "c\r\n");

    // The next opening takes the chosen file, and keeps it until a dump.
    window = openWindow();
    EXPECT_EQ(window->fileText(), QString::fromStdString(path("kruispunt 214.dmp")));
    EXPECT_EQ(dir.read("kruispunt 214.dmp"), "c\r\n");
}

// Where the dump cannot go, the window never ends saying "Data opgeslagen
// in de file:": it says so when it opens, when the dump comes and at its end,
// with the cause, and the label before the file agrees.
TEST_F(DumpWindowTest, ADumpThatCannotBeStoredIsNeverShownAsStored) {
    const auto blocker = dir.write("geen map", "een bestand");
    settings.writeString(kSection, kKey, (blocker / "dpcom.dmp").string());
    auto window = openWindow();
    EXPECT_EQ(window->statusText(),
              "Dumpfile kan niet worden geopend: een deel van het pad is geen map");
    EXPECT_EQ(window->fileLabelText(), "Data opgeslagen in de file:");
    button(*window, "dumpVerify")->click();
    feed("OK  ");
    EXPECT_EQ(window->countText(), "4");
    EXPECT_EQ(window->echoText(), "OK ");
    button(*window, "dumpFetch")->click();
    feed("ALGEMEEN\n");
    EXPECT_EQ(window->statusText(), "Dump niet opgeslagen: een deel van het pad is geen map");
    EXPECT_EQ(window->fileLabelText(), "Data niet opgeslagen in de file:");
    feed("EINDE DUMP\n\xFF\n");
    EXPECT_EQ(window->statusText(),
              "EINDE DUMP - niet opgeslagen: een deel van het pad is geen map");
    EXPECT_EQ(window->fileLabelText(), "Data niet opgeslagen in de file:");

    // Another file that can be written: the label takes it back.
    answer = QString::fromStdString(path("elders.dmp"));
    button(*window, "dumpChooseFile")->click();
    EXPECT_EQ(window->fileLabelText(), "Data opgeslagen in de file:");
    feed("rest");
    window->accept();
    EXPECT_EQ(dir.read("elders.dmp"), "rest");
    EXPECT_EQ(dir.read("geen map"), "een bestand");
}

// Opening the window to look, or to verify the link, keeps yesterday's dump
// byte for byte; so does a window whose file does not exist (none is made).
TEST_F(DumpWindowTest, OpeningAndClosingKeepsTheLastDump) {
    const std::string yesterday("ALGEMEEN\r\nEINDE DUMP\r\n\xFF\r\n", 25);
    dir.write("dpcom.dmp", yesterday);
    for (const bool verify : {false, true}) {
        auto window = openWindow();
        if (verify) {
            button(*window, "dumpVerify")->click();
            feed("Regelaar 214 in orde  ");
        }
        window->accept();
        EXPECT_EQ(dir.read("dpcom.dmp"), yesterday) << verify;
    }
    settings.writeString(kSection, kKey, path("nieuw.dmp"));
    openWindow()->reject();
    EXPECT_EQ(test_support::fileNames(dir.path()), std::vector<std::string>{"dpcom.dmp"});
}

TEST_F(DumpWindowTest, EveryWayOfClosingEndsTheSession) {
    const std::function<void(DumpWindow&)> closings[] = {
        [](DumpWindow& w) { QTest::mouseClick(button(w, "dumpClose"), Qt::LeftButton); },
        [](DumpWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); },
        [](DumpWindow& w) {  // Enter outside a button: the default button
            auto* field = w.findChild<QLineEdit*>("dumpCount");
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
        },
        [](DumpWindow& w) { w.close(); },  // the title bar
    };
    int round = 0;
    for (const auto& closeIt : closings) {
        auto window = openWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        button(*window, "dumpFetch")->click();
        feed("kept");
        receiver.receive(std::span(reinterpret_cast<const std::uint8_t*>("late"), 4));
        closeIt(*window);
        EXPECT_FALSE(window->isVisible()) << round;
        EXPECT_FALSE(window->sessionOpen()) << round;
        EXPECT_FALSE(flags.dumpOpen) << round;
        EXPECT_FALSE(receiver.fileOpen()) << round;
        // A display update posted before the close reaches no window.
        dispatcher.drain();
        feed("after");
        EXPECT_EQ(dir.read("dpcom.dmp"), "keptlate") << round;
        ++round;
    }

    // A window destroyed while open ends its session as well.
    auto window = openWindow();
    window.reset();
    EXPECT_FALSE(flags.dumpOpen);
    EXPECT_FALSE(receiver.fileOpen());
    ports.showStatus("nobody");  // no window: dropped
}

TEST_F(DumpWindowTest, RunsModallyUntilClosed) {
    QTimer::singleShot(0, [] {
        auto* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->objectName(), "DPCOM");
        modal->findChild<QPushButton*>("dumpClose")->click();
    });
    EXPECT_EQ(DumpWindow::run({flags, writer, receiver, ports, settings}, nullptr),
              QDialog::Accepted);
    EXPECT_FALSE(flags.dumpOpen);
}

// The reader thread's reads reach the window only through the dispatcher;
// closing while it goes on neither blocks nor stores a byte afterwards.
TEST(DumpWindowThreads, ReaderThreadUpdatesArePostedAndCloseDoesNotWait) {
    test_support::TempDir dir;
    test_support::MemorySettings settings;
    settings.writeString(kSection, kKey, (dir.path() / "dpcom.dmp").string());
    link::LinkFlags flags;
    test_support::RecordingWriter writer;
    QtDispatcher dispatcher;
    DumpWindowPorts ports;
    link::DumpReceiver receiver(ports, ports, dispatcher);
    auto window =
        std::make_unique<DumpWindow>(DumpWindowLinks{flags, writer, receiver, ports, settings});
    window->show();
    window->findChild<QPushButton*>("dumpFetch")->click();

    std::atomic<bool> stop{false};
    std::thread reader([&] {
        const std::string chunk(100, 'x');
        while (!stop.load()) {
            if (flags.dumpOpen.load())
                receiver.receive(
                    std::span(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size()));
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->countText().toInt() >= 10000; }, 5000));
    window->accept();  // the reader goes on reading meanwhile
    const auto stored = dir.read("dpcom.dmp").size();
    EXPECT_EQ(stored % 100, 0u);
    QTest::qWait(20);
    stop = true;
    reader.join();
    QCoreApplication::processEvents();  // updates still queued reach no window
    EXPECT_EQ(dir.read("dpcom.dmp").size(), stored);
    EXPECT_EQ(static_cast<std::size_t>(receiver.count()), stored);
}

TEST(DumpFileQuestion, SaveDialogTitleFilterExtensionAndProposal) {
    test_support::TempDir dir;
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    QString title, filter, suffix, directory, proposed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filter = dialog->nameFilters().join(';');
        suffix = dialog->defaultSuffix();
        directory = dialog->directory().absolutePath();
        proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText("tweede");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const auto chosen = askDumpFile(nullptr, "eerste.dmp");
    std::filesystem::current_path(here);
    EXPECT_EQ(title, "Sla DUMP file op als:");
    EXPECT_EQ(filter, "*.dmp");
    EXPECT_EQ(suffix, "dmp");
    EXPECT_EQ(directory.toStdString(), std::filesystem::canonical(dir.path()).string());
    EXPECT_EQ(proposed, "eerste.dmp");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->toStdString(), (std::filesystem::canonical(dir.path()) / "tweede.dmp"));

    // Cancelled: nothing.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(askDumpFile(nullptr, "x.dmp").has_value());
}

// The ready window for the README, grabbed as a person would see it.
TEST(DumpWindowSampleTest, ShowsAFetchedDump) {
    test_support::TempDir dir;
    test_support::DumpWindowSample sample(QString::fromStdString(dir.path().string()));
    DumpWindow& window = sample.window();
    EXPECT_EQ(window.statusText(), "EINDE DUMP");
    EXPECT_EQ(window.echoText(), "Verbinding met regelaar 214 in orde ");
    EXPECT_GT(window.countText().toInt(), 1000);
    // The file holds what was counted, with a carriage return per line feed.
    const std::string stored = dir.read("dpcom.dmp");
    const auto returns = std::count(stored.begin(), stored.end(), '\r');
    EXPECT_EQ(window.countText().toStdString(), std::to_string(stored.size() - returns));
    window.show();
    EXPECT_TRUE(window.grab().save(QStringLiteral(TEST_BINARY_DIR "/dump_window.png")));
}

}  // namespace
}  // namespace veltro::gui

// The application object must outlive every widget and go before Qt's own
// globals, so it lives in main rather than in a static.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
