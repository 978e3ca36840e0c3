#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

// Readable QString failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}

namespace pendrel::gui::testing {

// Plays the user's part for the modal dialogs a test brings up: each new
// modal dialog, in the order they come, gets the next step. A step runs from
// the event loop, so it may itself open a dialog (click a button) that a
// later step answers.
class ModalScript : public QObject {
  public:
    using Step = std::function<void(QWidget*)>;

    ModalScript() {
        connect(&m_poll, &QTimer::timeout, this, &ModalScript::poll);
        m_poll.start(1);
    }

    ModalScript& then(Step step) {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // True when every step has been given its dialog.
    bool done() const { return m_steps.empty(); }

    // The window titles of the dialogs the steps were given, in order.
    QStringList titles;

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || m_steps.empty() || !modal->isVisible() || handled(modal)) {
            return;
        }
        m_handled.emplace_back(modal);
        titles << modal->windowTitle();
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        QTimer::singleShot(0, modal, [modal, step = std::move(step)] { step(modal); });
    }

    bool handled(QWidget* modal) const {
        for (const QPointer<QWidget>& seen : m_handled) {
            if (seen.data() == modal) {
                return true;
            }
        }
        return false;
    }

    QTimer m_poll;
    std::deque<Step> m_steps;
    std::vector<QPointer<QWidget>> m_handled;
};

// Shows a window as the active one, so that its shortcuts take keys.
inline bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The button of `dialog` with this text (mnemonic marks ignored), clicked.
inline bool clickButton(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == text && button->isVisible()) {
            button->click();
            return true;
        }
    }
    return false;
}

// A step that notes the text of a message box and presses one of its buttons.
inline ModalScript::Step answerBox(QString* text, const QString& button) {
    return [text, button](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog); box != nullptr && text != nullptr) {
            *text = box->text();
        }
        clickButton(dialog, button);
    };
}

// A step that presses a dialog's button.
inline ModalScript::Step press(const QString& button) {
    return [button](QWidget* dialog) { clickButton(dialog, button); };
}

// A step that types into a text dialog's field and presses OK.
inline ModalScript::Step typeText(const QString& value) {
    return [value](QWidget* dialog) {
        if (auto* edit = dialog->findChild<QLineEdit*>()) {
            edit->setText(value);
        }
        clickButton(dialog, QStringLiteral("OK"));
    };
}

// A step that presses Escape in a dialog.
inline ModalScript::Step escape() {
    return [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); };
}

}  // namespace pendrel::gui::testing
