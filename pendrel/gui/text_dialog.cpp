#include "pendrel/gui/text_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "pendrel/gui/texts.h"

namespace pendrel::gui {

TextDialog::TextDialog(QWidget* parent, const QString& caption, const QString& text,
                       const QString& prompt, const QString& preset, int maxLength)
    : QDialog(parent), m_edit(new QLineEdit(preset, this)) {
    setObjectName(QStringLiteral("TextDialog"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    if (!text.isEmpty()) {
        layout->addWidget(new QLabel(text, this));
    }
    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setBuddy(m_edit);
    layout->addWidget(promptLabel);
    m_edit->setMaxLength(maxLength);
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(kOkText);
    buttons->button(QDialogButtonBox::Cancel)->setText(kCancelText);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_edit->selectAll();
    m_edit->setFocus();
}

}  // namespace pendrel::gui
