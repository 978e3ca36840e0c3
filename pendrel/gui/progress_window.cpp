#include "pendrel/gui/progress_window.h"

#include <QVBoxLayout>

#include "pendrel/gui/texts.h"

namespace pendrel::gui {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("ProgressWindow"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    const int width = m_list->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 70;
    resize(width, m_list->fontMetrics().height() * 16);
}

void ProgressWindow::start(const QString& title) {
    setWindowTitle(title);
    m_list->clear();
    show();
    raise();
}

void ProgressWindow::addLine(const QString& line) {
    m_list->addItem(line);
    m_list->setCurrentRow(m_list->count() - 1);
    m_list->scrollToBottom();
}

QStringList ProgressWindow::lines() const {
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i) {
        lines << m_list->item(i)->text();
    }
    return lines;
}

void WindowProgress::open(std::string_view title) {
    m_window.start(fromUtf8(title));
}

void WindowProgress::add(std::string_view line) {
    m_window.addLine(fromUtf8(line));
}

}  // namespace pendrel::gui
