#pragma once

#include <QString>

#include <exception>

namespace tabel {

// A failed statement, a lost connection or a value that does not convert.
// Carries the server's own message, which the operator sees as it is.
class DbError : public std::exception {
public:
    explicit DbError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace tabel
