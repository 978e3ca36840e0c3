#pragma once

#include <QTimer>
#include <QWidget>

#include "veltro/capture/replay_driver.h"
#include "veltro/ports/messages.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltro::gui {

// The bar of a replay: pause, speed (×1, ×4, ×16, as fast as possible),
// jump to a time of the recording, and where the replay stands. A single-shot
// timer on the GUI thread calls the driver when its next line is due; the
// driver feeds a bounded share per call, so the windows stay responsive even
// as fast as possible. The end, or the damage it stopped at, goes to the
// message window once.
class ReplayBar final : public QWidget {
  public:
    ReplayBar(capture::ReplayDriver& driver, Messages& messages, QWidget* parent = nullptr);

    void start();
    // One step of the timer (tests call it after stepping the clock).
    void step();

    QPushButton* pauseButton() const { return m_pause; }
    QComboBox* speedBox() const { return m_speed; }
    QLineEdit* timeField() const { return m_time; }
    QLabel* positionLabel() const { return m_position; }

  private:
    void schedule(std::int64_t nextDueMs);
    void jump();
    void showPosition();

    capture::ReplayDriver& m_driver;
    Messages& m_messages;
    QTimer m_timer;
    QPushButton* m_pause;
    QComboBox* m_speed;
    QLineEdit* m_time;
    QLabel* m_position;
    bool m_told = false;  // the end was told
};

}  // namespace veltro::gui
