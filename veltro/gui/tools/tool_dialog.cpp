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
#include <QVBoxLayout>

#include "common/gui/worker_run.h"
#include "veltro/gui/tools/tool_dialog_texts.h"
#include "veltro/gui/tools/tool_worker_ports.h"
#include "veltro/tools/adjustment_run.h"
#include "veltro/tools/dialog_rules.h"
#include "veltro/tools/difference_check.h"

namespace veltro::gui {

using tools::Category;
using tools::Tool;

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
    return s.toStdString();
}

}  // namespace

ToolDialog::ToolDialog(Tool tool, ToolContext& context, QWidget* parent)
    : QDialog(parent),
      m_tool(tool),
      m_context(context),
      m_worker(std::make_unique<common::gui::WorkerRun>(*this)) {
    setObjectName(QStringLiteral("ToolDialog"));
    setWindowTitle(text(toolDialogTexts(tool).title));
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
    return m_runActive;
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
        m_reset = new QPushButton(text(kResetButton));
        m_reset->setEnabled(false);
        connect(m_reset, &QPushButton::clicked, this, [this] { startReset(); });
        buttons->addWidget(m_reset);
    }
    buttons->addStretch();
    m_close = new QPushButton(text(toolDialogTexts(m_tool).closeButton));
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, [this] { close(); });
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
}

QWidget* ToolDialog::buildSelection() {
    auto* frame = new QGroupBox(text(toolDialogTexts(m_tool).selectionFrame));
    auto* grid = new QGridLayout(frame);
    int slot = 0;
    const auto place = [&](QWidget* w) {
        grid->addWidget(w, slot % 6, slot / 6);
        ++slot;
    };
    for (Category c : tools::kAllCategories) {
        if (m_tool == Tool::Acceptance && c == Category::Schakelaars) {
            m_switchesOn = new QCheckBox(text(kSwitchesOnBox));
            m_switchesOff = new QCheckBox(text(kSwitchesOffBox));
            for (QCheckBox* box : {m_switchesOn, m_switchesOff}) {
                connect(box, &QCheckBox::toggled, this,
                        [this, box](bool on) { switchBoxToggled(box, on); });
                place(box);
            }
            continue;
        }
        auto* box = new QCheckBox(text(tools::categoryTexts(c).label));
        m_categories[static_cast<std::size_t>(tools::categoryNumber(c))] = box;
        place(box);
    }
    return frame;
}

QWidget* ToolDialog::buildExtra() {
    auto* frame = new QGroupBox(text(kExtraFrame));
    auto* column = new QVBoxLayout(frame);
    if (m_tool == Tool::Acceptance) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(text(kStartValueLabel)));
        m_startValue = new QLineEdit;
        m_startValue->setMaximumWidth(
            m_startValue->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) + 16);
        row->addWidget(m_startValue);
        row->addStretch();
        column->addLayout(row);
        m_restartBox = new QCheckBox(text(kRestartBox));
        column->addWidget(m_restartBox);
    }
    auto* fileRow = new QHBoxLayout;
    m_saveBox = new QCheckBox(text(toolDialogTexts(m_tool).saveBox));
    m_fileField = new QLineEdit;
    m_fileField->setMaxLength(static_cast<int>(tools::ToolSettings::kFileNameMax));
    m_browse = new QPushButton(text(kBrowseButton));
    m_browse->setAutoDefault(false);
    m_browse->setFixedWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                            16);
    connect(m_browse, &QPushButton::clicked, this, [this] { chooseFile(); });
    fileRow->addWidget(m_saveBox);
    fileRow->addWidget(m_fileField, 1);
    fileRow->addWidget(m_browse);
    column->addLayout(fileRow);
    if (m_tool != Tool::Difference) {
        m_separateBox = new QCheckBox(text(kSeparateFilesBox));
        column->addWidget(m_separateBox);
    }
    if (m_tool == Tool::Adjustment) {
        m_verifyBox = new QCheckBox(text(kVerifyBox));
        column->addWidget(m_verifyBox);
    }
    if (m_tool == Tool::Acceptance) {
        m_rememberBox = new QCheckBox(text(kRememberBox));
        column->addWidget(m_rememberBox);
    }
    column->addWidget(new QLabel(text(kSpeedLabel)));
    auto* speeds = new QGridLayout;
    m_speeds = new QButtonGroup(this);
    for (std::size_t i = 0; i < tools::kSpeedChoices.size(); ++i) {
        const tools::SpeedChoice& choice = tools::kSpeedChoices[i];
        auto* radio = new QRadioButton(text(choice.label));
        m_speeds->addButton(radio, static_cast<int>(i));
        speeds->addWidget(radio, 0, static_cast<int>(i));
        speeds->addWidget(new QLabel(text(choice.rate)), 1, static_cast<int>(i));
    }
    connect(m_speeds, &QButtonGroup::idClicked, this, [this](int id) {
        m_speed = tools::kSpeedChoices[static_cast<std::size_t>(id)].milliseconds;
    });
    column->addLayout(speeds);
    if (m_tool != Tool::Acceptance) {
        column->addWidget(new QLabel(text(kDirectoryLabel)));
        m_directory = new QLineEdit(text(m_context.applicationDirectory));
        m_directory->setReadOnly(true);
        column->addWidget(m_directory);
    }
    return frame;
}

QWidget* ToolDialog::buildRunFrame() {
    auto* frame = new QGroupBox(text(toolDialogTexts(m_tool).runFrame));
    auto* column = new QVBoxLayout(frame);
    m_progress = new QProgressBar;
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    column->addWidget(m_progress);
    m_start = new QPushButton(text(toolDialogTexts(m_tool).startButton));
    connect(m_start, &QPushButton::clicked, this, [this] { startRun(); });
    column->addWidget(m_start, 0, Qt::AlignLeft);
    return frame;
}

void ToolDialog::showSettings(const tools::ToolSettings& s) {
    const ElementTables& tables = m_context.store.tables();
    for (Category c : tools::kAllCategories) {
        QCheckBox* box = categoryBox(c);
        if (box == nullptr)
            continue;
        const tools::CategoryBox state = tools::categoryBox(c, s, tables);
        box->setEnabled(state.enabled);
        box->setChecked(state.checked);
    }
    if (m_tool == Tool::Acceptance) {
        const tools::SwitchBoxes boxes = tools::switchBoxes(s, tables);
        m_switchesOn->setChecked(boxes.onChecked);
        m_switchesOff->setChecked(boxes.offChecked);
        m_switchesOn->setEnabled(boxes.enabled);
        m_switchesOff->setEnabled(boxes.enabled);
        m_startValue->setText(QString::number(s.startValue));
        m_restartBox->setChecked(s.restartPerCategory);
        m_rememberBox->setChecked(s.rememberOriginals);
    }
    m_saveBox->setChecked(s.saveToFile);
    if (m_separateBox)
        m_separateBox->setChecked(s.separateFiles);
    if (m_verifyBox)
        m_verifyBox->setChecked(s.verify);
    m_fileName = s.fileName;
    m_fileField->setText(text(s.fileName));
    m_speed = s.speed;
    m_context.pacing.setInterval(std::chrono::milliseconds(s.speed));
    const int choice = tools::speedChoiceIndex(s.speed);
    if (choice >= 0)
        speedButton(choice)->setChecked(true);
}

tools::ToolSettings ToolDialog::dialogState() const {
    tools::ToolSettings s = m_loaded;
    for (Category c : tools::kAllCategories) {
        if (QCheckBox* box = categoryBox(c))
            s.selected[static_cast<std::size_t>(tools::categoryNumber(c))] = box->isChecked();
    }
    if (m_tool == Tool::Acceptance) {
        s.switchesOn = m_switchesOn->isChecked();
        s.switchesOff = m_switchesOff->isChecked();
        s.startValue = tools::parseStartValue(utf8(m_startValue->text()));
        s.restartPerCategory = m_restartBox->isChecked();
        s.rememberOriginals = m_rememberBox->isChecked();
    }
    s.saveToFile = m_saveBox->isChecked();
    if (m_separateBox)
        s.separateFiles = m_separateBox->isChecked();
    if (m_verifyBox)
        s.verify = m_verifyBox->isChecked();
    s.fileName = tools::fileNameFromField(utf8(m_fileField->text()));
    s.speed = m_speed;
    return s;
}

void ToolDialog::saveSettings() {
    const tools::ToolSettings s = dialogState();
    m_fileName = s.fileName;
    tools::saveToolSettings(m_tool, s, m_context.settings);
}

void ToolDialog::chooseFile() {
    const QString title = text(toolDialogTexts(m_tool).saveDialogTitle);
    const std::optional<QString> chosen =
        m_context.chooseFile ? m_context.chooseFile(this, title, m_fileField->text())
                             : askToolFile(this, title, m_fileField->text());
    if (!chosen)
        return;
    m_fileField->setText(*chosen);
    const std::string name = tools::fileNameFromField(utf8(*chosen));
    if (name != m_fileName) {
        m_fileName = name;
        m_context.settings.writeString(tools::kSettingsSection,
                                       std::string(tools::keyPrefix(m_tool)) + " File name", name);
    }
}

void ToolDialog::switchBoxToggled(QCheckBox* box, bool checked) {
    // Checking one switch box unchecks the other; unchecking leaves it.
    if (!checked)
        return;
    QCheckBox* other = box == m_switchesOn ? m_switchesOff : m_switchesOn;
    other->setChecked(false);
}

void ToolDialog::startRun() {
    if (running())
        return;
    const tools::ToolSettings s = dialogState();
    saveSettings();
    m_context.pacing.setInterval(std::chrono::milliseconds(m_speed));
    tools::ParameterStore& store = m_context.store;
    switch (m_tool) {
        case Tool::Adjustment:
            launch([&store, s](tools::RunPorts& ports) { tools::runAdjustment(store, s, ports); });
            break;
        case Tool::Difference:
            launch([&store, s](tools::RunPorts& ports) {
                tools::runDifferenceCheck(store, s, ports);
            });
            break;
        case Tool::Acceptance: {
            tools::AcceptanceState& state = m_context.acceptance;
            launch([&store, &state, s](tools::RunPorts& ports) {
                tools::runAcceptance(store, s, state, ports);
            });
            break;
        }
    }
}

void ToolDialog::startReset() {
    tools::AcceptanceState& state = m_context.acceptance;
    if (running() || m_tool != Tool::Acceptance || !state.ranOnce)
        return;
    // The settings of the last run, the dialog not read again.
    m_context.pacing.setInterval(std::chrono::milliseconds(state.lastRun.speed));
    tools::ParameterStore& store = m_context.store;
    launch([&store, &state](tools::RunPorts& ports) { tools::runReset(store, state, ports); });
}

void ToolDialog::launch(std::function<void(tools::RunPorts&)> job) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setInputEnabled(false);
    m_machineClock.clearStop();
    SteadyClock& clock = m_context.clock ? *m_context.clock : m_machineClock;
    auto progress = std::make_shared<PostedProgress>(*m_worker, m_progress, m_machineClock);
    auto prompts = std::make_shared<WorkerPrompts>(*m_worker, m_context.prompts);
    ToolContext& c = m_context;
    // The worker of the last run may still be between its end and the
    // finish posted from it; it has nothing left to do.
    if (m_worker->running())
        m_worker->wait();
    m_runActive = true;
    m_worker->start(
        [job = std::move(job), progress, prompts, &c, &clock] {
            tools::RunPorts ports{c.sender, clock, c.pacing, *progress, c.files, *prompts};
            job(ports);
        },
        [this] { runEnded(); });
}

void ToolDialog::runEnded() {
    m_runActive = false;
    QApplication::restoreOverrideCursor();
    setInputEnabled(true);
    if (m_tool == Tool::Acceptance && m_context.store.originalKnown())
        m_reset->setEnabled(true);
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        done(QDialog::Rejected);
    }
}

void ToolDialog::setInputEnabled(bool enabled) {
    // The progress bar stays lit; the close button stays to stop the run.
    m_frames[0]->setEnabled(enabled);
    m_frames[1]->setEnabled(enabled);
    m_start->setEnabled(enabled);
    if (m_reset && !enabled)
        m_reset->setEnabled(false);
}

void ToolDialog::done(int result) {
    if (running()) {
        m_machineClock.requestStop();
        m_closeAfterRun = true;
        return;
    }
    saveSettings();
    QDialog::done(result);
}

void ToolDialog::reject() {
    // Escape during a run stops it after the current command.
    if (running()) {
        m_machineClock.requestStop();
        return;
    }
    QDialog::reject();
}

void ToolDialog::closeEvent(QCloseEvent* event) {
    if (running()) {
        m_machineClock.requestStop();
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void runToolDialog(Tool tool, ToolContext& context, QWidget* parent,
                   const std::function<void(bool)>& setRouted) {
    context.store.beginIntake();
    setRouted(true);
    {
        ToolDialog dialog(tool, context, parent);
        dialog.exec();
    }
    setRouted(false);
    context.store.endIntake();
}

}  // namespace veltro::gui
