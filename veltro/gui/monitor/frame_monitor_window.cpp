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

#include "veltro/gui/monitor/extra_texts.h"

namespace veltro::gui {
namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

FrameMonitorWindow::FrameMonitorWindow(monitor::MonitorHub& hub, const monitor::FrameNames& names,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_hub(hub),
      m_names(names),
      m_model(hub.history(), names, this),
      m_in(new QCheckBox(text(extra_texts::kIn), this)),
      m_out(new QCheckBox(text(extra_texts::kOut), this)),
      m_macros(new QLineEdit(this)),
      m_pause(new QPushButton(text(extra_texts::kPause), this)),
      m_status(new QLabel(this)),
      m_table(new QTableView(this)) {
    setObjectName(QStringLiteral("VLTFRAMEMONITOR"));
    setWindowTitle(text(extra_texts::kMonitorTitle));
    m_in->setObjectName(QStringLiteral("monitorIn"));
    m_out->setObjectName(QStringLiteral("monitorOut"));
    m_macros->setObjectName(QStringLiteral("monitorMacros"));
    m_pause->setObjectName(QStringLiteral("monitorPause"));
    m_in->setChecked(true);
    m_out->setChecked(true);
    m_macros->setPlaceholderText(text(extra_texts::kMacrosHint));
    m_macros->setClearButtonEnabled(true);
    m_pause->setCheckable(true);
    auto* clear = new QPushButton(text(extra_texts::kClear), this);
    clear->setObjectName(QStringLiteral("monitorClear"));
    auto* save = new QPushButton(text(extra_texts::kSave), this);
    save->setObjectName(QStringLiteral("monitorSave"));

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
    // Column widths in digits: time, direction, bytes, mode, function,
    // index, second index; the value takes the rest.
    const int widths[] = {12, 5, 21, 11, 18, 10, 10};
    int total = 0;
    for (int column = 0; column < 7; ++column) {
        m_table->setColumnWidth(column, widths[column] * digit + 12);
        total += widths[column] * digit + 12;
    }

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_in);
    controls->addWidget(m_out);
    controls->addWidget(new QLabel(text(extra_texts::kMacros), this));
    controls->addWidget(m_macros, 1);
    controls->addWidget(m_pause);
    controls->addWidget(clear);
    controls->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    resize(total + 10 * digit + 40, 480);

    connect(m_in, &QCheckBox::toggled, this, [this] { applyFilter(); });
    connect(m_out, &QCheckBox::toggled, this, [this] { applyFilter(); });
    connect(m_macros, &QLineEdit::editingFinished, this, [this] { applyFilter(); });
    connect(m_pause, &QPushButton::toggled, this, [this](bool on) {
        m_hub.setPaused(on);
        updateStatus();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_model.clear();
        updateStatus();
    });
    connect(save, &QPushButton::clicked, this, [this] { saveFrames(); });
    m_chooseFile = [](QWidget* owner) {
        return QFileDialog::getSaveFileName(owner, text(extra_texts::kSaveFramesTitle), {},
                                            text(extra_texts::kTextFilter));
    };
    m_model.update();
    updateStatus();
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
    monitor::FrameFilter filter;
    filter.in = m_in->isChecked();
    filter.out = m_out->isChecked();
    const monitor::MacroFilterResult parsed =
        monitor::parseMacroFilter(m_macros->text().toStdString(), m_names);
    if (!parsed.unknown.empty()) {
        m_status->setText(text(extra_texts::kUnknownMacro) +
                          QString::fromStdString(parsed.unknown));
        return;
    }
    filter.codes = parsed.codes;
    m_model.setFilter(std::move(filter));
    m_table->scrollToBottom();
    updateStatus();
}

void FrameMonitorWindow::updateStatus() {
    m_status->setText(text(extra_texts::kMonitorStatus)
                          .arg(m_hub.history().size())
                          .arg(m_model.view().size())
                          .arg(m_hub.skipped())
                          .arg(m_hub.dropped()));
}

void FrameMonitorWindow::saveFrames() {
    const QString path = m_chooseFile(this);
    if (path.isEmpty())
        return;
    const std::optional<std::string> error =
        monitor::saveFrames(path.toStdString(), m_model.view(), m_hub.history(), m_names);
    if (error)
        QMessageBox::warning(this, text(extra_texts::kMonitorTitle),
                             QString::fromStdString(*error));
}

}  // namespace veltro::gui
