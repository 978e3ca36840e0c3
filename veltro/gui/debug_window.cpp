#include "veltro/gui/debug_window.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QValidator>

#include "veltro/gui/item_controls.h"
#include "veltro/gui/texts.h"
#include "veltro/screens/screen_layout.h"

namespace veltro::gui {
namespace {

// The number field takes at most its limit in characters from the keyboard;
// a reported value may be longer and is still shown whole. What it refuses
// the field counts, so that the key that was refused can be told.
class LengthLimit final : public QValidator {
  public:
    LengthLimit(int limit, ItemEdit& edit) : QValidator(&edit), m_limit(limit), m_edit(edit) {}
    State validate(QString& input, int&) const override {
        if (input.size() <= m_limit)
            return Acceptable;
        m_edit.noteRefused();
        return Invalid;
    }

  private:
    int m_limit;
    ItemEdit& m_edit;
};

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A stale value stays readable, in the colour of disabled text, with a tip
// that says why; a fresh one takes the window's colours again.
void showStale(QWidget& control, bool stale) {
    const char* const kMark = "stale";
    if (control.property(kMark).toBool() == stale)
        return;
    control.setProperty(kMark, stale);
    control.setToolTip(stale ? QString::fromUtf8(texts::kStaleValue) : QString());
    if (!stale) {
        control.setPalette(QPalette());
        return;
    }
    QPalette palette = control.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
            palette.setColor(group, role, palette.color(QPalette::Disabled, role));
    }
    control.setPalette(palette);
}

}  // namespace

DebugWindow::DebugWindow(DebugScreen& screen, DebugWindowList::WindowId id, ScreenPorts& ports,
                         QWidget* parent)
    : QFrame(parent), m_screen(screen), m_id(id), m_ports(ports) {
    setObjectName(QStringLiteral("VLTCHILDCLASS"));
    setWindowTitle(fromUtf8(screen.title()));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setFocusPolicy(Qt::StrongFocus);
}

void DebugWindow::build() {
    if (m_built)
        return;
    m_built = true;
    for (const FixedText& text : m_screen.texts()) {
        auto* label = new QLabel(fromUtf8(text.text), this);
        label->setTextFormat(Qt::PlainText);
        label->setContentsMargins(0, 0, 0, 0);
        label->show();  // made while the window is being shown: shown by hand
        m_texts.push_back(label);
    }
    m_controls.assign(m_screen.items().size(), nullptr);
    for (const DebugItem& item : m_screen.items()) {
        if (!item.hasControl)
            continue;
        QWidget* control = nullptr;
        if (item.isOnOff()) {
            control = new ItemCheckBox(*this, item.index, this);
        } else {
            auto* edit = new ItemEdit(*this, item.index, this);
            edit->setValidator(new LengthLimit(item.editLimit(), *edit));
            control = edit;
        }
        control->show();
        m_controls[static_cast<std::size_t>(item.index)] = control;
    }
    layoutControls();
    refreshItems();
}

void DebugWindow::layoutControls() {
    if (!m_built)
        return;
    const QFontMetrics metrics(font());
    const QString sample = QString::fromLatin1(kCellSampleText.data(),
                                               static_cast<qsizetype>(kCellSampleText.size()));
    const CellSize cell = cellSize(metrics.horizontalAdvance(sample), metrics.height());
    const QRect area = contentsRect();
    const int columns = m_screen.columnExtent();
    const int rows = m_screen.rowExtent();
    auto place = [&](QWidget* widget, int column, int row, int cells) {
        const ControlPlace p =
            placeControl(column, row, cells, cell, area.width(), area.height(), columns, rows);
        widget->setGeometry(area.x() + p.x, area.y() + p.y, p.width, p.height);
    };
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        const FixedText& text = m_screen.texts()[i];
        place(m_texts[i], text.column, text.row, static_cast<int>(m_texts[i]->text().size()));
    }
    for (const DebugItem& item : m_screen.items()) {
        if (QWidget* c = control(item.index))
            place(c, item.column, item.row, item.width);
    }
    update();
}

QWidget* DebugWindow::control(int item) const {
    if (item < 0 || static_cast<std::size_t>(item) >= m_controls.size())
        return nullptr;
    return m_controls[static_cast<std::size_t>(item)];
}

void DebugWindow::showItem(int index) {
    QWidget* c = control(index);
    if (c == nullptr)
        return;
    const DebugItem& item = m_screen.item(index);
    c->setEnabled(item.enabled);
    showStale(*c, item.stale);
    if (auto* box = dynamic_cast<ItemCheckBox*>(c)) {
        box->setChecked(item.checked);
    } else if (auto* edit = dynamic_cast<ItemEdit*>(c)) {
        const QString text = fromUtf8(item.text);
        if (edit->text() != text) {
            edit->setText(text);
            // The selected field's new value is all selected again, so that
            // the next key replaces it rather than adds to it.
            if (item.selected())
                edit->selectAll();
        }
    }
    // Each of these repaints the control only when it changed: a report of
    // the same value costs no paint.
}

void DebugWindow::itemChanged(int item) {
    showItem(item);
}

void DebugWindow::refreshItems() {
    if (!m_built)
        return;
    for (const DebugItem& item : m_screen.items())
        showItem(item.index);
}

void DebugWindow::focusSelection() {
    QWidget* c = control(m_screen.selected());
    if (c != nullptr && c->isEnabled()) {
        c->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

void DebugWindow::afterAction(int previousSelection) {
    // The selection rectangle moves: both controls are painted again.
    for (int item : {previousSelection, m_screen.selected()}) {
        showItem(item);
        if (QWidget* c = control(item))
            c->update();
    }
    focusSelection();
    // A number field that becomes selected has its whole text selected:
    // typing replaces the value shown, it does not add to it.
    if (m_screen.selected() != previousSelection) {
        if (auto* edit = dynamic_cast<ItemEdit*>(control(m_screen.selected())))
            edit->selectAll();
    }
}

bool DebugWindow::itemSelected(int item) const {
    return m_screen.selected() == item;
}

void DebugWindow::keyRefused(int) {
    if (m_beep) {
        m_beep();
    } else {
        QApplication::beep();
    }
}

void DebugWindow::handleKey(ScreenKey key) {
    const int previous = m_screen.selected();
    m_screen.handleKey(key, m_ports);
    afterAction(previous);
    // After Enter the field is as freshly selected: the next number typed
    // replaces the one just written.
    if (key == ScreenKey::Enter) {
        if (auto* edit = dynamic_cast<ItemEdit*>(control(m_screen.selected())))
            edit->selectAll();
    }
}

void DebugWindow::itemClicked(int item) {
    const int previous = m_screen.selected();
    m_screen.click(item, m_ports);
    afterAction(previous);
}

void DebugWindow::itemTyped(int item, const QString& text) {
    m_screen.typeText(item, text.toStdString());
}

bool DebugWindow::itemSelectionShown(int item) const {
    return m_screen.selectionVisible() && m_screen.item(item).selected();
}

void DebugWindow::itemPainted(int item) {
    if (m_paintProbe)
        m_paintProbe(item);
}

void DebugWindow::showEvent(QShowEvent* event) {
    build();
    QFrame::showEvent(event);
}

void DebugWindow::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutControls();
}

void DebugWindow::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layoutControls();
}

}  // namespace veltro::gui
