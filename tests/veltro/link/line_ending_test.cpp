#include "veltro/link/line_ending.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"

namespace veltro::link {
namespace {

using namespace wsa;
using test_support::FakeDispatcher;

TEST(LineEnd, EachCallResultIsClassifiedTheSameOnEveryPlatform) {
    struct Case {
        long long count;
        int error;
        LineEnd receive;
        LineEnd send;
    };
    const std::vector<Case> cases = {
        {12, 0, LineEnd::Data, LineEnd::Data},
        {0, 0, LineEnd::Closed, LineEnd::Again},  // a send of nothing took nothing yet
        {-1, WSAEWOULDBLOCK, LineEnd::Again, LineEnd::Again},
        {-1, WSAEINTR, LineEnd::Again, LineEnd::Again},
        {-1, WSAECONNRESET, LineEnd::Reset, LineEnd::Reset},
        {-1, WSAECONNABORTED, LineEnd::Failed, LineEnd::Reset},
        {-1, WSAESHUTDOWN, LineEnd::Failed, LineEnd::Reset},  // EPIPE on POSIX
        {-1, WSAENOTSOCK, LineEnd::Failed, LineEnd::Failed},
        {-1, WSAETIMEDOUT, LineEnd::Failed, LineEnd::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " " + std::to_string(c.error));
        EXPECT_EQ(receiveEnd(c.count, c.error), c.receive);
        EXPECT_EQ(sendEnd(c.count, c.error), c.send);
    }
}

class CountingWatch final : public LineWatch {
  public:
    explicit CountingWatch(bool reconnect) : m_reconnect(reconnect) {}
    void lineLost() override { ++losses; }
    bool reconnects() const override { return m_reconnect; }
    int losses = 0;

  private:
    bool m_reconnect;
};

using W = LineEnding::Writes;

TEST(LineEnding, WhatAnEndMeansWithAndWithoutAReconnect) {
    struct Case {
        const char* name;
        LineEnding::Kind kind;
        bool reconnect;
        LineEnd end;
        W writes;
        int losses;
        int errors;
    };
    using K = LineEnding::Kind;
    const std::vector<Case> cases = {
        // Without a reconnect a socket is done; only an unexpected error is the system's box.
        {"socket reset", K::Connection, false, LineEnd::Reset, W::Refuse, 1, 0},
        {"socket closed", K::Connection, false, LineEnd::Closed, W::Refuse, 1, 0},
        {"socket failed", K::Connection, false, LineEnd::Failed, W::Refuse, 0, 1},
        // With one, every end is a loss: writes are dropped until the reopen.
        {"socket reset, reconnect", K::Connection, true, LineEnd::Reset, W::Drop, 1, 0},
        {"socket failed, reconnect", K::Connection, true, LineEnd::Failed, W::Drop, 1, 0},
        // A device without a reconnect is read and written on, as it always was.
        {"device gone", K::Device, false, LineEnd::Closed, W::Send, 1, 0},
        {"device gone, reconnect", K::Device, true, LineEnd::Closed, W::Drop, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingWatch watch(c.reconnect);
        test_support::RecordingIpErrors errors;
        FakeDispatcher dispatcher;
        LineEnding ending(c.kind, &watch, &errors, dispatcher);
        EXPECT_TRUE(ending.over(c.end, SocketCall::Receive, WSAENOTSOCK));
        // The reader and the writer may both find it: the second is no news.
        EXPECT_FALSE(ending.over(c.end, SocketCall::Send, WSAENOTSOCK));
        dispatcher.drain();
        EXPECT_EQ(ending.writes(), c.writes);
        EXPECT_EQ(ending.readerEnds(), c.writes != W::Send);
        EXPECT_EQ(watch.losses, c.losses);
        ASSERT_EQ(errors.errors().size(), static_cast<std::size_t>(c.errors));
        if (c.errors > 0) {
            EXPECT_EQ(errors.errors()[0].code, WSAENOTSOCK);
            EXPECT_EQ(errors.errors()[0].message.rfind("error calling recv():\n", 0), 0u);
        }
    }
}

TEST(LineEnding, AReopenedLineSendsAgainAndItsEndIsNewsAgainButNotOnceStopping) {
    CountingWatch watch(true);
    test_support::RecordingIpErrors errors;
    FakeDispatcher dispatcher;
    LineEnding ending(LineEnding::Kind::Connection, &watch, &errors, dispatcher);
    ending.over(LineEnd::Reset);
    ending.reopened();
    EXPECT_EQ(ending.writes(), W::Send);
    EXPECT_TRUE(ending.over(LineEnd::Closed));
    EXPECT_EQ(watch.losses, 2);

    // The link is ending: its own shutdown is no loss and no error.
    ending.reopened();
    ending.stop();
    EXPECT_TRUE(ending.over(LineEnd::Failed, SocketCall::Send, WSAENOTSOCK));
    dispatcher.drain();
    EXPECT_EQ(watch.losses, 2);
    EXPECT_TRUE(errors.errors().empty());
    EXPECT_EQ(ending.writes(), W::Refuse);
}

}  // namespace
}  // namespace veltro::link
