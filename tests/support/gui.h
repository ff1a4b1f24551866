#pragma once

#include "widgets/messages.h"

#include <QList>
#include <QString>

#include <functional>

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

} // namespace tabel::test
