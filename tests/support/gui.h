#pragma once

#include "widgets/messages.h"

#include <QList>
#include <QString>

#include <functional>

class QDialog;
class QPushButton;
class QWidget;

namespace tabel::test {

// Catches every message box while alive: what the operator would have been
// told, and the answers to the questions (Yes unless told otherwise).
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    void answerNext(bool yes) { m_answers << yes; }
    const QList<msg::Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<msg::Shown> m_shown;
    QList<bool> m_answers;
};

// Types text key by key, Cyrillic included.
void typeText(QWidget* widget, const QString& text);

// When the next modal window comes up (within `timeoutMs`), hands it to
// `handler`, which should close it.
void whenModal(std::function<void(QWidget*)> handler, int timeoutMs = 5000);
// The same, for the modal window with this object name ("Form2", ...), so a
// window uncovered by a closing one is never taken for it.
void whenModal(const QString& objectName, std::function<void(QWidget*)> handler, int timeoutMs = 5000);

// When the window `name` is up as the modal one, hands it to `handle`; the
// window is closed afterwards whatever happened, so a failed check never
// leaves a test waiting.
void onWindow(const QString& name, std::function<void(QDialog*)> handle, int timeoutMs = 5000);

// Whether `action` brings up a modal window (which is closed at once).
bool opensModal(const std::function<void()>& action);

// Runs `body` while `list` is up (opened by `open`), then closes it.
void whileOpen(QDialog& list, const std::function<void()>& open, const std::function<void()>& body);

// Hands the next modal window to `fill`, which must close it.
void onNextCard(const std::function<void(QDialog*)>& fill);

QPushButton* buttonOf(QWidget* w, const QString& name);

} // namespace tabel::test
