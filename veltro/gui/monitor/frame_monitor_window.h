#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "veltro/gui/monitor/frame_table_model.h"
#include "veltro/monitor/monitor_hub.h"

class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace veltro::gui {

// "Frame monitor": every frame in and out with its time, bytes and decoding,
// filtered by direction and by macro as the engineer types; pause, clear and
// save the shown frames. The hub's history holds the frames; this window
// only shows them.
class FrameMonitorWindow final : public QWidget {
  public:
    using FileChooser = std::function<QString(QWidget* parent)>;

    FrameMonitorWindow(monitor::MonitorHub& hub, const monitor::FrameNames& names,
                       QWidget* parent = nullptr);

    // After the hub took new frames: rows added, the view kept at the bottom
    // when it was there.
    void refresh();
    // Where the shown frames are saved (a file dialog unless set; tests).
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Writes the shown rows as a capture file (replayable), its header
    // naming the project of `setProjectDirectory`.
    void saveFrames();
    void setProjectDirectory(std::string directory) { m_projectDirectory = std::move(directory); }

    FrameTableModel& model() { return m_model; }
    QTableView* table() const { return m_table; }
    // The words of the macro filter that name no macro, marked in the field.
    const std::vector<std::string>& unknownMacros() const { return m_unknown; }

  private:
    QBoxLayout* buildControls();
    void buildTable();
    void applyFilter();
    void updateStatus();

    monitor::MonitorHub& m_hub;
    const monitor::FrameNames& m_names;
    std::string m_projectDirectory = ".";
    FrameTableModel m_model;
    QCheckBox* m_in = nullptr;
    QCheckBox* m_out = nullptr;
    QLineEdit* m_macros = nullptr;
    QPushButton* m_pause = nullptr;
    QLabel* m_status = nullptr;
    QTableView* m_table = nullptr;
    FileChooser m_chooseFile;
    std::vector<std::string> m_unknown;
};

}  // namespace veltro::gui
