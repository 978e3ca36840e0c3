#pragma once

#include <QObject>
#include <optional>

#include "veltro/screens/screen_interaction.h"
#include "veltro/session/main_keys.h"

class QKeyEvent;

namespace veltro::gui {

class MainWindow;

// The main window's keys as the key table names them.
MainKey mainKeyOf(const QKeyEvent& event);
// The keys a debug window's items act on, or nothing.
std::optional<ScreenKey> screenKeyOf(const QKeyEvent& event);

// The keyboard hook: installed on the application, it shows the main window
// every key pressed in it before the key's own target sees it, whichever
// control has the focus. Keys the main window uses go no further.
// It is installed before the main window exists and serves it once set.
// A control of the main window that edits text of its own (the replay bar's
// time) is marked with kOwnKeys and keeps its keys.
class KeyboardHook final : public QObject {
  public:
    static constexpr const char* kOwnKeys = "veltroOwnKeys";

    void setWindow(MainWindow* window) { m_window = window; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    MainWindow* m_window = nullptr;
};

}  // namespace veltro::gui
