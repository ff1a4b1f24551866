#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace tabel::msg {

// Every message box of the program goes through here, so tests can read
// what the operator was told and answer the questions.
enum class Icon { Error, Warning, Information, Question };

struct Shown {
    Icon icon;
    QString caption;
    QString text;
};

// With a responder set, no box appears: the responder sees each message and
// answers questions (true is "Yes"). Tests only.
using Responder = std::function<bool(const Shown&)>;
void setResponder(Responder responder);

inline const QString kErrorCaption = QStringLiteral("Ошибка");

void error(const QString& text, const QString& caption = kErrorCaption);
void warning(const QString& text, const QString& caption);
void information(const QString& text, const QString& caption);
// Yes/No with the question icon; true when the operator answers "Yes".
bool question(const QString& text, const QString& caption);

// The default error display: the error's own text, and the window that
// raised it stays open.
void showError(const std::exception& e);
void showUnknownError();

} // namespace tabel::msg
