#pragma once

#include "data/result_set.h"

#include <QLineEdit>

namespace tabel {

// The search box of a reference list: narrows the loaded rows of a result
// set to those whose field begins with (or contains) the typed text, without
// asking the database. Letter case does not matter; "%", "_" and quotes are
// plain characters. Up and Down move the list's current row.
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Match { BeginsWith, Contains };

    explicit SearchBox(QWidget* parent = nullptr);

    // Which result set and field the box searches. The box owns the result
    // set's filter while it has text.
    void bind(ResultSet* rs, const QString& field, Match match);
    // Some lists let only typing and Backspace edit the text: the caret and
    // deletion keys then do nothing.
    void setCaretKeysLocked(bool locked) { m_caretLocked = locked; }

    static bool matches(const QString& value, const QString& typed, Match match);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void apply();

    ResultSet* m_rs = nullptr;
    QString m_field;
    Match m_match = Match::BeginsWith;
    bool m_caretLocked = false;
};

} // namespace tabel
