#pragma once

#include <QDialog>
#include <QListWidget>
#include <QStringList>

#include "pendrel/ports/prompts.h"

namespace pendrel::gui {

// The progress window: a titled list box whose last line stays selected and
// in view. It stays open beside the main window until the run closes it.
class ProgressWindow : public QDialog {
    Q_OBJECT

  public:
    explicit ProgressWindow(QWidget* parent);

    void start(const QString& title);
    void addLine(const QString& line);
    void finish() { hide(); }

    QStringList lines() const;

  private:
    QListWidget* m_list;
};

// The Progress port on a ProgressWindow (GUI thread).
class WindowProgress : public Progress {
  public:
    explicit WindowProgress(ProgressWindow& window) : m_window(window) {}

    void open(std::string_view title) override;
    void add(std::string_view line) override;
    void close() override { m_window.finish(); }

  private:
    ProgressWindow& m_window;
};

}  // namespace pendrel::gui
