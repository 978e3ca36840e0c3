#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>
#include <utility>

#include "veltro/ports/ui_dispatcher.h"

namespace test_support {

// The user-interface thread as Qt runs it: posted work waits in the event
// queue of `context`'s thread and runs there, in order.
class QueuedUiDispatcher final : public veltro::UiDispatcher {
  public:
    explicit QueuedUiDispatcher(QObject& context) : m_context(context) {}
    void post(std::function<void()> work) override {
        QMetaObject::invokeMethod(&m_context, std::move(work), Qt::QueuedConnection);
    }

  private:
    QObject& m_context;
};

}  // namespace test_support
