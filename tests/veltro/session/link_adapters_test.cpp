#include "veltro/session/link_adapters.h"

#include <gtest/gtest.h>

#include "../screens/fakes.h"

namespace veltro {
namespace {

class NoLink final : public DisplayLink {
  public:
    void setPaused(bool) override {}
    void windowShown() override {}
};

TEST(LinkAdapters, PollViewAndRecordSinkFollowTheShownWindow) {
    DebugWindowList windows;
    DebugScreen screen("/p/debug_001.plo");
    for (int function : {288, -1, 320}) {
        DebugItem& item = screen.addItem();
        item.functionCode = function;
        item.firstElement = 4;
        item.width = 6;
        item.hasControl = function >= 0;
    }
    screen.buildIndex();
    windows.addWindow(std::move(screen));
    ShownWindowPoll poll(windows);
    ShownWindowSink sink(windows);
    EXPECT_FALSE(poll.windowShown());
    EXPECT_EQ(poll.itemCount(), 0U);
    sink.deliver({288, 4, 0, 0, 1});  // no window shown: dropped

    testing::RequestRecorder requests;
    NoLink link;
    WindowSwitchPorts ports{requests, link};
    windows.show(0, ports);
    ASSERT_EQ(poll.itemCount(), 2U);  // the undefined field is left out
    EXPECT_EQ(poll.itemRecord(1).functionCode, 320);
    poll.setItemRequested(1, false);
    EXPECT_FALSE(windows.window(0).item(2).requested());
    EXPECT_TRUE(poll.itemRequested(0));

    sink.deliver({320, 4, 0, 0, 77});
    EXPECT_TRUE(poll.itemEnabled(1));
    EXPECT_EQ(windows.window(0).item(2).text, "77");
    poll.disableItems();
    EXPECT_FALSE(poll.itemEnabled(1));
}

}  // namespace
}  // namespace veltro
