#include "pendrel/gui/list_file_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "pendrel/gui/texts.h"

namespace pendrel::gui {

ListFileWindow::ListFileWindow(QWidget* parent, const std::vector<std::string>& lines)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("ListFileWindow"));
    setWindowTitle(QStringLiteral("Overzicht debugfiles"));
    auto* layout = new QVBoxLayout(this);
    for (const std::string& line : lines) {
        m_list->addItem(fromUtf8(line));
    }
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(kOkText);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    const QFontMetrics metrics = m_list->fontMetrics();
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 80, metrics.height() * 24);
}

}  // namespace pendrel::gui
