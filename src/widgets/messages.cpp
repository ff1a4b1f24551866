#include "widgets/messages.h"

#include "data/db_error.h"

#include <QApplication>
#include <QMessageBox>

namespace tabel::msg {
namespace {

Responder& responder()
{
    static Responder r;
    return r;
}

bool show(Icon icon, const QString& caption, const QString& text)
{
    if (responder())
        return responder()(Shown{icon, caption, text});

    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void setResponder(Responder r)
{
    responder() = std::move(r);
}

void error(const QString& text, const QString& caption)
{
    show(Icon::Error, caption, text);
}

void warning(const QString& text, const QString& caption)
{
    show(Icon::Warning, caption, text);
}

void information(const QString& text, const QString& caption)
{
    show(Icon::Information, caption, text);
}

bool question(const QString& text, const QString& caption)
{
    return show(Icon::Question, caption, text);
}

void showError(const std::exception& e)
{
    QString text;
    if (const auto* db = dynamic_cast<const DbError*>(&e))
        text = db->message();
    else
        text = QString::fromUtf8(e.what());
    show(Icon::Error, QStringLiteral("Табель"), text);
}

void showUnknownError()
{
    show(Icon::Error, QStringLiteral("Табель"), QString());
}

} // namespace tabel::msg
