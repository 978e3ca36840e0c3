#include "veltro/link/record_mailbox.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"

namespace veltro::link {
namespace {

using test_support::FakeDispatcher;
using test_support::RecordingSink;
using Records = std::vector<ControllerRecord>;

ControllerRecord report(int code, int index, int value) {
    return {code, index, 0, 0, value};
}

struct MailboxTest : ::testing::Test {
    MailboxTest() { mailbox.setTarget(&target); }
    FakeDispatcher dispatcher;
    RecordingSink target;
    RecordMailbox mailbox{dispatcher};
};

// Many reports between two drains cost one posted call; the last value of
// each object wins, in the order of the objects' last reports.
TEST_F(MailboxTest, OneDrainPerBatchAndTheLastValueWins) {
    mailbox.deliver(report(320, 1, 10));
    mailbox.deliver(report(320, 2, 20));
    mailbox.deliver(report(320, 1, 11));
    mailbox.deliver(report(320, 3, 30));
    EXPECT_EQ(dispatcher.posted(), 1u);
    EXPECT_EQ(mailbox.pending(), 3u);
    EXPECT_TRUE(target.records().empty());  // nothing before the drain
    dispatcher.drain();
    EXPECT_EQ(target.records(),
              (Records{report(320, 2, 20), report(320, 1, 11), report(320, 3, 30)}));

    // The next report posts a new drain.
    mailbox.deliver(report(320, 2, 21));
    EXPECT_EQ(dispatcher.posted(), 2u);
    dispatcher.drain();
    EXPECT_EQ(target.records().back(), report(320, 2, 21));

    // Objects differ by function code, index and second index.
    mailbox.deliver({320, 1, 1, 0, 5});
    mailbox.deliver({320, 1, 2, 0, 6});
    mailbox.deliver({321, 1, 1, 0, 7});
    dispatcher.drain();
    EXPECT_EQ(target.records().size(), 7u);
}

// A record decoded before a window switch must not reach the window shown
// after it, though it arrives on the user-interface thread after the switch.
TEST_F(MailboxTest, RecordsStampedBeforeANewShowingAreDropped) {
    mailbox.deliver(report(320, 1, 10));
    mailbox.newGeneration();  // the window is hidden
    mailbox.deliver(report(320, 2, 20));
    mailbox.newGeneration();  // another window is shown
    mailbox.deliver(report(320, 3, 30));
    dispatcher.drain();
    EXPECT_EQ(target.records(), Records{report(320, 3, 30)});

    // A newer report of the same object replaces a stale one, stamp and all.
    mailbox.deliver(report(320, 4, 40));
    mailbox.newGeneration();
    mailbox.deliver(report(320, 4, 41));
    dispatcher.drain();
    EXPECT_EQ(target.records().back(), report(320, 4, 41));

    // Without a target the records are dropped.
    mailbox.setTarget(nullptr);
    mailbox.deliver(report(320, 5, 50));
    dispatcher.drain();
    EXPECT_EQ(target.records().size(), 2u);
}

TEST_F(MailboxTest, CapacityIsHeldAndADrainAfterTheMailboxIsGoneDoesNothing) {
    for (int i = 0; i < static_cast<int>(RecordMailbox::kCapacity); ++i)
        mailbox.deliver(report(1, i, i));
    mailbox.deliver(report(1, 0, 99));  // known object: replaces, fits
    mailbox.deliver(report(2, 0, 1));   // one object too many
    EXPECT_EQ(mailbox.pending(), RecordMailbox::kCapacity);
    EXPECT_EQ(mailbox.overflowed(), 1u);
    dispatcher.drain();
    EXPECT_EQ(target.records().size(), RecordMailbox::kCapacity);
    EXPECT_EQ(target.records().back(), report(1, 0, 99));

    {
        RecordMailbox gone(dispatcher);
        gone.setTarget(&target);
        gone.deliver(report(3, 0, 1));
    }
    dispatcher.drain();
    EXPECT_EQ(target.records().size(), RecordMailbox::kCapacity);
}

}  // namespace
}  // namespace veltro::link
