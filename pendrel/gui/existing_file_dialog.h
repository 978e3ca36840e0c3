#pragma once

#include <QDialog>

#include "pendrel/ports/prompts.h"

namespace pendrel::gui {

// The dialog "Waarschuwing" about a debug window file that exists already:
// "Overschrijven", "Volgend nummer", "Nieuwe naam", "Alles overschrijven".
// Escape or closing the window answers Annuleren: the run ends.
class ExistingFileDialog : public QDialog {
    Q_OBJECT

  public:
    ExistingFileDialog(QWidget* parent, const QString& text);

    Prompts::ExistingFile answer() const { return m_answer; }

  private:
    Prompts::ExistingFile m_answer = Prompts::ExistingFile::Cancel;
};

}  // namespace pendrel::gui
