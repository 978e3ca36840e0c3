#pragma once

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace tonvia::gui {

// The text window of tonviaw: the run's messages, one line each, as they come.
class MessageWindow : public QWidget {
  public:
    explicit MessageWindow(QWidget* parent = nullptr);

    void appendLine(const QString& line);
    void setFinished(int exitStatus);

    QString text() const;
    bool isFinished() const { return m_finished; }
    int exitStatus() const { return m_exitStatus; }

  private:
    QPlainTextEdit* m_text;
    bool m_finished = false;
    int m_exitStatus = 1;
};

}  // namespace tonvia::gui
