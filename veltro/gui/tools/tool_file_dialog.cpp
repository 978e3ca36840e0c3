#include <QDir>
#include <QFileDialog>

#include "veltro/gui/tools/tool_context.h"

namespace veltro::gui {

std::optional<QString> askToolFile(QWidget* parent, const QString& title,
                                   const QString& proposed) {
    QFileDialog dialog(parent, title, QDir::currentPath(), QStringLiteral("*.txt"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace veltro::gui
