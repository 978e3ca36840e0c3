#include "pendrel/gui/screen_edit_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "pendrel/gui/item_choice_dialog.h"
#include "pendrel/gui/texts.h"

namespace pendrel::gui {

ScreenEditDialog::ScreenEditDialog(QWidget* parent, ScreenRecord& screen, const ProjectData& data)
    : QDialog(parent),
      m_screen(screen),
      m_data(data),
      m_editor(screen),
      m_prompts(this),
      m_canvas(new CanvasWidget(m_editor, this)) {
    setObjectName(QStringLiteral("ScreenEditDialog"));
    setWindowTitle(QStringLiteral("Bewerken debugscherm"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLineEdit(fromUtf8(screen.title), this);
    title->setObjectName(QStringLiteral("title"));
    title->setReadOnly(true);
    title->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(title);
    layout->addWidget(m_canvas);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* text, const char* name) {
        auto* made = new QPushButton(QString::fromUtf8(text), this);
        made->setObjectName(QString::fromLatin1(name));
        made->setAutoDefault(false);
        buttons->addWidget(made);
        return made;
    };
    connect(button("Item Toevoegen", "addItem"), &QPushButton::clicked, this,
            &ScreenEditDialog::addItems);
    connect(button("Item Verwijderen", "deleteItem"), &QPushButton::clicked, this,
            &ScreenEditDialog::deleteItem);
    // Present in the dialog, but not offered.
    button("Item Wijzigen", "changeItem")->setVisible(false);
    buttons->addStretch();
    QPushButton* ok = button("OK", "ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ScreenEditDialog::accept);
    connect(button("Annuleren", "cancel"), &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
}

void ScreenEditDialog::addItems() {
    m_editor.takeOver();
    ItemChoiceDialog dialog(this, m_screen, m_data);
    dialog.exec();
    m_editor.rebuild();
    m_canvas->rebuild();
}

void ScreenEditDialog::deleteItem() {
    m_editor.deleteSelected(m_prompts);
    m_canvas->dropDeleted();
}

void ScreenEditDialog::accept() {
    const bool closes = m_editor.ok(m_prompts);
    // OK took the places over even when an overlap keeps the dialog open.
    m_canvas->rebuild();
    if (closes) {
        QDialog::accept();
    }
}

}  // namespace pendrel::gui
