#include "gui.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
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
    // A watch left over from a test that has ended must not run its handler
    // on the stack variables of that test.
    const QByteArray owner = QByteArray(QTest::currentTestFunction()) + '/' + QTest::currentDataTag();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, handler, before, timeoutMs, objectName, owner] {
        if (QByteArray(QTest::currentTestFunction()) + '/' + QTest::currentDataTag() != owner) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            return;
        }
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

void onWindow(const QString& name, std::function<void(QDialog*)> handle, int timeoutMs)
{
    whenModal(name, [handle](QWidget* w) {
        auto* d = qobject_cast<QDialog*>(w);
        if (!d)
            return;
        const auto close = qScopeGuard([d] {
            if (d->isVisible())
                d->reject();
        });
        handle(d);
    }, timeoutMs);
}

bool opensModal(const std::function<void()>& action)
{
    bool opened = false;
    whenModal([&opened](QWidget* w) {
        opened = true;
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
    }, 300);
    action();
    QTest::qWait(400); // let the watch run out
    return opened;
}

void whileOpen(QDialog& list, const std::function<void()>& open, const std::function<void()>& body)
{
    whenModal([&](QWidget*) {
        body();
        if (list.isVisible())
            list.reject();
    });
    open();
}

void onNextCard(const std::function<void(QDialog*)>& fill)
{
    whenModal([fill](QWidget* w) { fill(qobject_cast<QDialog*>(w)); });
}

QPushButton* buttonOf(QWidget* w, const QString& name)
{
    return w->findChild<QPushButton*>(name);
}

} // namespace tabel::test
