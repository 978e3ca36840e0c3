#include "veltro/gui/dump_window.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "common/gui/file_dialogs.h"
#include "common/gui/qt_text.h"
#include "veltro/link/dump_receiver.h"
#include "veltro/link/dump_session.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/dump_file_setting.h"
#include "veltro/session/settings.h"

namespace veltro::gui {

namespace {

// The dialog's texts, as the controller engineers know them.
const char* const kTitle = "DPCOM";
const char* const kControlGroup = " Besturing ";
const char* const kVerify = "&Verificatie verbinding";
const char* const kMake = "&Maken van dump";
const char* const kFetch = "&Ophalen dump";
const char* const kAbort = "&Afbreken ophalen dump";
const char* const kDataGroup = " Data ";
const char* const kStatusGroup = " Status ";
const char* const kStatusStart = "...<<status>>...";
const char* const kCountLabel = "Aantal ontvangen bytes:";
const char* const kFileLabel = "Data opgeslagen in de file:";
const char* const kFileLabelNotStored = "Data niet opgeslagen in de file:";
const char* const kChooseFile = "...";
const char* const kClearStatus = "&Schoonmaken statusregel";
const char* const kCloseButton = "&DPCOM Afsluiten";
const char* const kSaveTitle = "Sla DUMP file op als:";
const char* const kSaveFilter = "*.dmp";
const char* const kSaveSuffix = "dmp";

// File names are bytes on this system; the widgets show them decoded.
QString fromFileName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string toFileName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// The echo line shows the received bytes as the controller's character set
// has them; a control byte would break the one line, so it shows as a blank.
QString shownEcho(std::string_view line) {
    QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return text;
}

QPushButton* addButton(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

// "DPCOM file name" of veltro.ini, through the settings port.
class DumpWindow::FileSetting final : public DumpFileSetting {
  public:
    explicit FileSetting(SettingsStore& store) : m_settings(store) {}
    std::string readDumpFileName() const override { return m_settings.readDumpFileName(); }
    bool writeDumpFileName(std::string_view name) override {
        return m_settings.writeDumpFileName(name);
    }

  private:
    VeltroSettings m_settings;
};

DumpWindowPorts::DumpWindowPorts() {
    m_timer.setInterval(kReplyTimeout);
    m_timer.setSingleShot(false);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { replyTimeout(); });
}

DumpWindowPorts::~DumpWindowPorts() = default;

void DumpWindowPorts::showCount(std::int32_t count) {
    if (m_window)
        m_window->showCount(count);
}

void DumpWindowPorts::showEcho(std::string_view line) {
    if (m_window)
        m_window->showEcho(line);
}

void DumpWindowPorts::showStatus(std::string_view text) {
    if (m_window)
        m_window->showStatus(text);
}

void DumpWindowPorts::showStored(bool stored) {
    if (m_window)
        m_window->showStored(stored);
}

void DumpWindowPorts::restart() {
    m_timer.start();
}

void DumpWindowPorts::cancel() {
    m_timer.stop();
}

void DumpWindowPorts::replyTimeout() {
    if (m_window && m_window->m_session)
        m_window->m_session->replyTimerFired();
    else
        m_timer.stop();
}

DumpWindow::DumpWindow(DumpWindowLinks links, QWidget* parent, DumpFileChooser chooser)
    : QDialog(parent),
      m_links(links),
      m_chooser(chooser ? std::move(chooser) : DumpFileChooser(askDumpFile)),
      m_setting(std::make_unique<FileSetting>(links.settings)),
      m_session(std::make_unique<link::DumpSession>(links.flags, links.writer, links.receiver,
                                                    links.ports, links.ports)) {
    setObjectName(QString::fromLatin1(kTitle));
    setWindowTitle(QString::fromLatin1(kTitle));
    buildControls();
    m_links.ports.m_window = this;
    m_sessionOpen = true;
    m_file->setText(fromFileName(m_session->open(*m_setting)));
}

DumpWindow::~DumpWindow() {
    endSession();
}

int DumpWindow::run(DumpWindowLinks links, QWidget* parent) {
    DumpWindow window(links, parent);
    return window.exec();
}

void DumpWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCommands());
    layout->addWidget(buildEcho());
    layout->addWidget(buildStatus());
    layout->addLayout(buildClosing());
}

// The four command buttons, two by two, in the order of the commands.
QGroupBox* DumpWindow::buildCommands() {
    struct Command {
        link::DumpCommand command;
        const char* text;
        const char* name;
    };
    const Command kCommands[] = {
        {link::DumpCommand::Verify, kVerify, "dumpVerify"},
        {link::DumpCommand::Make, kMake, "dumpMake"},
        {link::DumpCommand::Fetch, kFetch, "dumpFetch"},
        {link::DumpCommand::Abort, kAbort, "dumpAbort"},
    };
    auto* group = new QGroupBox(QString::fromLatin1(kControlGroup), this);
    auto* grid = new QGridLayout(group);
    int position = 0;
    for (const Command& c : kCommands) {
        QPushButton* button = addButton(group, c.text, c.name);
        grid->addWidget(button, position / 2, position % 2);
        ++position;
        connect(button, &QPushButton::clicked, this,
                [this, command = c.command] { m_session->command(command); });
    }
    return group;
}

QGroupBox* DumpWindow::buildEcho() {
    auto* group = new QGroupBox(QString::fromLatin1(kDataGroup), this);
    m_echo = new QLabel(group);
    m_echo->setObjectName(QStringLiteral("dumpEcho"));
    m_echo->setTextFormat(Qt::PlainText);
    m_echo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The line holds up to 98 characters; a longer text must not widen the
    // dialog, its start is cut off at the left instead.
    m_echo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_echo->setMinimumWidth(fontMetrics().averageCharWidth() *
                            static_cast<int>(link::DumpReceiver::kEchoWidth));
    (new QVBoxLayout(group))->addWidget(m_echo);
    return group;
}

// The status line, then the count and the file, each behind its label.
QGroupBox* DumpWindow::buildStatus() {
    auto* group = new QGroupBox(QString::fromLatin1(kStatusGroup), this);
    auto* grid = new QGridLayout(group);
    m_status = new QLabel(QString::fromLatin1(kStatusStart), group);
    m_status->setObjectName(QStringLiteral("dumpStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_status, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QString::fromLatin1(kCountLabel), group), 1, 0);
    m_count = new QLineEdit(group);
    m_count->setObjectName(QStringLiteral("dumpCount"));
    m_count->setAlignment(Qt::AlignRight);
    m_count->setReadOnly(true);
    grid->addWidget(m_count, 1, 1);
    m_fileLabel = new QLabel(QString::fromLatin1(kFileLabel), group);
    m_fileLabel->setObjectName(QStringLiteral("dumpFileLabel"));
    grid->addWidget(m_fileLabel, 2, 0);
    m_file = new QLineEdit(group);
    m_file->setObjectName(QStringLiteral("dumpFile"));
    m_file->setMaxLength(static_cast<int>(link::DumpReceiver::kMaxFileName));
    // The field shows the file in use; another one is chosen with "...".
    m_file->setReadOnly(true);
    grid->addWidget(m_file, 2, 1);
    auto* choose = addButton(group, kChooseFile, "dumpChooseFile");
    choose->setAutoDefault(false);
    choose->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("....")) * 3);
    grid->addWidget(choose, 2, 2);
    grid->setColumnStretch(1, 1);
    connect(choose, &QPushButton::clicked, this, [this] { chooseFile(); });
    return group;
}

QHBoxLayout* DumpWindow::buildClosing() {
    auto* clear = addButton(this, kClearStatus, "dumpClearStatus");
    auto* close = addButton(this, kCloseButton, "dumpClose");
    close->setDefault(true);
    connect(clear, &QPushButton::clicked, this, [this] { m_session->clearStatus(); });
    connect(close, &QPushButton::clicked, this, [this] { accept(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(close);
    return buttons;
}

void DumpWindow::chooseFile() {
    const std::optional<QString> chosen = m_chooser(this, m_file->text());
    if (!chosen || chosen->isEmpty())
        return;
    if (const auto shown = m_session->chooseFile(toFileName(*chosen), *m_setting))
        m_file->setText(fromFileName(*shown));
}

void DumpWindow::done(int result) {
    endSession();
    QDialog::done(result);
}

// The flag goes first, then the file (the logic's order); the debug window
// is shown again by the main window once the dialog has ended.
void DumpWindow::endSession() {
    if (!m_sessionOpen)
        return;
    m_sessionOpen = false;
    m_session->close();
    if (m_links.ports.m_window == this)
        m_links.ports.m_window = nullptr;
}

void DumpWindow::showCount(std::int32_t count) {
    m_count->setText(QString::number(count));
}

void DumpWindow::showEcho(std::string_view line) {
    m_echo->setText(shownEcho(line));
}

void DumpWindow::showStatus(std::string_view text) {
    m_status->setText(common::gui::qtText(text));
}

void DumpWindow::showStored(bool stored) {
    m_fileLabel->setText(QString::fromLatin1(stored ? kFileLabel : kFileLabelNotStored));
}

QString DumpWindow::countText() const {
    return m_count->text();
}

QString DumpWindow::echoText() const {
    return m_echo->text();
}

QString DumpWindow::statusText() const {
    return m_status->text();
}

QString DumpWindow::fileText() const {
    return m_file->text();
}

QString DumpWindow::fileLabelText() const {
    return m_fileLabel->text();
}

std::optional<QString> askDumpFile(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent, QString::fromLatin1(kSaveTitle), QDir::currentPath(),
                       QString::fromLatin1(kSaveFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kSaveSuffix));
    dialog.selectFile(proposed.left(static_cast<int>(link::DumpReceiver::kMaxFileName)));
    common::gui::showFileNamesUncut(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace veltro::gui
