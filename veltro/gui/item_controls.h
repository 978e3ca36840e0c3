#pragma once

#include <QCheckBox>
#include <QLineEdit>

namespace veltro::gui {

class DebugWindow;

// The two item controls of a debug window. They hold no item state: they
// ask their window what to show and hand the engineer's clicks and typing to
// it. Both draw the selection rectangle of their item.

// A number item: a borderless, right-aligned edit field.
class ItemEdit final : public QLineEdit {
  public:
    ItemEdit(DebugWindow& window, int item, QWidget* parent);
    int item() const { return m_item; }
    // The field's validator refused a change.
    void noteRefused() { m_refused = true; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    DebugWindow& m_window;
    int m_item;
    bool m_refused = false;
};

// An on/off item: a check box without a caption that never changes its mark
// by itself; the mark follows the controller's reports only.
class ItemCheckBox final : public QCheckBox {
  public:
    ItemCheckBox(DebugWindow& window, int item, QWidget* parent);
    int item() const { return m_item; }

  protected:
    void nextCheckState() override {}
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    DebugWindow& m_window;
    int m_item;
};

}  // namespace veltro::gui
