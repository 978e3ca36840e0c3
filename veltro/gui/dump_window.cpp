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

#include "veltro/link/dump_dialog.h"
#include "veltro/link/dump_receiver.h"
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
const char* const kChooseFile = "...";
const char* const kClearStatus = "&Schoonmaken statusregel";
const char* const kClose = "&DPCOM Afsluiten";
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

void DumpWindowPorts::restart() {
    m_timer.start();
}

void DumpWindowPorts::cancel() {
    m_timer.stop();
}

void DumpWindowPorts::replyTimeout() {
    if (m_window && m_window->m_logic)
        m_window->m_logic->replyTimerFired();
    else
        m_timer.stop();
}

DumpWindow::DumpWindow(DumpWindowLinks links, QWidget* parent, DumpFileChooser chooser)
    : QDialog(parent),
      m_links(links),
      m_chooser(chooser ? std::move(chooser) : DumpFileChooser(askDumpFile)),
      m_setting(std::make_unique<FileSetting>(links.settings)),
      m_logic(std::make_unique<link::DumpDialog>(links.flags, links.writer, links.receiver,
                                                 links.ports, links.ports)) {
    setObjectName(QString::fromLatin1(kTitle));
    setWindowTitle(QString::fromLatin1(kTitle));
    buildControls();
    m_links.ports.m_window = this;
    m_sessionOpen = true;
    m_file->setText(fromFileName(m_logic->open(*m_setting)));
}

DumpWindow::~DumpWindow() {
    endSession();
}

int DumpWindow::run(DumpWindowLinks links, QWidget* parent) {
    DumpWindow window(links, parent);
    return window.exec();
}

void DumpWindow::buildControls() {
    auto* control = new QGroupBox(QString::fromLatin1(kControlGroup), this);
    auto* controlLayout = new QGridLayout(control);
    const std::pair<link::DumpCommand, QPushButton*> commands[] = {
        {link::DumpCommand::Verify, addButton(control, kVerify, "dumpVerify")},
        {link::DumpCommand::Make, addButton(control, kMake, "dumpMake")},
        {link::DumpCommand::Fetch, addButton(control, kFetch, "dumpFetch")},
        {link::DumpCommand::Abort, addButton(control, kAbort, "dumpAbort")},
    };
    int position = 0;
    for (auto [command, button] : commands) {
        controlLayout->addWidget(button, position / 2, position % 2);
        ++position;
        connect(button, &QPushButton::clicked, this,
                [this, command = command] { m_logic->command(command); });
    }

    auto* data = new QGroupBox(QString::fromLatin1(kDataGroup), this);
    m_echo = new QLabel(data);
    m_echo->setObjectName(QStringLiteral("dumpEcho"));
    m_echo->setTextFormat(Qt::PlainText);
    m_echo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The line holds up to 98 characters; a longer text must not widen the
    // dialog, its start is cut off at the left instead.
    m_echo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_echo->setMinimumWidth(fontMetrics().averageCharWidth() *
                            static_cast<int>(link::DumpReceiver::kEchoWidth));
    (new QVBoxLayout(data))->addWidget(m_echo);

    auto* status = new QGroupBox(QString::fromLatin1(kStatusGroup), this);
    auto* statusLayout = new QGridLayout(status);
    m_status = new QLabel(QString::fromLatin1(kStatusStart), status);
    m_status->setObjectName(QStringLiteral("dumpStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setAlignment(Qt::AlignCenter);
    statusLayout->addWidget(m_status, 0, 0, 1, 3);
    statusLayout->addWidget(new QLabel(QString::fromLatin1(kCountLabel), status), 1, 0);
    m_count = new QLineEdit(status);
    m_count->setObjectName(QStringLiteral("dumpCount"));
    m_count->setAlignment(Qt::AlignRight);
    m_count->setReadOnly(true);
    statusLayout->addWidget(m_count, 1, 1);
    statusLayout->addWidget(new QLabel(QString::fromLatin1(kFileLabel), status), 2, 0);
    m_file = new QLineEdit(status);
    m_file->setObjectName(QStringLiteral("dumpFile"));
    m_file->setMaxLength(static_cast<int>(link::DumpReceiver::kMaxFileName));
    // The field shows the file in use; another one is chosen with "...".
    m_file->setReadOnly(true);
    statusLayout->addWidget(m_file, 2, 1);
    auto* choose = addButton(status, kChooseFile, "dumpChooseFile");
    choose->setAutoDefault(false);
    choose->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("....")) * 3);
    statusLayout->addWidget(choose, 2, 2);
    statusLayout->setColumnStretch(1, 1);
    connect(choose, &QPushButton::clicked, this, [this] { chooseFile(); });

    auto* clear = addButton(this, kClearStatus, "dumpClearStatus");
    auto* close = addButton(this, kClose, "dumpClose");
    close->setDefault(true);
    connect(clear, &QPushButton::clicked, this, [this] { m_logic->clearStatus(); });
    connect(close, &QPushButton::clicked, this, [this] { accept(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(control);
    layout->addWidget(data);
    layout->addWidget(status);
    layout->addLayout(buttons);
}

void DumpWindow::chooseFile() {
    const std::optional<QString> chosen = m_chooser(this, m_file->text());
    if (!chosen || chosen->isEmpty())
        return;
    if (const auto shown = m_logic->chooseFile(toFileName(*chosen), *m_setting))
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
    m_logic->close();
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
    m_status->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
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

std::optional<QString> askDumpFile(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent, QString::fromLatin1(kSaveTitle), QDir::currentPath(),
                       QString::fromLatin1(kSaveFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kSaveSuffix));
    dialog.selectFile(proposed.left(static_cast<int>(link::DumpReceiver::kMaxFileName)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace veltro::gui
