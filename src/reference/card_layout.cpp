#include "reference/card_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {

CardButtons layOutCard(QDialog* card, QWidget* content, const QString& cancelName, const QString& cancelCaption)
{
    auto* save = new QPushButton(u"Записать"_qs, card);
    save->setObjectName(u"Button1"_qs);
    save->setDefault(true);
    auto* cancel = new QPushButton(cancelCaption, card);
    cancel->setObjectName(cancelName);
    cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(card);
    layout->addWidget(content);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QObject::connect(cancel, &QPushButton::clicked, card, &QDialog::reject);
    return {save, cancel};
}

} // namespace tabel
