#include "pendrel/gui/dialog_prompts.h"

#include <QMessageBox>
#include <QPushButton>

#include "pendrel/gui/existing_file_dialog.h"
#include "pendrel/gui/text_dialog.h"
#include "pendrel/gui/texts.h"

namespace pendrel::gui {
namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
             const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(kOkText);
    box.exec();
}

bool askJaNee(QWidget* parent, QMessageBox::Icon icon, std::string_view caption,
              std::string_view text) {
    QMessageBox box(icon, fromUtf8(caption), fromUtf8(text), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.button(QMessageBox::Yes)->setText(kYesText);
    box.button(QMessageBox::No)->setText(kNoText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

void DialogPrompts::warning(std::string_view text) {
    showBox(m_parent, QMessageBox::Warning, kProgramCaption, fromUtf8(text));
}

void DialogPrompts::information(std::string_view caption, std::string_view text) {
    showBox(m_parent, QMessageBox::Information, fromUtf8(caption), fromUtf8(text));
}

bool DialogPrompts::askYesNo(std::string_view caption, std::string_view text) {
    return askJaNee(m_parent, QMessageBox::Warning, caption, text);
}

bool DialogPrompts::askPcOmgeving(std::string_view caption, std::string_view text) {
    return askJaNee(m_parent, QMessageBox::Question, caption, text);
}

std::optional<std::string> DialogPrompts::askText(std::string_view caption, std::string_view text,
                                                  std::string_view prompt) {
    TextDialog dialog(m_parent, fromUtf8(caption), fromUtf8(text), fromUtf8(prompt));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.value().toStdString();
}

Prompts::ExistingFile DialogPrompts::askExistingFile(std::string_view text) {
    ExistingFileDialog dialog(m_parent, fromUtf8(text));
    dialog.exec();
    return dialog.answer();
}

}  // namespace pendrel::gui
