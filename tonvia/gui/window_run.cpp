#include "tonvia/gui/window_run.h"

#include "common/gui/qt_text.h"
#include "tonvia/application.h"

namespace tonvia::gui {

namespace {

class WindowSink : public MessageSink {
  public:
    WindowSink(common::gui::WorkerRun& run, MessageWindow& window)
        : m_run(run), m_window(window) {}

    void writeLine(std::string_view line) override {
        const QString text = common::gui::qtText(line);
        m_run.post([window = &m_window, text] { window->appendLine(text); });
    }

  private:
    common::gui::WorkerRun& m_run;
    MessageWindow& m_window;
};

}  // namespace

WindowRun::WindowRun(MessageWindow& window, std::string directoryArgument,
                     std::string typeArgument, std::string date)
    : m_run(window) {
    m_run.start(
        [this, &window, directory = std::move(directoryArgument), type = std::move(typeArgument),
         date = std::move(date)] {
            WindowSink sink(m_run, window);
            return runApplication(directory, type, date, sink);
        },
        [&window](int status) { window.setFinished(status); });
}

}  // namespace tonvia::gui
