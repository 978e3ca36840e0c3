#include "veltro/gui/debug_window.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QValidator>
#include <algorithm>

#include "common/gui/qt_text.h"
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

using common::gui::qtText;

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
    setWindowTitle(qtText(screen.title()));
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
        auto* label = new QLabel(qtText(text.text), this);
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

CellSize DebugWindow::cell(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString sample = QString::fromLatin1(kCellSampleText.data(),
                                               static_cast<qsizetype>(kCellSampleText.size()));
    return cellSize(metrics.horizontalAdvance(sample), metrics.height());
}

// Each text and control takes the cells the picture gives it, at the font;
// more where its content needs more: a text in a wide face, a value field
// its digits (the line edit keeps 2 pixels each side and a cursor beside
// its text, and shows the end of a text that does not fit), a check box
// its mark.
std::vector<PictureElement> DebugWindow::measure(CellSize cell) const {
    const QFontMetrics metrics(font());
    constexpr int kEditBeside = 2 * 2 + 1 + 1;
    std::vector<PictureElement> elements;
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        const FixedText& text = m_screen.texts()[i];
        const QString shown = m_texts[i]->text();
        const int width = std::max(static_cast<int>(shown.size()) * cell.width,
                                   metrics.horizontalAdvance(shown));
        elements.push_back({text.column, text.row, width, cell.height});
    }
    for (const DebugItem& item : m_screen.items()) {
        QWidget* c = control(item.index);
        if (c == nullptr)
            continue;
        PictureElement e{item.column, item.row, item.width * cell.width, cell.height};
        if (item.isOnOff()) {
            e.width = std::max(e.width, c->minimumSizeHint().width());
            e.height = std::max(e.height, c->minimumSizeHint().height());
        } else {
            const QString digits(item.width, QLatin1Char('0'));
            e.width = std::max(e.width, metrics.horizontalAdvance(digits) + kEditBeside);
        }
        elements.push_back(e);
    }
    return elements;
}

void DebugWindow::layoutControls() {
    if (!m_built)
        return;
    const CellSize cell = DebugWindow::cell(font());
    const std::vector<PictureElement> elements = measure(cell);
    const int columns = m_screen.columnExtent();
    const int rows = m_screen.rowExtent();
    // Smaller than this, the rows would run into each other: the window
    // stays this large and the area around it scrolls.
    const ClientSize least = minimumClientSize(elements, cell, columns, rows);
    const QMargins frame = contentsMargins();
    setMinimumSize(least.width + frame.left() + frame.right(),
                   least.height + frame.top() + frame.bottom());
    const QRect area = contentsRect();
    auto place = [&](QWidget* widget, const PictureElement& e) {
        const ControlPlace p =
            placeControl(e.column, e.row, 0, cell, area.width(), area.height(), columns, rows);
        widget->setGeometry(area.x() + p.x, area.y() + p.y, e.width, e.height);
    };
    std::size_t next = 0;
    for (QLabel* text : m_texts)
        place(text, elements[next++]);
    for (QWidget* c : m_controls) {
        if (c != nullptr)
            place(c, elements[next++]);
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
        const QString text = qtText(item.text);
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
    // typing replaces the value shown, it does not add to it. The field
    // left shows no selected text, which would look like the one typed into.
    if (m_screen.selected() != previousSelection) {
        if (auto* left = dynamic_cast<ItemEdit*>(control(previousSelection)))
            left->deselect();
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
