#include "pendrel/gui/screen_list_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>

#include "pendrel/gui/screen_edit_dialog.h"
#include "pendrel/gui/text_dialog.h"
#include "pendrel/gui/texts.h"

namespace pendrel::gui {
namespace {

// A title dialog, asked again while its field is empty or `take` refuses
// what was typed (after saying why); false after Annuleren.
bool askTitle(QWidget* parent, const QString& caption, const QString& prompt, QString preset,
              const std::function<bool(const std::string&)>& take) {
    for (;;) {
        TextDialog dialog(parent, caption, QString(), prompt, preset,
                          static_cast<int>(kMaxTitleLength));
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        preset = dialog.value();
        if (!preset.isEmpty() && take(preset.toStdString())) {
            return true;
        }
    }
}

}  // namespace

ScreenListDialog::ScreenListDialog(QWidget* parent, Project& project)
    : QDialog(parent),
      m_project(project),
      m_model(project),
      m_prompts(this),
      m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("ScreenListDialog"));
    setWindowTitle(QStringLiteral("Lijst van extra debugschermen"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* label = new QLabel(QStringLiteral("Titels van gedefinieerde debugschermen"), this);
    label->setBuddy(m_list);
    left->addWidget(label);
    left->addWidget(m_list);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    struct Entry {
        const char* text;
        const char* name;
        void (ScreenListDialog::*run)();
    };
    for (const Entry& entry : {Entry{"Toevoegen", "add", &ScreenListDialog::addScreen},
                               Entry{"Wijzigen titel", "rename", &ScreenListDialog::renameScreen},
                               Entry{"Verwijderen", "remove", &ScreenListDialog::removeScreen},
                               Entry{"Bewerken", "edit", &ScreenListDialog::editScreen}}) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, entry.run);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* ok = new QPushButton(kOkText, this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ScreenListDialog::accept);
    auto* cancel = new QPushButton(kCancelText, this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_model.select(row < 0 ? std::nullopt
                               : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    });
    connect(m_list, &QListWidget::itemActivated, this, &ScreenListDialog::editScreen);
    showTitles();
}

QPushButton* ScreenListDialog::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void ScreenListDialog::showTitles() {
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        for (const std::string& title : m_model.titles()) {
            m_list->addItem(fromUtf8(title));
        }
        std::optional<std::size_t> selected = m_model.selection();
        m_list->setCurrentRow(selected ? static_cast<int>(*selected) : -1);
    }
    const bool any = m_model.canChange();
    for (const char* name : {"rename", "remove", "edit"}) {
        button(name)->setEnabled(any);
    }
}

void ScreenListDialog::addScreen() {
    if (askTitle(this, QStringLiteral("Toevoegen nieuw debugscherm"),
                 QStringLiteral("Geef de titel van het nieuw aan te maken debugscherm"), QString(),
                 [this](const std::string& title) { return m_model.add(title, m_prompts); })) {
        showTitles();
    }
}

void ScreenListDialog::renameScreen() {
    std::optional<std::size_t> selected = m_model.selection();
    if (!selected) {
        return;
    }
    if (askTitle(this, QStringLiteral("Wijzigen titel debugscherm"),
                 QStringLiteral("Geef de nieuwe titel van het debugscherm"),
                 fromUtf8(m_model.titles()[*selected]),
                 [this](const std::string& title) { return m_model.rename(title, m_prompts); })) {
        showTitles();
    }
}

void ScreenListDialog::removeScreen() {
    if (m_model.remove(m_prompts)) {
        showTitles();
    }
}

void ScreenListDialog::editScreen() {
    if (ScreenRecord* screen = m_model.selectedScreen()) {
        ScreenEditDialog dialog(this, *screen, m_project.data());
        dialog.exec();
    }
}

void ScreenListDialog::accept() {
    if (m_model.ok(m_prompts)) {
        QDialog::accept();
    }
}

}  // namespace pendrel::gui
