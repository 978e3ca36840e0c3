#include "veltro/gui/qt_prompts.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QString>

#include "common/gui/qt_text.h"

namespace veltro::gui {
namespace {

using common::gui::qtText;

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::None:
            return QMessageBox::NoIcon;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Texts come from files and controllers too: never taken as rich text.
void setUp(QMessageBox& box, std::string_view caption, std::string_view body, PromptIcon icon) {
    box.setWindowTitle(qtText(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(qtText(body));
    box.setIcon(boxIcon(icon));
}

}  // namespace

void QtPrompts::messageBox(std::string_view caption, std::string_view body, PromptIcon icon) {
    QMessageBox box(parent());
    setUp(box, caption, body, icon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool QtPrompts::askYesNo(std::string_view caption, std::string_view body, PromptIcon icon) {
    QMessageBox box(parent());
    setUp(box, caption, body, icon);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPrompts::askText(std::string_view caption, std::string_view prompt,
                                              std::string_view initial) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent(), qtText(caption), qtText(prompt),
                                                 QLineEdit::Normal, qtText(initial), &ok);
    if (!ok)
        return std::nullopt;
    return answer.toStdString();
}

}  // namespace veltro::gui
