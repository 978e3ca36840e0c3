#include "tonvia/gui/window_run.h"

#include <QMetaObject>

#include "tonvia/application.h"

namespace tonvia::gui {

namespace {

class WindowSink : public MessageSink {
  public:
    explicit WindowSink(MessageWindow& window) : m_window(&window) {}

    void writeLine(std::string_view line) override {
        const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        MessageWindow* window = m_window;
        // With the window as context, Qt drops the call if the window is gone.
        QMetaObject::invokeMethod(
            window, [window, text] { window->appendLine(text); }, Qt::QueuedConnection);
    }

  private:
    MessageWindow* m_window;
};

}  // namespace

WindowRun::WindowRun(MessageWindow& window, std::string directoryArgument,
                     std::string typeArgument, std::string date) {
    m_thread = std::thread([&window, directory = std::move(directoryArgument),
                            type = std::move(typeArgument), date = std::move(date)] {
        WindowSink sink(window);
        const int status = runApplication(directory, type, date, sink);
        MessageWindow* target = &window;
        QMetaObject::invokeMethod(
            target, [target, status] { target->setFinished(status); }, Qt::QueuedConnection);
    });
}

WindowRun::~WindowRun() {
    wait();
}

void WindowRun::wait() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace tonvia::gui
