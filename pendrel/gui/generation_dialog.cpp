#include "pendrel/gui/generation_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "pendrel/generator/categories.h"
#include "pendrel/gui/dialog_prompts.h"
#include "pendrel/gui/texts.h"

namespace pendrel::gui {
namespace {

constexpr int kSelectionRows = 7;

int schemeIndex(NamingScheme scheme) {
    return static_cast<int>(scheme);
}

}  // namespace

GenerationDialog::GenerationDialog(QWidget* parent, const GenerationSettings& settings)
    : QDialog(parent),
      m_base(settings),
      m_form(GenerationForm::from(settings)),
      m_directory(new QLineEdit(this)),
      m_extension(new QLineEdit(this)),
      m_name(new QLineEdit(this)),
      m_start(new QLineEdit(this)) {
    setObjectName(QStringLiteral("GenerationDialog"));
    setWindowTitle(QStringLiteral("Genereren debugfiles"));
    auto* layout = new QVBoxLayout(this);

    auto* directoryRow = new QHBoxLayout;
    auto* directoryLabel = new QLabel(QStringLiteral("Directory"), this);
    directoryLabel->setBuddy(m_directory);
    directoryRow->addWidget(directoryLabel);
    directoryRow->addWidget(m_directory, 1);
    layout->addLayout(directoryRow);
    layout->addWidget(namingGroup());

    auto* startRow = new QHBoxLayout;
    auto* startLabel = new QLabel(QStringLiteral("Start filenummering (??\?) na:"), this);
    startLabel->setBuddy(m_start);
    startRow->addWidget(startLabel);
    m_start->setMaximumWidth(m_start->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
    startRow->addWidget(m_start);
    startRow->addStretch();
    layout->addLayout(startRow);

    // The list file controls exist but are not shown: pendrel.txt is always
    // written.
    auto* listFile = new QCheckBox(QStringLiteral("Maken uitvoerfile"), this);
    listFile->setChecked(settings.writeListFile);
    listFile->setVisible(false);
    auto* listName = new QLineEdit(fromUtf8(settings.listFileName), this);
    listName->setVisible(false);

    layout->addWidget(selectionGroup());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(kOkText);
    buttons->button(QDialogButtonBox::Cancel)->setText(kCancelText);
    connect(buttons, &QDialogButtonBox::accepted, this, &GenerationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    showForm();
}

QWidget* GenerationDialog::namingGroup() {
    auto* group = new QGroupBox(QStringLiteral("Naamgeving debugfiles"), this);
    auto* grid = new QGridLayout(group);
    const QString texts[] = {QStringLiteral("debug_???.plo"), QStringLiteral("debug_???."),
                             QString()};
    for (int i = 0; i < 3; ++i) {
        m_schemes[static_cast<std::size_t>(i)] = new QRadioButton(texts[i], group);
        grid->addWidget(m_schemes[static_cast<std::size_t>(i)], i, 0);
    }
    const int digit = m_extension->fontMetrics().horizontalAdvance(QLatin1Char('W'));
    m_extension->setMaximumWidth(digit * 5);
    m_name->setMaximumWidth(digit * 7);
    grid->addWidget(m_extension, 1, 1);
    grid->addWidget(m_name, 2, 1);
    grid->addWidget(
        new QLabel(QStringLiteral("_???.dbg (gebruik vijf tekens voor de naam)"), group), 2, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

QWidget* GenerationDialog::selectionGroup() {
    auto* group = new QGroupBox(QStringLiteral("Selectie te genereren debugfiles"), this);
    auto* grid = new QGridLayout(group);
    std::size_t index = 0;
    for (const Category& category : categories()) {
        auto* box = new QCheckBox(fromUtf8(category.checkBox), group);
        const int row = static_cast<int>(index) % kSelectionRows;
        const int column = static_cast<int>(index) / kSelectionRows;
        grid->addWidget(box, row, column);
        m_categories[index++] = box;
    }
    auto* presets = new QHBoxLayout;
    presets->addStretch();
    struct Preset {
        const char* text;
        void (GenerationForm::*apply)();
    };
    for (const Preset& preset : {Preset{"Alles", &GenerationForm::selectAll},
                                 Preset{"Afname", &GenerationForm::selectAcceptance},
                                 Preset{"Niets", &GenerationForm::selectNone}}) {
        auto* button = new QPushButton(QString::fromUtf8(preset.text), group);
        button->setAutoDefault(false);
        auto apply = preset.apply;
        connect(button, &QPushButton::clicked, this, [this, apply] {
            readForm();
            (m_form.*apply)();
            showForm();
        });
        presets->addWidget(button);
    }
    grid->addLayout(presets, kSelectionRows, 0, 1, -1);
    return group;
}

QRadioButton* GenerationDialog::schemeButton(NamingScheme scheme) const {
    return m_schemes.at(static_cast<std::size_t>(schemeIndex(scheme)));
}

void GenerationDialog::showForm() {
    m_directory->setText(fromUtf8(m_form.directory));
    schemeButton(m_form.scheme)->setChecked(true);
    m_extension->setText(fromUtf8(m_form.extension));
    m_name->setText(fromUtf8(m_form.name));
    m_start->setText(fromUtf8(m_form.startNumber));
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        m_categories[i]->setChecked(m_form.selected[i]);
    }
}

void GenerationDialog::readForm() {
    m_form.directory = m_directory->text().toStdString();
    for (NamingScheme scheme : {NamingScheme::Plo, NamingScheme::Extension, NamingScheme::Name}) {
        if (schemeButton(scheme)->isChecked()) {
            m_form.scheme = scheme;
        }
    }
    m_form.extension = m_extension->text().toStdString();
    m_form.name = m_name->text().toStdString();
    m_form.startNumber = m_start->text().toStdString();
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        m_form.selected[i] = m_categories[i]->isChecked();
    }
}

void GenerationDialog::accept() {
    readForm();
    if (std::optional<std::string> message = checkForm(m_form)) {
        DialogPrompts(this).warning(*message);
        return;
    }
    QDialog::accept();
}

}  // namespace pendrel::gui
