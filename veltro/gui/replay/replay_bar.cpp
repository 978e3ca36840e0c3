#include "veltro/gui/replay/replay_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "veltro/gui/key_filter.h"
#include "veltro/gui/replay/replay_texts.h"

namespace veltro::gui {

namespace bar_texts = replay_texts;

ReplayBar::ReplayBar(capture::ReplayDriver& driver, Messages& messages, QWidget* parent)
    : QWidget(parent),
      m_driver(driver),
      m_messages(messages),
      m_pause(new QPushButton(QString::fromUtf8(bar_texts::kPause), this)),
      m_speed(new QComboBox(this)),
      m_time(new QLineEdit(this)),
      m_position(new QLabel(this)) {
    setObjectName("VLTREPLAYBAR");
    setAccessibleName(QString::fromUtf8(bar_texts::kBarName));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_pause->setCheckable(true);
    m_time->setProperty(KeyboardHook::kOwnKeys, true);  // Enter jumps
    for (const char* speed : bar_texts::kSpeeds)
        m_speed->addItem(QString::fromUtf8(speed));
    m_time->setPlaceholderText(QString::fromUtf8(bar_texts::kJumpHint));
    m_time->setFixedWidth(fontMetrics().horizontalAdvance("00:00:00.00") + 16);
    auto* go = new QPushButton(QString::fromUtf8(bar_texts::kJump), this);
    layout->addWidget(m_pause);
    layout->addWidget(new QLabel(QString::fromUtf8(bar_texts::kSpeed), this));
    layout->addWidget(m_speed);
    layout->addWidget(new QLabel(QString::fromUtf8(bar_texts::kJumpTo), this));
    layout->addWidget(m_time);
    layout->addWidget(go);
    layout->addWidget(m_position, 1);

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { step(); });
    connect(m_pause, &QPushButton::toggled, this, [this](bool paused) {
        m_driver.player().setPaused(paused);
        schedule(0);
    });
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_driver.player().setSpeed(bar_texts::kSpeedValues[index]);
        schedule(0);
    });
    connect(go, &QPushButton::clicked, this, [this] { this->jump(); });
    connect(m_time, &QLineEdit::returnPressed, this, [this] { this->jump(); });
    showPosition();
}

void ReplayBar::start() {
    m_driver.player().start();
    schedule(0);
}

void ReplayBar::step() {
    const capture::ReplayPlayer::Step done = m_driver.advance();
    showPosition();
    if (done.finished) {
        if (!m_told) {
            m_told = true;
            for (const std::string& note : m_driver.endNotes())
                m_messages.message(
                    m_driver.player().damaged() ? message_kind::kError : message_kind::kSystem,
                    note);
        }
        return;
    }
    schedule(done.nextDueMs);
}

void ReplayBar::schedule(std::int64_t nextDueMs) {
    m_timer.stop();
    if (nextDueMs == capture::ReplaySchedule::kNever) {
        showPosition();
        return;
    }
    const capture::MachineReplayClock clock;
    // At most a tenth of a second between two looks, so the bar's time moves.
    const std::int64_t wait = std::clamp<std::int64_t>(nextDueMs - clock.nowMs(), 0, 100);
    m_timer.start(static_cast<int>(wait));
}

void ReplayBar::jump() {
    const auto offset = capture::parseReplayTime(m_time->text().trimmed().toStdString());
    if (!offset) {
        m_time->setStyleSheet("background: #ffd0d0");
        m_time->setToolTip(QString::fromUtf8(bar_texts::kBadTime));
        m_position->setText(QString::fromUtf8(bar_texts::kBadTime));
        return;
    }
    m_time->setStyleSheet({});
    m_time->setToolTip({});
    m_driver.player().jump(*offset);
    m_told = false;
    schedule(0);
}

void ReplayBar::showPosition() {
    QString text = QString::fromStdString(capture::replayTimeText(m_driver.player().positionMs()));
    const capture::ReplayPlayer& player = m_driver.player();
    if (player.finished())
        text +=
            "  " + QString::fromUtf8(player.damaged() ? bar_texts::kStopped : bar_texts::kEnded);
    else if (player.paused())
        text += "  " + QString::fromUtf8(bar_texts::kPaused);
    m_position->setText(text);
}

}  // namespace veltro::gui
