#include "veltro/gui/screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace veltro::gui {
namespace {

constexpr std::chrono::milliseconds kDefaultDelay{3000};
// After the picture the program is ended again and again, in case a dialog
// or a box runs an event loop of its own that the first end did not reach.
constexpr std::chrono::milliseconds kEndRepeat{200};

QWidget* windowInFront() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->objectName() == QLatin1String("VLTMAINCLASS"))
            return top;
    }
    return nullptr;
}

}  // namespace

Screenshot::Screenshot(QString path, std::chrono::milliseconds delay) : m_path(std::move(path)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { take(); });
    m_timer.start(delay);
}

std::unique_ptr<Screenshot> Screenshot::fromEnvironment() {
    const QString path = qEnvironmentVariable("VELTRO_SCREENSHOT");
    if (path.isEmpty())
        return nullptr;
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("VELTRO_SCREENSHOT_DELAY", &ok);
    return std::make_unique<Screenshot>(
        path, ok && delay >= 0 ? std::chrono::milliseconds(delay) : kDefaultDelay);
}

void Screenshot::take() {
    if (!m_taken) {
        m_taken = true;
        QWidget* window = windowInFront();
        if (window != nullptr && window->grab().save(m_path, "PNG")) {
            std::printf("veltro: screenshot %s\n", m_path.toLocal8Bit().constData());
        } else {
            std::fprintf(stderr, "veltro: no screenshot written to %s\n",
                         m_path.toLocal8Bit().constData());
        }
        std::fflush(stdout);
        m_timer.setSingleShot(false);
        m_timer.start(kEndRepeat);
    }
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    QCoreApplication::exit(0);
}

}  // namespace veltro::gui
