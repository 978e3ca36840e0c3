#include "veltro/link/dump_receiver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "link_fakes.h"
#include "veltro/link/dump_dialog.h"

namespace veltro::link {
namespace {

using testing::RecordingDisplay;
using testing::RecordingWriter;

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class DumpReceiverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::path(TEST_BINARY_DIR) / "dump_receiver_test";
        std::filesystem::create_directories(dir);
        file = (dir / "dpcom.dmp").string();
    }
    void feed(std::string_view bytes) {
        for (char c : bytes)
            receiver.receive(static_cast<std::uint8_t>(c));
    }
    std::filesystem::path dir;
    std::string file;
    RecordingDisplay display;
    DumpReceiver receiver{display};
};

TEST_F(DumpReceiverTest, StoresBytesWithLineFeedsAsCrLfAndCounts) {
    ASSERT_TRUE(receiver.open(file));
    feed(std::string("AB\nC\xFF\r", 7));
    EXPECT_EQ(receiver.count(), 7);
    EXPECT_EQ(display.lastCount, 7);
    EXPECT_EQ(display.cancels, 7);
    receiver.close();
    EXPECT_EQ(readFile(file), std::string("AB\r\nC\xFF\r", 8));

    // A byte that comes after the close is neither counted nor written.
    receiver.receive('x');
    EXPECT_EQ(readFile(file), std::string("AB\r\nC\xFF\r", 8));

    // Opening again empties the same file and restarts the count.
    ASSERT_TRUE(receiver.open(file));
    EXPECT_EQ(display.lastCount, 0);
    feed("z");
    receiver.close();
    EXPECT_EQ(readFile(file), "z");
}

TEST_F(DumpReceiverTest, EchoStopsAtTwoBlanksAndKeepsTheLast98) {
    receiver.open(file);
    feed("hidden");
    EXPECT_EQ(display.echo, "");  // echo is off until verification
    receiver.setEcho(true);
    feed("OK regelaar 214  rest");
    EXPECT_EQ(display.echo, "OK regelaar 214 ");
    EXPECT_FALSE(receiver.echoOn());

    receiver.setEcho(true);
    std::string longText;
    for (int i = 0; i < 120; ++i)
        longText += static_cast<char>('a' + i % 26);
    feed(longText);
    EXPECT_EQ(display.echo.size(), DumpReceiver::kEchoWidth);
    // 16 characters were shown before: the line holds the last 98 of 136.
    EXPECT_EQ(display.echo, longText.substr(22));
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
        receiver.open(file);
        receiver.setEcho(false);
        display.status.clear();
        feed(c.bytes);
        EXPECT_EQ(display.status == "EINDE DUMP", c.ends) << c.bytes;
        EXPECT_EQ(receiver.echoOn(), c.ends) << c.bytes;  // the marker switches the echo on
        receiver.close();
    }
}

TEST_F(DumpReceiverTest, ChangingToTheSameFileChangesNothing) {
    receiver.open(file);
    feed("abc");
    EXPECT_FALSE(receiver.changeFile(file));
    feed("d");
    const std::string other = (dir / "ander.dmp").string();
    EXPECT_TRUE(receiver.changeFile(other));
    feed("e");
    receiver.close();
    EXPECT_EQ(readFile(file), "abcd");
    EXPECT_EQ(readFile(other), "e");
}

TEST_F(DumpReceiverTest, UnopenableFileStillCountsAndEchoes) {
    EXPECT_FALSE(receiver.open((dir / "no_such_dir" / "x.dmp").string()));
    receiver.setEcho(true);
    feed("ab");
    EXPECT_EQ(receiver.count(), 2);
    EXPECT_EQ(display.echo, "ab");
}

class FakeReplyTimer : public ReplyTimer {
  public:
    void restart() override { ++restarts; }
    void cancel() override { ++cancels; }
    int restarts = 0;
    int cancels = 0;
};

TEST_F(DumpReceiverTest, DialogCommandsRouteAndSendSingleBytes) {
    LinkFlags flags;
    RecordingWriter writer;
    FakeReplyTimer timer;
    DumpDialog dialog(flags, writer, receiver, display, timer);
    dialog.open(file);
    EXPECT_TRUE(flags.dumpOpen);

    const std::pair<DumpCommand, const char*> commands[] = {
        {DumpCommand::Verify, "Verifieren verzonden..."},
        {DumpCommand::Make, "Maak dump verzonden..."},
        {DumpCommand::Fetch, "Ophalen verzonden..."},
        {DumpCommand::Abort, "Afbreken verzonden..."},
    };
    for (auto [command, status] : commands) {
        dialog.command(command);
        EXPECT_EQ(display.status, status);
        EXPECT_EQ(writer.writes.back(),
                  std::vector<std::uint8_t>{static_cast<std::uint8_t>(command)});
    }
    EXPECT_EQ(timer.restarts, 4);
    EXPECT_TRUE(receiver.echoOn());
    dialog.replyTimerFired();
    EXPECT_EQ(display.status, "Geen reactie");

    dialog.close();
    EXPECT_FALSE(flags.dumpOpen);
    EXPECT_FALSE(receiver.fileOpen());
}

}  // namespace
}  // namespace veltro::link
