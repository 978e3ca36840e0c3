#include "veltro/gui/status_line.h"

#include <QResizeEvent>

#include "veltro/link/status_text.h"

namespace veltro::gui {

StatusLine::StatusLine(const LinkStatusSource& source, QWidget* parent)
    : QLabel(parent), m_source(source) {
    setObjectName(QStringLiteral("VLTSTATUSLINE"));
    setTextFormat(Qt::PlainText);
    setMargin(2);
    // A narrow window shows the start of the line (the link and its state);
    // the line never widens the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(0);
    connect(&m_timer, &QTimer::timeout, this, &StatusLine::refresh);
    m_timer.start(kRefreshMs);
    refresh();
}

void StatusLine::refresh() {
    const QString text = QString::fromStdString(link::statusLineText(m_source.linkStatus()));
    if (text == m_full)
        return;
    m_full = text;
    setToolTip(m_full);
    showFitting();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showFitting();
}

void StatusLine::showFitting() {
    const int room = contentsRect().width() - 2 * margin();
    const QString shown =
        room > 0 ? fontMetrics().elidedText(m_full, Qt::ElideRight, room) : m_full;
    if (shown != text())
        setText(shown);
}

}  // namespace veltro::gui
