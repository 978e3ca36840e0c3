#include "tonvia/gui/message_window.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tonvia::gui {

MessageWindow::MessageWindow(QWidget* parent) : QWidget(parent), m_text(new QPlainTextEdit) {
    setWindowTitle(QStringLiteral("TONVIA"));
    m_text->setReadOnly(true);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(640, 360);
}

void MessageWindow::appendLine(const QString& line) {
    m_text->appendPlainText(line);
}

void MessageWindow::setFinished(int exitStatus) {
    m_finished = true;
    m_exitStatus = exitStatus;
}

QString MessageWindow::text() const {
    return m_text->toPlainText();
}

}  // namespace tonvia::gui
