#pragma once

#include <QLabel>
#include <QTimer>

#include "veltro/ports/link_status.h"

namespace veltro::gui {

// The line under the message window that always shows the link: its name,
// its state, the traffic both ways and the age of the last frame received.
// It asks the link on a timer of its own, so the link's threads never reach
// it and the age keeps counting while the controller is silent.
class StatusLine final : public QLabel {
  public:
    static constexpr int kRefreshMs = 250;

    explicit StatusLine(const LinkStatusSource& source, QWidget* parent = nullptr);

    // Reads the link now (the timer calls it).
    void refresh();
    // The whole text; the label shows what fits, the rest elided.
    const QString& fullText() const { return m_full; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showFitting();

    const LinkStatusSource& m_source;
    QString m_full;
    QTimer m_timer;
};

}  // namespace veltro::gui
