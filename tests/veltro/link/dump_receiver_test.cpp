#include "veltro/link/dump_receiver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/file_error.h"
#include "support/platform.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/timers.h"
#include "veltro/link/dump_session.h"

namespace veltro::link {
namespace {

using test_support::Bytes;
using test_support::FakeDispatcher;
using test_support::FakeReplyTimer;
using test_support::RecordingDumpDisplay;
using test_support::RecordingWriter;
using test_support::TempDir;

class DumpReceiverTest : public ::testing::Test {
  protected:
    // One read of the reader thread, then the user-interface thread's turn.
    void feed(std::string_view bytes) {
        receiver.receive(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        dispatcher.drain();
    }
    std::string file(const std::string& name = "dpcom.dmp") const {
        return (dir.path() / name).string();
    }
    TempDir dir;
    RecordingDumpDisplay display;
    FakeReplyTimer timer;
    FakeDispatcher dispatcher;
    DumpReceiver receiver{display, timer, dispatcher};
};

TEST_F(DumpReceiverTest, StoresBytesWithLineFeedsAsCrLfAndCounts) {
    receiver.open(file());
    receiver.dumpAsked();
    feed(std::string("AB\nC\xFF\r", 7));
    EXPECT_EQ(receiver.count(), 7);
    EXPECT_EQ(display.count(), 7);
    // On disk as soon as the read is handled, before the dialog closes.
    EXPECT_EQ(dir.read("dpcom.dmp"), std::string("AB\r\nC\xFF\r", 8));
    receiver.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), std::string("AB\r\nC\xFF\r", 8));

    // A byte that comes after the close is neither counted nor written.
    feed("x");
    EXPECT_EQ(dir.read("dpcom.dmp"), std::string("AB\r\nC\xFF\r", 8));

    // Opening again restarts the count; the next dump empties the same file.
    receiver.open(file());
    EXPECT_EQ(display.count(), 0);
    receiver.dumpAsked();
    feed("z");
    receiver.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), "z");
}

// The last dump survives every session that brings no new one: the file is
// emptied only when the first byte of a dump arrives, and then holds every
// byte of the session, the verification's answer first, as it always did.
TEST_F(DumpReceiverTest, TheLastDumpStaysUntilANewOneComes) {
    const std::string yesterday("ALGEMEEN\r\nEINDE DUMP\r\n\xFF\r\n", 25);
    const std::string unasked(DumpReceiver::kHoldLimit + 1, 'u');
    struct Case {
        const char* what;
        bool existing;
        std::vector<std::string> beforeAsking;
        bool asked;
        std::vector<std::string> afterAsking;
        std::optional<std::string> file;  // nothing: no file at all
    };
    const Case cases[] = {
        {"opened and closed", true, {}, false, {}, yesterday},
        {"opened and closed, no file", false, {}, false, {}, std::nullopt},
        {"verified only", true, {"OK regelaar  "}, false, {}, yesterday},
        {"asked, nothing came", true, {}, true, {}, yesterday},
        {"verified, then a dump",
         true,
         {"OK ", " "},
         true,
         {"D\n", "\xFF\n"},
         std::string("OK  D\r\n\xFF\r\n")},
        {"a dump, no file yet", false, {}, true, {"D"}, std::string("D")},
        {"more than held unasked", true, {unasked}, false, {}, unasked},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir.path() / "dpcom.dmp");
        if (c.existing)
            dir.write("dpcom.dmp", yesterday);
        receiver.open(file());
        for (const std::string& bytes : c.beforeAsking)
            feed(bytes);
        if (c.asked)
            receiver.dumpAsked();
        for (const std::string& bytes : c.afterAsking)
            feed(bytes);
        receiver.close();
        EXPECT_EQ(std::filesystem::exists(dir.path() / "dpcom.dmp"), c.file.has_value()) << c.what;
        if (c.file) {
            EXPECT_EQ(dir.read("dpcom.dmp"), *c.file) << c.what;
        }
        EXPECT_TRUE(display.stored()) << c.what;
    }
}

// A dump that cannot be stored is counted and echoed, and says so at once
// and at its end, with the cause; the label of the file follows.
TEST_F(DumpReceiverTest, ADumpThatCannotBeStoredSaysSoAndWhy) {
    const auto blocker = dir.write("bestand", "geen map");
    const std::string cause =
        common::fileErrorText(std::make_error_code(test_support::pathBelowAFile()));
    receiver.open((blocker / "dpcom.dmp").string());
    receiver.setEcho(true);
    feed("OK ");
    EXPECT_TRUE(display.stored());  // nothing to store yet
    receiver.dumpAsked();
    feed("AB");
    EXPECT_FALSE(display.stored());
    EXPECT_EQ(display.status(), "Dump niet opgeslagen: " + cause);
    EXPECT_EQ(receiver.storeError(), test_support::pathBelowAFile());
    feed("C\xFF\n");
    EXPECT_EQ(display.status(), "EINDE DUMP - niet opgeslagen: " + cause);
    EXPECT_EQ(receiver.count(), 8);
    EXPECT_EQ(display.echo(), "OK ABC\xFF\n");
    receiver.close();
    EXPECT_EQ(dir.read("bestand"), "geen map");

    // A fresh session shows the file as one that takes the data again.
    receiver.open(file());
    EXPECT_TRUE(display.stored());
    EXPECT_FALSE(receiver.storeError());
    receiver.close();
}

#ifndef _WIN32
// A full disk: nothing is stored (/dev/full refuses the first byte), or the
// dump is stored up to where the disk filled (a small tmpfs).
TEST_F(DumpReceiverTest, AFullDiskIsTold) {
    receiver.open("/dev/full");
    receiver.dumpAsked();
    feed("dump\n");
    EXPECT_FALSE(display.stored());
    EXPECT_EQ(display.status(), "Dump niet opgeslagen: schijf vol");
    receiver.close();

    test_support::SmallDisk disk(8192);
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs may be mounted here";
    receiver.open((disk.path() / "dpcom.dmp").string());
    receiver.dumpAsked();
    const std::string line(1000, 'x');
    feed(line);
    EXPECT_TRUE(display.stored());
    for (int i = 0; i < 20; ++i)
        feed(line);
    feed("\xFF\n");
    EXPECT_FALSE(display.stored());
    EXPECT_EQ(display.status(), "EINDE DUMP - niet volledig opgeslagen: schijf vol");
    receiver.close();
    const std::string stored = test_support::readFile(disk.path() / "dpcom.dmp");
    EXPECT_GE(stored.size(), line.size());
    EXPECT_EQ(stored.substr(0, line.size()), line);
}
#endif

// The window is updated once per read, on the user-interface thread, and a
// read cancels the reply timer once: no "Geen reactie" after bytes came.
TEST_F(DumpReceiverTest, OneWindowUpdatePerReadOnTheUserInterfaceThread) {
    receiver.open(file());
    const int before = display.countUpdates();
    const std::string big(4000, 'x');
    receiver.receive(std::span(reinterpret_cast<const std::uint8_t*>(big.data()), big.size()));
    EXPECT_EQ(display.countUpdates(), before);  // nothing shown from the reader thread
    EXPECT_EQ(dispatcher.queued(), 1u);
    dispatcher.drain();
    EXPECT_EQ(display.countUpdates(), before + 1);
    EXPECT_EQ(display.count(), 4000);
    EXPECT_EQ(timer.cancels, 1);

    // An update of an earlier session that arrives after a reopen is not shown.
    feed("ab");
    receiver.receive(std::span(reinterpret_cast<const std::uint8_t*>("cd"), 2));
    receiver.open(file());
    dispatcher.drain();
    EXPECT_EQ(display.count(), 0);

    // An update that arrives after the receiver is gone does nothing.
    {
        DumpReceiver shortLived(display, timer, dispatcher);
        shortLived.open(file("kort.dmp"));
        shortLived.receive(std::span(reinterpret_cast<const std::uint8_t*>("e"), 1));
    }
    dispatcher.drain();
    EXPECT_EQ(display.count(), 0);
}

TEST_F(DumpReceiverTest, EchoStopsAtTwoBlanksAndKeepsTheLast98) {
    receiver.open(file());
    feed("hidden");
    EXPECT_EQ(display.echo(), "");  // echo is off until verification
    receiver.setEcho(true);
    feed("OK regelaar 214  rest");
    EXPECT_EQ(display.echo(), "OK regelaar 214 ");
    EXPECT_FALSE(receiver.echoOn());

    receiver.setEcho(true);
    std::string longText;
    for (int i = 0; i < 120; ++i)
        longText += static_cast<char>('a' + i % 26);
    // Byte by byte or in one read: the line shows the same last 98.
    for (char c : longText.substr(0, 60))
        feed(std::string(1, c));
    feed(longText.substr(60));
    EXPECT_EQ(display.echo().size(), DumpReceiver::kEchoWidth);
    // 16 characters were shown before: the line holds the last 98 of 136.
    EXPECT_EQ(display.echo(), longText.substr(22));

    // Exactly 98 characters fit without dropping the first.
    receiver.open(file());
    receiver.setEcho(true);
    feed(std::string(97, 'a') + "b");
    EXPECT_EQ(display.echo(), std::string(97, 'a') + "b");
}

TEST_F(DumpReceiverTest, EndOfDumpMarker) {
    struct Case {
        std::string bytes;
        bool ends;
    };
    const Case cases[] = {
        {"EINDE DUMP\n\xFF\n", true},
        {"\xFF\xFF", true},
        {"\xFFx\n", false},
        {"\n\xFF", false},
    };
    for (const auto& c : cases) {
        for (const bool split : {false, true}) {
            receiver.open(file());
            receiver.setEcho(false);
            display.clearStatus();
            if (split) {
                for (char b : c.bytes)
                    feed(std::string(1, b));
            } else {
                feed(c.bytes);
            }
            EXPECT_EQ(display.status() == "EINDE DUMP", c.ends) << c.bytes << split;
            // The marker switches the echo on.
            EXPECT_EQ(receiver.echoOn(), c.ends) << c.bytes << split;
            receiver.close();
        }
    }
}

// Opening the file in use again would empty it in the middle of a dump: the
// same name, another name of the same file and a too long name that is cut to
// the name in use all change nothing.
TEST_F(DumpReceiverTest, ChangingToTheSameFileChangesNothing) {
    using Change = DumpReceiver::FileChange;
    receiver.open(file());
    receiver.dumpAsked();
    feed("abc");
    EXPECT_EQ(receiver.changeFile(file()), Change::Same);
    EXPECT_EQ(receiver.changeFile((dir.path() / "." / "dpcom.dmp").string()), Change::Same);
    feed("d");
    // Another file takes the rest of the dump from its next byte.
    EXPECT_EQ(receiver.changeFile(file("ander.dmp")), Change::Changed);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "ander.dmp"));
    feed("e");
    receiver.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), "abcd");
    EXPECT_EQ(dir.read("ander.dmp"), "e");

    // A relative name in use and the full name a save dialog answers with.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    receiver.open("dpcom.dmp");
    receiver.dumpAsked();
    feed("f");
    EXPECT_EQ(receiver.changeFile(file()), Change::Same);
    feed("g");
    receiver.close();
    std::filesystem::current_path(here);
    EXPECT_EQ(dir.read("dpcom.dmp"), "fg");

    // A name is held to 259 characters, the same way when compared.
    const std::string longName = file() + std::string(300, 'x');
    receiver.open(longName);
    EXPECT_EQ(receiver.fileName().size(), DumpReceiver::kMaxFileName);
    EXPECT_EQ(receiver.changeFile(longName + "y"), Change::Same);
    receiver.close();

    // A file that failed is tried again when chosen again, and the rest of
    // the dump goes there once it can.
    receiver.open(file("later/x.dmp"));
    receiver.dumpAsked();
    feed("g");
    EXPECT_EQ(receiver.storeError(), std::errc::no_such_file_or_directory);
    std::filesystem::create_directory(dir.path() / "later");
    EXPECT_EQ(receiver.changeFile(file("later/x.dmp")), Change::Changed);
    feed("h");
    EXPECT_FALSE(receiver.storeError());
    receiver.close();
    EXPECT_EQ(dir.read("later/x.dmp"), "h");
}

TEST_F(DumpReceiverTest, SessionCommandsRouteAndSendSingleBytes) {
    LinkFlags flags;
    RecordingWriter writer;
    DumpSession dialog(flags, writer, receiver, display, timer);
    dialog.open(file());
    EXPECT_TRUE(flags.dumpOpen);

    const std::pair<DumpCommand, const char*> commands[] = {
        {DumpCommand::Verify, "Verifieren verzonden..."},
        {DumpCommand::Make, "Maak dump verzonden..."},
        {DumpCommand::Fetch, "Ophalen verzonden..."},
        {DumpCommand::Abort, "Afbreken verzonden..."},
    };
    for (auto [command, status] : commands) {
        dialog.command(command);
        EXPECT_EQ(display.status(), status);
        EXPECT_EQ(writer.writes.back(), Bytes{static_cast<std::uint8_t>(command)});
    }
    EXPECT_EQ(timer.restarts, 4);
    EXPECT_TRUE(receiver.echoOn());
    dialog.replyTimerFired();
    EXPECT_EQ(display.status(), "Geen reactie");
    feed("x");
    EXPECT_FALSE(timer.running);  // a byte came: the timer is cancelled
    dialog.clearStatus();
    EXPECT_EQ(display.status(), "");

    dialog.close();
    EXPECT_FALSE(flags.dumpOpen);
    EXPECT_FALSE(receiver.fileOpen());

    // Verification and abort ask no dump; making or fetching one does, before
    // its byte leaves.
    for (const DumpCommand asking : {DumpCommand::Make, DumpCommand::Fetch}) {
        std::filesystem::remove(dir.path() / "dpcom.dmp");
        dialog.open(file());
        dialog.command(DumpCommand::Verify);
        dialog.command(DumpCommand::Abort);
        feed("OK  ");
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "dpcom.dmp"));
        dialog.command(asking);
        feed("D");
        dialog.close();
        EXPECT_EQ(dir.read("dpcom.dmp"), "OK  D");
    }
}

// The dialog's file name as veltro.ini keeps it.
class RecordingFileSetting final : public DumpFileSetting {
  public:
    std::string readDumpFileName() const override { return name; }
    bool writeDumpFileName(std::string_view value) override {
        writes.emplace_back(value);
        name = value;
        return true;
    }
    std::string name = "dpcom.dmp";
    std::vector<std::string> writes;
};

TEST_F(DumpReceiverTest, SessionOpensTheSettingsFileAndKeepsTheChoice) {
    LinkFlags flags;
    RecordingWriter writer;
    RecordingFileSetting setting;
    DumpSession dialog(flags, writer, receiver, display, timer);
    setting.name = file();
    dir.write("dpcom.dmp", "old dump");
    EXPECT_EQ(dialog.open(setting), file());
    EXPECT_EQ(dir.read("dpcom.dmp"), "old dump");  // kept until a dump comes
    dialog.command(DumpCommand::Fetch);
    feed("ab");
    EXPECT_EQ(dir.read("dpcom.dmp"), "ab");

    // The file in use, under another name: nothing changes, nothing written.
    const std::string sameFile = (dir.path() / "." / "dpcom.dmp").string();
    EXPECT_EQ(dialog.chooseFile(sameFile, setting), sameFile);
    EXPECT_TRUE(setting.writes.empty());
    feed("c");

    // Another file: the old one keeps what came, the new one takes the rest
    // and becomes the setting.
    EXPECT_EQ(dialog.chooseFile(file("ander.dmp"), setting), file("ander.dmp"));
    EXPECT_EQ(setting.writes, std::vector<std::string>{file("ander.dmp")});
    feed("d");
    EXPECT_EQ(display.status(), "Ophalen verzonden...");

    // A name longer than 259 characters would be cut to another file.
    const std::string tooLong = file() + std::string(260, 'x');
    EXPECT_EQ(dialog.chooseFile(tooLong, setting), std::nullopt);
    EXPECT_EQ(display.status(), DumpSession::kNameTooLong);
    EXPECT_EQ(setting.writes.size(), 1u);

    // A file that cannot be written: the status line says so and why at the
    // choice, bytes are still counted, and the name is kept as chosen.
    EXPECT_EQ(dialog.chooseFile(file("geen/map.dmp"), setting), file("geen/map.dmp"));
    EXPECT_EQ(display.status(), "Dumpfile kan niet worden geopend: map bestaat niet");
    EXPECT_EQ(setting.name, file("geen/map.dmp"));
    feed("e");
    EXPECT_EQ(display.count(), 5);
    EXPECT_FALSE(display.stored());
    dialog.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), "abc");
    EXPECT_EQ(dir.read("ander.dmp"), "d");

    // Opening with a setting that names no reachable file says so at once,
    // and the label shows the file as one that takes the data until then.
    display.clearStatus();
    dialog.open(setting);
    EXPECT_EQ(display.status(), "Dumpfile kan niet worden geopend: map bestaat niet");
    EXPECT_TRUE(display.stored());
    EXPECT_TRUE(flags.dumpOpen);
    dialog.close();
    EXPECT_EQ(test_support::fileNames(dir.path()),
              (std::vector<std::string>{"ander.dmp", "dpcom.dmp"}));
}

}  // namespace
}  // namespace veltro::link
