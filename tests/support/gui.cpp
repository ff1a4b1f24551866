#include "gui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace tabel::test {

MessageLog::MessageLog()
{
    msg::setResponder([this](const msg::Shown& s) {
        m_shown << s;
        return m_answers.isEmpty() ? true : m_answers.takeFirst();
    });
}

MessageLog::~MessageLog()
{
    msg::setResponder(nullptr);
}

QStringList MessageLog::texts() const
{
    QStringList t;
    for (const auto& s : m_shown)
        t << s.text;
    return t;
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void whenModal(std::function<void(QWidget*)> handler, int timeoutMs)
{
    whenModal(QString(), std::move(handler), timeoutMs);
}

void whenModal(const QString& objectName, std::function<void(QWidget*)> handler, int timeoutMs)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QWidget* before = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, handler, before, timeoutMs, objectName] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool wanted = modal && (objectName.isEmpty() ? modal != before : modal->objectName() == objectName);
        if (wanted || clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (wanted)
                handler(modal);
        }
    });
    timer->start(20);
}

} // namespace tabel::test
