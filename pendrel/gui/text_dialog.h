#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QString>

namespace pendrel::gui {

// A text dialog: a caption, an optional explanation, a prompt above one
// edit field, "OK" and "Annuleren".
class TextDialog : public QDialog {
    Q_OBJECT

  public:
    TextDialog(QWidget* parent, const QString& caption, const QString& text, const QString& prompt,
               const QString& preset = {}, int maxLength = 80);

    QString value() const { return m_edit->text(); }
    QLineEdit* edit() const { return m_edit; }

  private:
    QLineEdit* m_edit;
};

}  // namespace pendrel::gui
