#include "veltro/link/dump_receiver.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/timers.h"
#include "veltro/link/dump_dialog.h"

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
    ASSERT_TRUE(receiver.open(file()));
    feed(std::string("AB\nC\xFF\r", 7));
    EXPECT_EQ(receiver.count(), 7);
    EXPECT_EQ(display.count(), 7);
    receiver.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), std::string("AB\r\nC\xFF\r", 8));

    // A byte that comes after the close is neither counted nor written.
    feed("x");
    EXPECT_EQ(dir.read("dpcom.dmp"), std::string("AB\r\nC\xFF\r", 8));

    // Opening again empties the same file and restarts the count.
    ASSERT_TRUE(receiver.open(file()));
    EXPECT_EQ(display.count(), 0);
    feed("z");
    receiver.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), "z");
}

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

TEST_F(DumpReceiverTest, ChangingToTheSameFileChangesNothing) {
    receiver.open(file());
    feed("abc");
    EXPECT_FALSE(receiver.changeFile(file()));
    feed("d");
    EXPECT_TRUE(receiver.changeFile(file("ander.dmp")));
    feed("e");
    receiver.close();
    EXPECT_EQ(dir.read("dpcom.dmp"), "abcd");
    EXPECT_EQ(dir.read("ander.dmp"), "e");

    // A name is held to 259 characters, the same way when compared.
    const std::string longName = file() + std::string(300, 'x');
    receiver.open(longName);
    EXPECT_EQ(receiver.fileName().size(), DumpReceiver::kMaxFileName);
    EXPECT_FALSE(receiver.changeFile(longName + "y"));
    receiver.close();
}

TEST_F(DumpReceiverTest, UnopenableFileStillCountsAndEchoes) {
    EXPECT_FALSE(receiver.open(file("no_such_dir/x.dmp")));
    receiver.setEcho(true);
    feed("ab");
    EXPECT_EQ(receiver.count(), 2);
    EXPECT_EQ(display.echo(), "ab");
}

TEST_F(DumpReceiverTest, DialogCommandsRouteAndSendSingleBytes) {
    LinkFlags flags;
    RecordingWriter writer;
    DumpDialog dialog(flags, writer, receiver, display, timer);
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
}

}  // namespace
}  // namespace veltro::link
