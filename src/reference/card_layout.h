#pragma once

#include <QString>

class QDialog;
class QPushButton;
class QWidget;

namespace tabel {

struct CardButtons {
    QPushButton* save;
    QPushButton* cancel;
};

// The common shape of a reference card: its group box above, "Записать"
// (the default button, "Button1") and the cancel button at the right
// below, the card sized to its contents. The cancel button closes the card
// without saving; what "Записать" does is the card's own business.
CardButtons layOutCard(QDialog* card, QWidget* content, const QString& cancelName = QStringLiteral("Button2"),
                       const QString& cancelCaption = QStringLiteral("Отмена"));

} // namespace tabel
