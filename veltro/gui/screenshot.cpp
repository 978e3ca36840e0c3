#include "veltro/gui/screenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

namespace veltro::gui {
namespace {

constexpr std::chrono::milliseconds kDefaultDelay{3000};
constexpr std::chrono::milliseconds kClickInterval{1000};
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

Screenshot::Screenshot(QString path, std::chrono::milliseconds delay, QStringList clicks)
    : m_path(std::move(path)), m_clicks(std::move(clicks)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { take(); });
    m_timer.start(delay);
    connect(&m_clicker, &QTimer::timeout, this, [this] { clickNext(); });
    if (!m_clicks.isEmpty())
        m_clicker.start(kClickInterval);
}

std::unique_ptr<Screenshot> Screenshot::fromEnvironment() {
    const QString path = qEnvironmentVariable("VELTRO_SCREENSHOT");
    if (path.isEmpty())
        return nullptr;
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("VELTRO_SCREENSHOT_DELAY", &ok);
    const QStringList clicks = qEnvironmentVariable("VELTRO_SCREENSHOT_CLICK")
                                   .split(QLatin1Char(','), Qt::SkipEmptyParts);
    return std::make_unique<Screenshot>(
        path, ok && delay >= 0 ? std::chrono::milliseconds(delay) : kDefaultDelay, clicks);
}

void Screenshot::clickNext() {
    if (m_clicks.isEmpty()) {
        m_clicker.stop();
        return;
    }
    QWidget* window = windowInFront();
    if (window == nullptr)
        return;  // not open yet: the next tick tries again
    if (auto* button = window->findChild<QAbstractButton*>(m_clicks.front()))
        button->click();
    m_clicks.pop_front();
}

void Screenshot::take() {
    if (!m_taken) {
        m_taken = true;
        m_clicker.stop();
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
