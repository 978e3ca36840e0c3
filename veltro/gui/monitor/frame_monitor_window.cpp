#include "veltro/gui/monitor/frame_monitor_window.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "common/gui/qt_text.h"
#include "veltro/capture/frame_save.h"
#include "veltro/gui/monitor/extra_texts.h"

namespace veltro::gui {
namespace {

using common::gui::qtText;

// A macro field with a word that names no macro.
const QColor kUnknownBackground(255, 220, 220);

}  // namespace

FrameMonitorWindow::FrameMonitorWindow(monitor::MonitorHub& hub, const monitor::FrameNames& names,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_hub(hub),
      m_names(names),
      m_model(hub.history(), names, this) {
    setObjectName(QStringLiteral("VLTFRAMEMONITOR"));
    setWindowTitle(qtText(extra_texts::kMonitorTitle));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("monitorStatus"));
    m_table = new QTableView(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildControls());
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    buildTable();
    m_chooseFile = [](QWidget* owner) {
        return QFileDialog::getSaveFileName(owner, qtText(extra_texts::kSaveFramesTitle), {},
                                            qtText(extra_texts::kTextFilter));
    };
    m_model.update();
    updateStatus();
}

QBoxLayout* FrameMonitorWindow::buildControls() {
    m_in = new QCheckBox(qtText(extra_texts::kIn), this);
    m_out = new QCheckBox(qtText(extra_texts::kOut), this);
    m_macros = new QLineEdit(this);
    m_macros->setPlaceholderText(qtText(extra_texts::kMacrosHint));
    m_macros->setClearButtonEnabled(true);
    m_pause = new QPushButton(qtText(extra_texts::kPause), this);
    m_pause->setCheckable(true);
    auto* clear = new QPushButton(qtText(extra_texts::kClear), this);
    auto* save = new QPushButton(qtText(extra_texts::kSave), this);
    struct Control {
        QWidget* widget;
        const char* name;
        int stretch;
    };
    const Control controls[] = {
        {m_in, "monitorIn", 0},
        {m_out, "monitorOut", 0},
        {new QLabel(qtText(extra_texts::kMacros), this), nullptr, 0},
        {m_macros, "monitorMacros", 1},
        {m_pause, "monitorPause", 0},
        {clear, "monitorClear", 0},
        {save, "monitorSave", 0},
    };
    auto* row = new QHBoxLayout;
    for (const Control& control : controls) {
        if (control.name != nullptr)
            control.widget->setObjectName(QString::fromLatin1(control.name));
        row->addWidget(control.widget, control.stretch);
    }
    m_in->setChecked(true);
    m_out->setChecked(true);
    connect(m_in, &QCheckBox::toggled, this, [this] { applyFilter(); });
    connect(m_out, &QCheckBox::toggled, this, [this] { applyFilter(); });
    connect(m_macros, &QLineEdit::textChanged, this, [this] { applyFilter(); });
    connect(m_pause, &QPushButton::toggled, this, [this](bool on) {
        m_hub.setPaused(on);
        updateStatus();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_model.clear();
        updateStatus();
    });
    connect(save, &QPushButton::clicked, this, [this] { saveFrames(); });
    return row;
}

void FrameMonitorWindow::buildTable() {
    m_table->setModel(&m_model);
    m_table->setObjectName(QStringLiteral("monitorTable"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Fixed row heights: the table never measures 100000 rows.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    constexpr int kPadding = 12;
    int width = 0;
    for (std::size_t column = 0; column < monitor::kFrameColumnCount; ++column) {
        const int digits = monitor::frameColumns()[column].widthDigits;
        const int pixels = (digits > 0 ? digits : 10) * digit + kPadding;
        m_table->setColumnWidth(static_cast<int>(column), pixels);
        width += pixels;
    }
    resize(width + 40, 480);
}

void FrameMonitorWindow::refresh() {
    QScrollBar* bar = m_table->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    m_model.update();
    if (atBottom)
        m_table->scrollToBottom();
    updateStatus();
}

void FrameMonitorWindow::applyFilter() {
    monitor::MacroFilterResult parsed =
        monitor::parseMacroFilter(m_macros->text().toStdString(), m_names);
    monitor::FrameFilter filter;
    filter.in = m_in->isChecked();
    filter.out = m_out->isChecked();
    // Known words filter as far as they go; an unknown one matches nothing,
    // and the field says so rather than showing every frame.
    filter.codes = std::move(parsed.codes);
    m_unknown = std::move(parsed.unknown);
    QPalette palette;
    if (!m_unknown.empty())
        palette.setColor(QPalette::Base, kUnknownBackground);
    m_macros->setPalette(palette);
    m_model.setFilter(std::move(filter));
    m_table->scrollToBottom();
    updateStatus();
}

void FrameMonitorWindow::updateStatus() {
    QString status = qtText(extra_texts::kMonitorStatus)
                         .arg(m_hub.history().size())
                         .arg(m_model.view().size())
                         .arg(m_hub.skipped())
                         .arg(m_hub.dropped());
    QString unknown;
    for (const std::string& word : m_unknown)
        unknown +=
            (unknown.isEmpty() ? QString() : QStringLiteral(", ")) + QString::fromStdString(word);
    if (!unknown.isEmpty()) {
        unknown.prepend(qtText(m_unknown.size() == 1 ? extra_texts::kUnknownMacro
                                                     : extra_texts::kUnknownMacros));
        status = unknown + QStringLiteral("; ") + status;
    }
    m_macros->setToolTip(unknown);
    m_status->setText(status);
}

void FrameMonitorWindow::saveFrames() {
    const QString path = m_chooseFile(this);
    if (path.isEmpty())
        return;
    const capture::CaptureHeader header{capture::projectName(m_projectDirectory),
                                        capture::definitionDate(m_projectDirectory),
                                        m_hub.clock()()};
    const std::optional<std::string> error =
        capture::saveFramesAsCapture(path.toStdString(), m_model.view(), m_hub.history(), header);
    if (error)
        QMessageBox::warning(this, qtText(extra_texts::kMonitorTitle),
                             QString::fromStdString(*error));
}

}  // namespace veltro::gui
