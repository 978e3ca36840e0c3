#include "veltro/gui/tools/tool_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/gui/qt_text.h"
#include "common/gui/worker_run.h"
#include "veltro/gui/tools/tool_dialog_texts.h"
#include "veltro/gui/tools/tool_worker_ports.h"
#include "veltro/tools/adjustment_run.h"
#include "veltro/tools/dialog_rules.h"
#include "veltro/tools/difference_check.h"
#include "veltro/tools/run_end.h"

namespace veltro::gui {

using tools::Category;
using tools::RunAction;
using tools::RunEvent;
using tools::Tool;
using tools::ToolSettings;

namespace {

using common::gui::qtText;

std::string utf8(const QString& s) {
    return s.toStdString();
}

constexpr unsigned bit(Tool tool) {
    return 1u << static_cast<unsigned>(tool);
}
constexpr unsigned kAdjustment = bit(Tool::Adjustment);
constexpr unsigned kAcceptance = bit(Tool::Acceptance);
constexpr unsigned kDifference = bit(Tool::Difference);

}  // namespace

struct ToolDialog::OptionBox {
    QCheckBox* ToolDialog::*box;
    bool ToolSettings::*setting;
    std::string_view text;  // empty: the tool's own "Bewaar ... in file:"
    unsigned tools;
};

std::span<const ToolDialog::OptionBox> ToolDialog::optionBoxes() {
    static constexpr OptionBox kBoxes[] = {
        {&ToolDialog::m_restartBox, &ToolSettings::restartPerCategory, kRestartBox, kAcceptance},
        {&ToolDialog::m_saveBox,
         &ToolSettings::saveToFile,
         {},
         kAdjustment | kAcceptance | kDifference},
        {&ToolDialog::m_separateBox, &ToolSettings::separateFiles, kSeparateFilesBox,
         kAdjustment | kAcceptance},
        {&ToolDialog::m_verifyBox, &ToolSettings::verify, kVerifyBox, kAdjustment},
        {&ToolDialog::m_rememberBox, &ToolSettings::rememberOriginals, kRememberBox, kAcceptance},
    };
    return kBoxes;
}

ToolDialog::ToolDialog(Tool tool, ToolContext& context, QWidget* parent)
    : QDialog(parent),
      m_tool(tool),
      m_context(context),
      m_worker(std::make_unique<common::gui::WorkerRun>(*this)) {
    setObjectName(QStringLiteral("ToolDialog"));
    setWindowTitle(qtText(toolDialogTexts(tool).title));
    setModal(true);
    build();
    m_loaded = tools::loadToolSettings(tool, context.settings);
    showSettings(m_loaded);
}

ToolDialog::~ToolDialog() {
    m_machineClock.requestStop();
    m_worker.reset();  // waits for a run still going
}

bool ToolDialog::running() const {
    return m_state != tools::RunState::Idle;
}

QCheckBox* ToolDialog::categoryBox(Category c) const {
    return m_categories[static_cast<std::size_t>(tools::categoryNumber(c))];
}

QRadioButton* ToolDialog::speedButton(int index) const {
    return qobject_cast<QRadioButton*>(m_speeds->button(index));
}

void ToolDialog::build() {
    auto* layout = new QVBoxLayout(this);
    m_frames = {buildSelection(), buildExtra(), buildRunFrame()};
    for (QWidget* frame : m_frames)
        layout->addWidget(frame);
    auto* buttons = new QHBoxLayout;
    if (m_tool == Tool::Acceptance) {
        m_reset = new QPushButton(qtText(kResetButton));
        m_reset->setEnabled(false);
        connect(m_reset, &QPushButton::clicked, this, [this] { startReset(); });
        buttons->addWidget(m_reset);
    }
    if (m_tool == Tool::Difference) {
        m_backup = new QPushButton(qtText(kBackupButton));
        m_backup->setAutoDefault(false);
        connect(m_backup, &QPushButton::clicked, this, [this] { startBackup(); });
        buttons->addWidget(m_backup);
    }
    buttons->addStretch();
    m_close = new QPushButton(qtText(toolDialogTexts(m_tool).closeButton));
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, [this] { close(); });
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
}

QWidget* ToolDialog::buildSelection() {
    auto* frame = new QGroupBox(qtText(toolDialogTexts(m_tool).selectionFrame));
    auto* grid = new QGridLayout(frame);
    int slot = 0;
    const auto place = [&](QCheckBox* box) {
        grid->addWidget(box, slot % 6, slot / 6);
        ++slot;
    };
    for (Category c : tools::kAllCategories) {
        if (m_tool != Tool::Acceptance || c != Category::Schakelaars) {
            m_categories[static_cast<std::size_t>(tools::categoryNumber(c))] =
                new QCheckBox(qtText(tools::categoryTexts(c).label));
            place(categoryBox(c));
            continue;
        }
        m_switchesOn = new QCheckBox(qtText(kSwitchesOnBox));
        m_switchesOff = new QCheckBox(qtText(kSwitchesOffBox));
        for (QCheckBox* box : {m_switchesOn, m_switchesOff}) {
            connect(box, &QCheckBox::toggled, this,
                    [this, box](bool on) { switchBoxToggled(box, on); });
            place(box);
        }
    }
    return frame;
}

QWidget* ToolDialog::buildExtra() {
    auto* frame = new QGroupBox(qtText(kExtraFrame));
    auto* column = new QVBoxLayout(frame);
    if (m_tool == Tool::Acceptance) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(qtText(kStartValueLabel)));
        m_startValue = new QLineEdit;
        m_startValue->setMaximumWidth(
            m_startValue->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) + 16);
        row->addWidget(m_startValue);
        row->addStretch();
        column->addLayout(row);
    }
    for (const OptionBox& option : optionBoxes()) {
        if ((option.tools & bit(m_tool)) == 0)
            continue;
        auto* box = new QCheckBox(
            qtText(option.text.empty() ? toolDialogTexts(m_tool).saveBox : option.text));
        this->*option.box = box;
        if (option.box == &ToolDialog::m_saveBox)
            column->addLayout(buildFileRow(box));
        else
            column->addWidget(box);
    }
    column->addWidget(new QLabel(qtText(kSpeedLabel)));
    column->addLayout(buildSpeeds());
    if (m_tool != Tool::Acceptance) {
        column->addWidget(new QLabel(qtText(kDirectoryLabel)));
        m_directory = new QLineEdit(qtText(m_context.applicationDirectory));
        m_directory->setReadOnly(true);
        column->addWidget(m_directory);
    }
    return frame;
}

QBoxLayout* ToolDialog::buildFileRow(QCheckBox* saveBox) {
    auto* row = new QHBoxLayout;
    m_fileField = new QLineEdit;
    m_fileField->setMaxLength(static_cast<int>(ToolSettings::kFileNameMax));
    m_browse = new QPushButton(qtText(kBrowseButton));
    m_browse->setAutoDefault(false);
    m_browse->setFixedWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                            16);
    connect(m_browse, &QPushButton::clicked, this, [this] { chooseFile(); });
    row->addWidget(saveBox);
    row->addWidget(m_fileField, 1);
    row->addWidget(m_browse);
    return row;
}

QLayout* ToolDialog::buildSpeeds() {
    auto* speeds = new QGridLayout;
    m_speeds = new QButtonGroup(this);
    for (std::size_t i = 0; i < tools::kSpeedChoices.size(); ++i) {
        const tools::SpeedChoice& choice = tools::kSpeedChoices[i];
        auto* radio = new QRadioButton(qtText(choice.label));
        m_speeds->addButton(radio, static_cast<int>(i));
        speeds->addWidget(radio, 0, static_cast<int>(i));
        speeds->addWidget(new QLabel(qtText(choice.rate)), 1, static_cast<int>(i));
    }
    connect(m_speeds, &QButtonGroup::idClicked, this, [this](int id) {
        m_speed = tools::kSpeedChoices[static_cast<std::size_t>(id)].milliseconds;
    });
    return speeds;
}

QWidget* ToolDialog::buildRunFrame() {
    auto* frame = new QGroupBox(qtText(toolDialogTexts(m_tool).runFrame));
    auto* column = new QVBoxLayout(frame);
    m_progress = new QProgressBar;
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    column->addWidget(m_progress);
    m_start = new QPushButton(qtText(toolDialogTexts(m_tool).startButton));
    connect(m_start, &QPushButton::clicked, this, [this] { startRun(); });
    column->addWidget(m_start, 0, Qt::AlignLeft);
    return frame;
}

void ToolDialog::showSettings(const ToolSettings& s) {
    const ElementTables& tables = m_context.store.tables();
    for (Category c : tools::kAllCategories) {
        if (QCheckBox* box = categoryBox(c)) {
            const tools::CategoryBox state = tools::categoryBox(c, s, tables);
            box->setEnabled(state.enabled);
            box->setChecked(state.checked);
        }
    }
    if (m_tool == Tool::Acceptance) {
        const tools::SwitchBoxes boxes = tools::switchBoxes(s, tables);
        m_switchesOn->setChecked(boxes.onChecked);
        m_switchesOff->setChecked(boxes.offChecked);
        m_switchesOn->setEnabled(boxes.enabled);
        m_switchesOff->setEnabled(boxes.enabled);
        m_startValue->setText(QString::number(s.startValue));
    }
    for (const OptionBox& option : optionBoxes()) {
        if (QCheckBox* box = this->*option.box)
            box->setChecked(s.*option.setting);
    }
    m_fileName = s.fileName;
    m_fileField->setText(qtText(s.fileName));
    m_speed = s.speed;
    m_context.pacing.setInterval(std::chrono::milliseconds(s.speed));
    const int choice = tools::speedChoiceIndex(s.speed);
    if (choice >= 0)
        speedButton(choice)->setChecked(true);
}

ToolSettings ToolDialog::dialogState() const {
    ToolSettings s = m_loaded;
    for (Category c : tools::kAllCategories) {
        if (QCheckBox* box = categoryBox(c))
            s.selected[static_cast<std::size_t>(tools::categoryNumber(c))] = box->isChecked();
    }
    if (m_tool == Tool::Acceptance) {
        s.switchesOn = m_switchesOn->isChecked();
        s.switchesOff = m_switchesOff->isChecked();
        s.startValue = tools::parseStartValue(utf8(m_startValue->text()));
    }
    for (const OptionBox& option : optionBoxes()) {
        if (const QCheckBox* box = this->*option.box)
            s.*option.setting = box->isChecked();
    }
    s.fileName = tools::fileNameFromField(utf8(m_fileField->text()));
    s.speed = m_speed;
    return s;
}

void ToolDialog::saveSettings() {
    const ToolSettings s = dialogState();
    m_fileName = s.fileName;
    tools::saveToolSettings(m_tool, s, m_context.settings);
}

void ToolDialog::chooseFile() {
    const QString title = qtText(toolDialogTexts(m_tool).saveDialogTitle);
    const std::optional<QString> chosen =
        m_context.chooseFile ? m_context.chooseFile(this, title, m_fileField->text())
                             : askToolFile(this, title, m_fileField->text());
    if (!chosen)
        return;
    m_fileField->setText(*chosen);
    tools::keepChosenFileName(m_tool, m_fileName, tools::fileNameFromField(utf8(*chosen)),
                              m_context.settings);
}

void ToolDialog::switchBoxToggled(QCheckBox* box, bool checked) {
    const tools::SwitchBoxes after = tools::toggledSwitchBox(
        {true, m_switchesOn->isChecked(), m_switchesOff->isChecked()},
        box == m_switchesOn ? tools::SwitchBox::On : tools::SwitchBox::Off, checked);
    m_switchesOn->setChecked(after.onChecked);
    m_switchesOff->setChecked(after.offChecked);
}

void ToolDialog::startRun() {
    if (step(RunEvent::Start) != RunAction::Launch)
        return;
    const ToolSettings s = dialogState();
    saveSettings();
    m_context.pacing.setInterval(std::chrono::milliseconds(m_speed));
    tools::ParameterStore& store = m_context.store;
    tools::AcceptanceState& state = m_context.acceptance;
    switch (m_tool) {
        case Tool::Adjustment:
            launch([&store, s](tools::RunPorts& ports) {
                tools::ReadCounts reads;
                tools::runAdjustment(store, s, ports, &reads);
                return reads;
            });
            break;
        case Tool::Difference:
            launch([&store, s](tools::RunPorts& ports) {
                return tools::runDifferenceCheck(store, s, ports).reads;
            });
            break;
        case Tool::Acceptance:
            launch([&store, &state, s](tools::RunPorts& ports) {
                tools::runAcceptance(store, s, state, ports);
                return tools::ReadCounts{};  // nothing compared
            });
            break;
    }
}

void ToolDialog::startReset() {
    tools::AcceptanceState& state = m_context.acceptance;
    // A journal taken over from an earlier debugger may be reset before any run.
    const bool journal = state.journal && state.journal->active();
    if (m_tool != Tool::Acceptance || !(state.ranOnce || journal) ||
        step(RunEvent::Start) != RunAction::Launch)
        return;
    // The settings of the last run, the dialog not read again.
    m_context.pacing.setInterval(std::chrono::milliseconds(state.lastRun.speed));
    tools::ParameterStore& store = m_context.store;
    launch([&store, &state](tools::RunPorts& ports) {
        tools::runReset(store, state, ports);
        return tools::ReadCounts{};
    });
}

RunAction ToolDialog::step(RunEvent event) {
    const tools::RunStep next = tools::nextRunStep(m_state, event);
    m_state = next.next;
    switch (next.action) {
        case RunAction::RequestStop:
            m_machineClock.requestStop();
            break;
        case RunAction::Finish:
            finishRun();
            break;
        case RunAction::FinishAndClose:
            finishRun();
            closeNow(QDialog::Rejected);
            break;
        case RunAction::None:
        case RunAction::Launch:
        case RunAction::Close:
            break;
    }
    return next.action;
}

void ToolDialog::launch(Job job) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setInputEnabled(false);
    m_machineClock.clearStop();  // a stop asked of the last run is not this one's
    SteadyClock& clock = m_context.clock ? *m_context.clock : m_machineClock;
    auto progress = std::make_shared<PostedProgress>(*m_worker, m_progress, m_machineClock);
    auto prompts = std::make_shared<WorkerPrompts>(*m_worker, m_context.prompts);
    ToolContext& c = m_context;
    const bool started = m_worker->start(
        [job = std::move(job), progress, prompts, &c, &clock] {
            tools::RunPorts ports{c.sender, clock, c.pacing, *progress, c.files, *prompts};
            return job(ports);
        },
        [this](tools::ReadCounts reads) { runEnded(reads); });
    if (!started)  // the run object refuses only while a job runs: none here
        runEnded({});
}

void ToolDialog::runEnded(const tools::ReadCounts& reads) {
    m_lastReads = reads;
    step(RunEvent::Ended);
}

void ToolDialog::finishRun() {
    QApplication::restoreOverrideCursor();
    setInputEnabled(true);
    const tools::AcceptanceJournal* journal = m_context.acceptance.journal;
    if (m_tool == Tool::Acceptance &&
        (m_context.store.originalKnown() || (journal && journal->active())))
        m_reset->setEnabled(true);
    // A check that the controller did not answer completely says so.
    if (const auto box = tools::unansweredBox(m_tool, m_lastReads))
        m_context.prompts.messageBox(box->caption, box->text, box->icon);
    m_lastReads = {};
}

void ToolDialog::closeNow(int result) {
    saveSettings();
    QDialog::done(result);
}

void ToolDialog::setInputEnabled(bool enabled) {
    // The progress bar stays lit; the close button stays to stop the run.
    m_frames[0]->setEnabled(enabled);
    m_frames[1]->setEnabled(enabled);
    m_start->setEnabled(enabled);
    if (m_reset && !enabled)
        m_reset->setEnabled(false);
    if (m_backup)
        m_backup->setEnabled(enabled);
}

void ToolDialog::done(int result) {
    if (step(RunEvent::Close) == RunAction::Close)
        closeNow(result);
}

void ToolDialog::reject() {
    // Escape during a run stops it after the current command.
    if (step(RunEvent::Stop) == RunAction::Close)
        closeNow(QDialog::Rejected);
}

void ToolDialog::closeEvent(QCloseEvent* event) {
    if (step(RunEvent::Close) != RunAction::Close) {
        event->ignore();  // the dialog closes when the run has stopped
        return;
    }
    closeNow(QDialog::Rejected);
    event->accept();
}

void runToolDialog(Tool tool, ToolContext& context, QWidget* parent,
                   const std::function<void(bool)>& setRouted) {
    context.store.beginIntake();
    setRouted(true);
    {
        ToolDialog dialog(tool, context, parent);
        // Once the dialog is shown, so that the question stands over it.
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.offerJournal(); });
        dialog.exec();
    }
    setRouted(false);
    context.store.endIntake();
}

}  // namespace veltro::gui
