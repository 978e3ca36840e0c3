#pragma once

#include <QWidget>
#include <functional>

#include "veltro/session/message_log.h"

class QLabel;
class QListWidget;

namespace veltro::gui {

// The message window "Mededelingen": a caption and a list of lines in the
// order of their arrival, the last one selected and scrolled into view. The
// message log composes the lines; this only shows them.
class MessageWindow final : public QWidget, public MessageLines {
  public:
    explicit MessageWindow(QWidget* parent = nullptr);

    bool addLine(const std::string& line) override;

    // Called when the window takes the keyboard or a mouse button goes down
    // in it: the keyboard belongs to the message side now.
    void setOnActivated(std::function<void()> activated) { m_activated = std::move(activated); }
    void takeFocus();

    QListWidget* list() const { return m_list; }
    int lineCount() const;
    QString line(int row) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* m_caption;
    QListWidget* m_list;
    std::function<void()> m_activated;
};

}  // namespace veltro::gui
