#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "pendrel/generator/generator.h"
#include "pendrel/session/generation_form.h"

namespace pendrel::gui {

// The dialog "Genereren debugfiles": target directory, naming scheme, start
// number and the 28 category check boxes. OK checks the fields and stays
// open on the first that fails.
class GenerationDialog : public QDialog {
    Q_OBJECT

  public:
    GenerationDialog(QWidget* parent, const GenerationSettings& settings);

    // The settings of the last OK.
    GenerationSettings settings() const { return settingsFrom(m_form, m_base); }

    QLineEdit* directoryEdit() const { return m_directory; }
    QLineEdit* extensionEdit() const { return m_extension; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* startEdit() const { return m_start; }
    QRadioButton* schemeButton(NamingScheme scheme) const;
    QCheckBox* categoryBox(std::size_t index) const { return m_categories.at(index); }

    void accept() override;

  private:
    void showForm();
    void readForm();
    QWidget* namingGroup();
    QWidget* selectionGroup();

    GenerationSettings m_base;
    GenerationForm m_form;
    QLineEdit* m_directory;
    QLineEdit* m_extension;
    QLineEdit* m_name;
    QLineEdit* m_start;
    std::array<QRadioButton*, 3> m_schemes{};
    std::array<QCheckBox*, kCategoryCount> m_categories{};
};

}  // namespace pendrel::gui
