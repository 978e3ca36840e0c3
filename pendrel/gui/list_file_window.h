#pragma once

#include <QDialog>
#include <QListWidget>
#include <string>
#include <vector>

namespace pendrel::gui {

// The window "Overzicht debugfiles": the lines of pendrel.txt.
class ListFileWindow : public QDialog {
    Q_OBJECT

  public:
    ListFileWindow(QWidget* parent, const std::vector<std::string>& lines);

    QListWidget* list() const { return m_list; }

  private:
    QListWidget* m_list;
};

}  // namespace pendrel::gui
