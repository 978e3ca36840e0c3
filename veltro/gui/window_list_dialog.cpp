#include "veltro/gui/window_list_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/gui/qt_text.h"
#include "veltro/gui/texts.h"
#include "veltro/gui/window_placement.h"

namespace veltro::gui {

WindowListDialog::WindowListDialog(const char* title, const char* actionText, QWidget* owner,
                                   Action action)
    : QDialog(owner),
      m_list(new QListWidget(this)),
      m_action(new QPushButton(QString::fromUtf8(actionText), this)),
      m_cancel(new QPushButton(QString::fromUtf8(texts::kCancelButton), this)),
      m_run(std::move(action)) {
    setWindowTitle(QString::fromUtf8(title));
    m_list->setObjectName(QStringLiteral("windows"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumWidth(360);
    m_action->setDefault(true);
    connect(m_action, &QPushButton::clicked, this, [this] { m_run(selectedLine()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { m_run(m_list->row(item)); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_action);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

void WindowListDialog::setLines(const std::vector<std::string>& lines, int selected) {
    m_list->clear();
    for (const std::string& line : lines)
        m_list->addItem(common::gui::qtText(line));
    if (selected >= 0 && selected < m_list->count()) {
        m_list->setCurrentRow(selected);
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
}

// Centred once its size is known: over the main window that owns it.
void WindowListDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget() != nullptr)
        centreOverOwner(*this, *parentWidget());
}

int WindowListDialog::selectedLine() const {
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    return chosen.isEmpty() ? -1 : m_list->row(chosen.front());
}

}  // namespace veltro::gui
