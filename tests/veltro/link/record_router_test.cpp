#include "veltro/link/record_router.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace veltro::link {
namespace {

// A sink that says, without ordering anything for the sanitizer, that it
// holds a record: what follows in the test is then ordered only by the router.
class SignallingSink final : public RecordSink {
  public:
    void deliver(const ControllerRecord& record) override {
        m_last = record;
        m_holds.store(true, std::memory_order_relaxed);
    }
    bool holds() const { return m_holds.load(std::memory_order_relaxed); }

  private:
    ControllerRecord m_last{};
    std::atomic<bool> m_holds{false};
};

// The tools' store goes with the main window while the link's reader may be
// handing it a record: once the router's sink is replaced the record is out
// of it (ThreadSanitizer reports the free otherwise), and later records go
// nowhere.
TEST(RecordRouter, AToolSinkIsLeftByTheReaderBeforeItsReplacementReturns) {
    RecordRouter router;
    auto tool = std::make_unique<SignallingSink>();
    router.setToolSink(tool.get());
    router.setRouteToParameterStore(true);
    std::thread reader([&router] { router.deliver({69, 31, 0, 0, 1}); });
    while (!tool->holds())
        std::this_thread::yield();
    router.setToolSink(nullptr);
    tool.reset();
    reader.join();
    router.deliver({69, 31, 0, 0, 2});  // dropped, not delivered into freed memory
}

}  // namespace
}  // namespace veltro::link
