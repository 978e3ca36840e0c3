#include "veltro/gui/status_line.h"

#include "veltro/link/status_text.h"

namespace veltro::gui {

StatusLine::StatusLine(const LinkStatusSource& source, QWidget* parent)
    : QLabel(parent), m_source(source) {
    setObjectName(QStringLiteral("VLTSTATUSLINE"));
    setTextFormat(Qt::PlainText);
    setMargin(2);
    connect(&m_timer, &QTimer::timeout, this, &StatusLine::refresh);
    m_timer.start(kRefreshMs);
    refresh();
}

void StatusLine::refresh() {
    const QString text = QString::fromStdString(link::statusLineText(m_source.linkStatus()));
    if (text != this->text())
        setText(text);
}

}  // namespace veltro::gui
