#include "veltro/gui/message_window.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "common/gui/qt_text.h"
#include "veltro/gui/texts.h"

namespace veltro::gui {

MessageWindow::MessageWindow(QWidget* parent)
    : QWidget(parent), m_caption(new QLabel(this)), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("VLTMSGCLASS"));
    setWindowTitle(QString::fromUtf8(texts::kMessageWindowTitle));
    m_caption->setText(QString::fromUtf8(texts::kMessageWindowTitle));
    m_caption->setObjectName(QStringLiteral("caption"));
    // A title bar of its own, as the child window it stands for has.
    m_caption->setAutoFillBackground(true);
    m_caption->setBackgroundRole(QPalette::Highlight);
    m_caption->setForegroundRole(QPalette::HighlightedText);
    m_caption->setContentsMargins(4, 1, 4, 1);
    m_list->setObjectName(QStringLiteral("messages"));
    m_list->setSortingEnabled(false);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addWidget(m_list, 1);
    setMinimumHeight(0);
}

bool MessageWindow::addLine(const std::string& line) {
    m_list->addItem(common::gui::qtText(line));
    m_list->setCurrentRow(m_list->count() - 1);
    m_list->scrollToBottom();
    return true;
}

void MessageWindow::takeFocus() {
    m_list->setFocus(Qt::OtherFocusReason);
}

int MessageWindow::lineCount() const {
    return m_list->count();
}

QString MessageWindow::line(int row) const {
    const QListWidgetItem* item = m_list->item(row);
    return item ? item->text() : QString();
}

bool MessageWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool focusIn = watched == m_list && event->type() == QEvent::FocusIn;
    const bool pressed = watched == m_list->viewport() &&
                         event->type() == QEvent::MouseButtonPress &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if ((focusIn || pressed) && m_activated)
        m_activated();
    return QWidget::eventFilter(watched, event);
}

}  // namespace veltro::gui
