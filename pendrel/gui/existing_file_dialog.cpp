#include "pendrel/gui/existing_file_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pendrel::gui {

ExistingFileDialog::ExistingFileDialog(QWidget* parent, const QString& text) : QDialog(parent) {
    setObjectName(QStringLiteral("ExistingFileDialog"));
    setWindowTitle(QStringLiteral("Waarschuwing"));
    auto* layout = new QVBoxLayout(this);
    auto* message = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
    message->addWidget(icon);
    message->addWidget(new QLabel(text, this), 1);
    layout->addLayout(message);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    struct Choice {
        const char* text;
        Prompts::ExistingFile answer;
    };
    for (const Choice& choice :
         {Choice{"Overschrijven", Prompts::ExistingFile::Overwrite},
          Choice{"Volgend nummer", Prompts::ExistingFile::NextNumber},
          Choice{"Nieuwe naam", Prompts::ExistingFile::NewName},
          Choice{"Alles overschrijven", Prompts::ExistingFile::OverwriteAll}}) {
        auto* button = new QPushButton(QString::fromUtf8(choice.text), this);
        button->setAutoDefault(false);
        const Prompts::ExistingFile answer = choice.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
}

}  // namespace pendrel::gui
