#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <span>

#include "veltro/gui/tools/tool_context.h"
#include "veltro/tools/backup_file.h"
#include "veltro/tools/stoppable_clock.h"
#include "veltro/tools/tool_run.h"
#include "veltro/tools/tool_run_state.h"

class QBoxLayout;
class QButtonGroup;
class QLayout;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace common::gui {
class WorkerRun;
}

namespace veltro::gui {

// One of the three parameter tool dialogs: "Automatische aanpassing
// parameters", "Automatische Afname" or "Verschillen met ZXAPTAB.C zien".
// It reads the tool's settings when it opens and writes them on each start
// and when it closes.
//
// A run goes on a worker thread, so the windows keep painting and the
// progress bar moves while the commands are paced; the dialog takes no
// input meanwhile except Escape and closing, which stop the run after the
// current command (and closing then closes the dialog).
class ToolDialog final : public QDialog {
  public:
    ToolDialog(tools::Tool tool, ToolContext& context, QWidget* parent = nullptr);
    ~ToolDialog() override;

    tools::Tool tool() const { return m_tool; }
    bool running() const;

    // The controls, by what they stand for (tests look at them).
    QCheckBox* categoryBox(tools::Category c) const;  // null: the acceptance run's switches
    QCheckBox* switchesOnBox() const { return m_switchesOn; }
    QCheckBox* switchesOffBox() const { return m_switchesOff; }
    QCheckBox* saveBox() const { return m_saveBox; }
    QCheckBox* separateBox() const { return m_separateBox; }
    QCheckBox* verifyBox() const { return m_verifyBox; }
    QCheckBox* restartBox() const { return m_restartBox; }
    QCheckBox* rememberBox() const { return m_rememberBox; }
    QLineEdit* fileField() const { return m_fileField; }
    QLineEdit* startValueField() const { return m_startValue; }
    QLineEdit* directoryField() const { return m_directory; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* resetButton() const { return m_reset; }
    QPushButton* backupButton() const { return m_backup; }  // the difference check's
    QPushButton* closeButton() const { return m_close; }
    QProgressBar* progressBar() const { return m_progress; }
    QRadioButton* speedButton(int index) const;
    int speed() const { return m_speed; }

    // The dialog's state as a start reads it back.
    tools::ToolSettings dialogState() const;

    void startRun();
    void startReset();
    // The difference check's "&Bewaar parameters...": the checked categories
    // into a backup file the user chooses.
    void startBackup();
    // The acceptance run's dialog, once shown: a journal of originals that an
    // earlier debugger left is offered for restoring, or taken over.
    void offerJournal();
    void done(int result) override;
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // A run's job: what it read and what the controller answered of it.
    using Job = std::function<tools::ReadCounts(tools::RunPorts&)>;
    // A check box of " Extra gegevens " with the setting it shows, in the
    // order shown, for the tools whose bit is set.
    struct OptionBox;
    static std::span<const OptionBox> optionBoxes();

    void build();
    QWidget* buildSelection();
    QWidget* buildExtra();
    QBoxLayout* buildFileRow(QCheckBox* saveBox);
    QLayout* buildSpeeds();
    QWidget* buildRunFrame();
    void showSettings(const tools::ToolSettings& s);
    void saveSettings();
    void chooseFile();
    void switchBoxToggled(QCheckBox* box, bool checked);

    // Moves the run's state by `event` and carries out the step's action,
    // except a launch or a close, which the caller makes; the action taken.
    tools::RunAction step(tools::RunEvent event);
    void launch(Job job);
    void runEnded(const tools::ReadCounts& reads);
    void finishRun();
    void closeNow(int result);
    void setInputEnabled(bool enabled);
    void startJournalRestore(const tools::Backup& journal);

    tools::Tool m_tool;
    ToolContext& m_context;
    tools::ToolSettings m_loaded;  // as read when the dialog opened
    int m_speed = 1000;
    std::string m_fileName;  // the current file name ("File name" key)
    tools::StoppableClock m_machineClock;
    std::unique_ptr<common::gui::WorkerRun> m_worker;
    tools::RunState m_state = tools::RunState::Idle;
    tools::ReadCounts m_lastReads;  // of the run that ended last

    std::array<QCheckBox*, tools::kCategoryCount> m_categories{};
    QCheckBox* m_switchesOn = nullptr;
    QCheckBox* m_switchesOff = nullptr;
    QCheckBox* m_saveBox = nullptr;
    QCheckBox* m_separateBox = nullptr;
    QCheckBox* m_verifyBox = nullptr;
    QCheckBox* m_restartBox = nullptr;
    QCheckBox* m_rememberBox = nullptr;
    QLineEdit* m_fileField = nullptr;
    QLineEdit* m_startValue = nullptr;
    QLineEdit* m_directory = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_backup = nullptr;
    QPushButton* m_close = nullptr;
    QProgressBar* m_progress = nullptr;
    QButtonGroup* m_speeds = nullptr;
    std::array<QWidget*, 3> m_frames{};  // selection, extra data, run
};

// Opens the tool's dialog modally over `parent`: the store's index is made
// afresh and reports are routed to the store (`setRouted`) from opening to
// closing. Returns when the dialog is closed.
void runToolDialog(tools::Tool tool, ToolContext& context, QWidget* parent,
                   const std::function<void(bool)>& setRouted);

}  // namespace veltro::gui
