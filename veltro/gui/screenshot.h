#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>

namespace veltro::gui {

// For demonstrations and the README, in the screenshot maker only
// (screenshot_main.cpp): a while after the start the window in front (a
// dialog if one is open, else the main window) is grabbed into a PNG file,
// its path printed, and the program ended. Asked for by the environment, so
// that a machine without a screen makes it offscreen and never waits for
// anyone:
//   VELTRO_SCREENSHOT=file.png        where the picture goes
//   VELTRO_SCREENSHOT_DELAY=ms        when it is taken (default 3000)
//   VELTRO_SCREENSHOT_CLICK=a,b,...   buttons of the window in front, by
//                                     object name, clicked one a second
//                                     before (a dump fetched in DPCOM)
class Screenshot final : public QObject {
  public:
    Screenshot(QString path, std::chrono::milliseconds delay, QStringList clicks = {});

    // From the environment; null when no screenshot is asked for.
    static std::unique_ptr<Screenshot> fromEnvironment();

  private:
    void clickNext();
    void take();

    QString m_path;
    QStringList m_clicks;
    QTimer m_timer;
    QTimer m_clicker;
    bool m_taken = false;
};

}  // namespace veltro::gui
