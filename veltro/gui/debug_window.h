#pragma once

#include <QFrame>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "veltro/ports/item_view.h"
#include "veltro/screens/debug_screen.h"
#include "veltro/screens/screen_layout.h"
#include "veltro/session/window_list.h"

class QLabel;

namespace veltro::gui {

// One debug window (VLTCHILDCLASS): the fixed texts and item controls of a
// debug screen, placed by the layout formula so that positions scale with
// the window and sizes with the font. The screen holds every rule; this
// widget shows its state and hands it the engineer's keys, clicks and
// typing. Its controls are made when it is first shown.
class DebugWindow final : public QFrame, public ItemView {
  public:
    DebugWindow(DebugScreen& screen, DebugWindowList::WindowId id, ScreenPorts& ports,
                QWidget* parent);

    DebugScreen& screen() const { return m_screen; }
    // The window list's identity of the screen shown here.
    DebugWindowList::WindowId id() const { return m_id; }

    // One item's value or state changed: its control shows it again.
    void itemChanged(int item) override;
    // Every control from its item (after a switch, a dialog or a load).
    void refreshItems();
    // A key that the main window passed on.
    void handleKey(ScreenKey key);
    // The keyboard to the selected item's control, else to the window.
    void focusSelection();

    // The control of an item, or null (no definition, or not built yet).
    QWidget* control(int item) const;
    const std::vector<QLabel*>& texts() const { return m_texts; }

    // Called after an item's control has painted (the load benchmark's probe).
    void setPaintProbe(std::function<void(int item)> probe) { m_paintProbe = std::move(probe); }

    // The character cell of the layout at `font`.
    static CellSize cell(const QFont& font);

    // How a refused key is told; none set: the desktop's beep.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // From the item controls.
    void itemClicked(int item);
    void itemTyped(int item, const QString& text);
    bool itemSelected(int item) const;
    // A key that the field refused (its text is full): nothing is written.
    void keyRefused(int item);
    bool itemSelectionShown(int item) const;
    void itemPainted(int item);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void build();
    // Places the texts and controls, and sets the least size at which
    // they neither overlap nor are cut.
    void layoutControls();
    std::vector<PictureElement> measure(CellSize cell) const;
    void showItem(int item);
    void afterAction(int previousSelection);

    DebugScreen& m_screen;
    DebugWindowList::WindowId m_id;
    ScreenPorts& m_ports;
    bool m_built = false;
    std::vector<QLabel*> m_texts;
    std::vector<QWidget*> m_controls;  // by item index; null without a control
    std::function<void(int)> m_paintProbe;
    std::function<void()> m_beep;
};

}  // namespace veltro::gui
