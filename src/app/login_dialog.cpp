#include "app/login_dialog.h"

#include "widgets/guard.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tabel {

LoginDialog::LoginDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"Form23"_qs);
    setWindowTitle(u"Авторизация"_qs);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_code = new QLineEdit(this);
    m_code->setObjectName(u"Edit1"_qs);
    m_code->setEchoMode(QLineEdit::Password);
    m_code->setStyleSheet(u"lineedit-password-character: 42"_qs); // "*"

    m_enter = new QPushButton(u"Вход"_qs, this);
    m_enter->setObjectName(u"Button1"_qs);
    m_enter->setDefault(true);
    m_cancel = new QPushButton(u"Отмена"_qs, this);
    m_cancel->setObjectName(u"Button2"_qs);
    m_cancel->setAutoDefault(false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_code, 1);
    layout->addWidget(m_enter);
    layout->addWidget(m_cancel);
    setFixedSize(330, 44);

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_qs);
    m_timer->setInterval(5000);

    connect(m_enter, &QPushButton::clicked, this, guarded([this] {
                if (m_onLogin)
                    m_onLogin(code());
            }));
    // Esc and "Отмена" close the dialog, which ends the program.
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString LoginDialog::code() const
{
    return m_code->text().trimmed();
}

void LoginDialog::showBuildStamp(const QString& stampText)
{
    setWindowTitle(u"Авторизация (build: "_qs + stampText + u')');
}

} // namespace tabel
