#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace veltro::gui {

// For demonstrations and the README: a while after the start the window in
// front (a dialog if one is open, else the main window) is grabbed into a
// PNG file, its path printed, and the program ended. Set by the environment
// (VELTRO_SCREENSHOT=file.png, VELTRO_SCREENSHOT_DELAY=milliseconds), so that
// a machine without a screen can make it offscreen and never waits.
class Screenshot final : public QObject {
  public:
    Screenshot(QString path, std::chrono::milliseconds delay);

    // From the environment; null when no screenshot is asked for.
    static std::unique_ptr<Screenshot> fromEnvironment();

    bool taken() const { return m_taken; }

  private:
    void take();

    QString m_path;
    QTimer m_timer;
    bool m_taken = false;
};

}  // namespace veltro::gui
