#pragma once

#include <QDialog>
#include <QLabel>

namespace pendrel::gui {

// The about box "Info PENDREL": the version, the free memory and the free
// disk space of the project directory's file system.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    AboutDialog(QWidget* parent, const QString& memoryText, const QString& diskText);
};

}  // namespace pendrel::gui
