#include "veltro/gui/item_controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "veltro/gui/debug_window.h"

namespace veltro::gui {
namespace {

// The selection: a dotted rectangle over the control less one pixel at the
// right and bottom edges (a 1-pixel outline of a QRect covers its width + 1).
void drawSelection(QWidget& control) {
    QPainter painter(&control);
    painter.setPen(QPen(control.palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.drawRect(control.rect().adjusted(0, 0, -2, -2));
}

}  // namespace

ItemEdit::ItemEdit(DebugWindow& window, int item, QWidget* parent)
    : QLineEdit(parent), m_window(window), m_item(item) {
    setObjectName(QStringLiteral("VLTEDITITEMCLASS"));
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setEnabled(false);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_window.itemTyped(m_item, text); });
}

// A key that would make the text longer than the field takes is refused
// with a beep, never dropped in silence.
void ItemEdit::keyPressEvent(QKeyEvent* event) {
    m_refused = false;
    QLineEdit::keyPressEvent(event);
    if (m_refused)
        m_window.keyRefused(m_item);
    m_refused = false;
}

// A click that selects the field selects its whole text, as the keys do; a
// click into the field already selected places the cursor.
void ItemEdit::mousePressEvent(QMouseEvent* event) {
    const bool wasSelected = m_window.itemSelected(m_item);
    if (event->button() == Qt::LeftButton)
        m_window.itemClicked(m_item);
    QLineEdit::mousePressEvent(event);
    if (!wasSelected && m_window.itemSelected(m_item))
        selectAll();
}

void ItemEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (m_window.itemSelectionShown(m_item))
        drawSelection(*this);
    m_window.itemPainted(m_item);
}

ItemCheckBox::ItemCheckBox(DebugWindow& window, int item, QWidget* parent)
    : QCheckBox(parent), m_window(window), m_item(item) {
    setObjectName(QStringLiteral("VLTCHECKBOXITEMCLASS"));
    setEnabled(false);
}

// A click goes to the item, never to the box's own state: the box does not
// look pressed and emits nothing.
void ItemCheckBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_window.itemClicked(m_item);
    event->accept();
}

void ItemCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

// Keys reach the item through the main window's key handling only.
void ItemCheckBox::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void ItemCheckBox::keyReleaseEvent(QKeyEvent* event) {
    event->ignore();
}

void ItemCheckBox::paintEvent(QPaintEvent* event) {
    QCheckBox::paintEvent(event);
    if (m_window.itemSelectionShown(m_item))
        drawSelection(*this);
    m_window.itemPainted(m_item);
}

}  // namespace veltro::gui
