#include "pendrel/gui/canvas_widget.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "pendrel/gui/texts.h"

namespace pendrel::gui {
namespace {

QFont canvasFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

CanvasGeometry geometryFor(const QFont& font) {
    const QFontMetrics metrics(font);
    const CanvasGeometry::Point size =
        CanvasGeometry::canvasSize(metrics.horizontalAdvance(QLatin1Char('W')), metrics.height());
    return CanvasGeometry::ofCanvas(size.x, size.y);
}

}  // namespace

CanvasWidget::CanvasWidget(ScreenEditor& editor, QWidget* parent)
    : QFrame(parent), m_editor(editor), m_geometry(geometryFor(canvasFont())) {
    setObjectName(QStringLiteral("Canvas"));
    setFont(canvasFont());
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    const CanvasGeometry::Point size =
        CanvasGeometry::canvasSize(m_geometry.cellWidth(), m_geometry.cellHeight());
    setFixedSize(size.x, size.y);
    rebuild();
}

void CanvasWidget::rebuild() {
    for (QLabel* label : m_controls) {
        delete label;
    }
    m_controls.clear();
    m_drag.reset();
    m_shownSelection.reset();
    const auto& controls = m_editor.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        auto* label = new QLabel(fromUtf8(controls[i].text), this);
        label->setObjectName(controls[i].isText ? QStringLiteral("text") : QStringLiteral("item"));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setMargin(0);
        label->setIndent(0);
        label->setTextFormat(Qt::PlainText);
        m_controls.push_back(label);
        place(i);
        label->show();
    }
    update();
}

void CanvasWidget::dropDeleted() {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i] != nullptr && m_editor.controls()[i].deleted) {
            delete m_controls[i];
            m_controls[i] = nullptr;
        }
    }
    if (!m_editor.hasSelection()) {
        m_shownSelection.reset();
    }
    m_drag.reset();
    update();
}

QLabel* CanvasWidget::control(std::size_t index) const {
    return index < m_controls.size() ? m_controls[index] : nullptr;
}

QPoint CanvasWidget::cellCentre(int column, int row) const {
    const CanvasGeometry::Point corner = m_geometry.topLeft({column, row});
    return {corner.x + m_geometry.cellWidth() / 2, corner.y + m_geometry.cellHeight() / 2};
}

void CanvasWidget::place(std::size_t index) {
    const ScreenEditor::Control& control = m_editor.controls()[index];
    const CanvasGeometry::Point corner = m_geometry.topLeft({control.column, control.row});
    m_controls[index]->setGeometry(corner.x, corner.y, control.width() * m_geometry.cellWidth(),
                                   m_geometry.cellHeight());
}

QRect CanvasWidget::selectionRect() const {
    if (!m_shownSelection || m_controls[*m_shownSelection] == nullptr) {
        return {};
    }
    return m_controls[*m_shownSelection]->geometry().adjusted(-1, -1, 0, 0);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pixel = event->position().toPoint();
    const CanvasGeometry::Cell cell = m_geometry.cellAt({pixel.x(), pixel.y()});
    std::optional<std::size_t> hit = m_editor.controlAt(cell.column, cell.row);
    if (!hit) {
        return;
    }
    m_editor.select(*hit);
    m_shownSelection = hit;
    const ScreenEditor::Control& control = m_editor.controls()[*hit];
    m_drag = Drag{*hit, pixel, {control.column, control.row}};
    update();
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_drag) {
        return;
    }
    const QPoint moved = event->position().toPoint() - m_drag->pressed;
    const CanvasGeometry::Cell target = m_geometry.dragged(m_drag->start, moved.x(), moved.y());
    m_editor.move(m_drag->control, target.column, target.row);
    place(m_drag->control);
    update();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_drag.reset();
    }
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect rect = selectionRect();
    if (rect.isValid()) {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect);
    }
}

}  // namespace pendrel::gui
