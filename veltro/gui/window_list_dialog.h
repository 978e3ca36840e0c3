#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace veltro::gui {

// The dialogs "Debug Vensters Sluiten" and "Debug Venster Kiezen": a list
// with one line per debug window and two buttons. The main window gives it
// the lines and what its first button (the default) and a double click do
// with the selected line; the second button closes it.
class WindowListDialog final : public QDialog {
  public:
    using Action = std::function<void(int line)>;  // -1: no line selected

    WindowListDialog(const char* title, const char* actionText, QWidget* owner, Action action);

    void setLines(const std::vector<std::string>& lines, int selected);

    QListWidget* list() const { return m_list; }
    QPushButton* actionButton() const { return m_action; }
    QPushButton* cancelButton() const { return m_cancel; }
    int selectedLine() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QListWidget* m_list;
    QPushButton* m_action;
    QPushButton* m_cancel;
    Action m_run;
};

}  // namespace veltro::gui
