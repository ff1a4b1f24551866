#include "reference/price_card.h"
#include "reference/card_layout.h"

#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {
namespace {

const QString kAddCaption = u"Заведение новой цены за операцию"_qs;
const QString kChangeCaption = u"Изменение данных о цене за операцию"_qs;
const QString kFillAll = u"Все поля должны быть заполнены!"_qs;
const QString kDuplicate = u"Операция с такими параметрами уже заведена!"_qs;

} // namespace

PriceCard::PriceCard(DataModule& dm, QWidget* parent) : QDialog(parent), m_store(dm)
{
    setObjectName(u"Form10"_qs);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* group = new QGroupBox(u"Цена операции"_qs, this);
    auto* grid = new QGridLayout(group);

    m_product = new QLineEdit(group);
    m_product->setObjectName(u"Edit1"_qs);
    m_product->setReadOnly(true);
    m_product->setFocusPolicy(Qt::ClickFocus); // Tab passes it by
    m_product->setMinimumWidth(260);
    m_pickProduct = new QPushButton(u"..."_qs, group);
    m_pickProduct->setObjectName(u"Button3"_qs);
    m_pickProduct->setAutoDefault(false);
    m_pickProduct->setFixedWidth(32);

    m_type = new QLineEdit(group);
    m_type->setObjectName(u"Edit2"_qs);
    m_type->setReadOnly(true);
    auto* pickType = new QPushButton(u"..."_qs, group);
    pickType->setObjectName(u"Button4"_qs);
    pickType->setAutoDefault(false);
    pickType->setFixedWidth(32);

    m_kind = new QComboBox(group);
    m_kind->setObjectName(u"ComboBox1"_qs);
    m_kind->addItems({productKindText(0), productKindText(1)});

    grid->addWidget(new QLabel(u"Марка изделия"_qs, group), 0, 0);
    grid->addWidget(m_product, 0, 1);
    grid->addWidget(m_pickProduct, 0, 2);
    grid->addWidget(new QLabel(u"Операция"_qs, group), 1, 0);
    grid->addWidget(m_type, 1, 1);
    grid->addWidget(pickType, 1, 2);
    grid->addWidget(new QLabel(u"Вид"_qs, group), 2, 0);
    grid->addWidget(m_kind, 2, 1, 1, 2);

    QPushButton* save = layOutCard(this, group).save;

    connect(m_pickProduct, &QPushButton::clicked, this, guarded([this] { pickProduct(); }));
    connect(pickType, &QPushButton::clicked, this, guarded([this] { pickOperationType(); }));
    connect(save, &QPushButton::clicked, this, guarded([this] { this->save(); }));
}

void PriceCard::startAdd()
{
    m_mode = 1;
    m_operId = 0;
    m_needsNorm.reset();
    m_product->clear();
    m_type->clear();
    m_kind->setCurrentIndex(0);
    setWindowTitle(kAddCaption);
}

void PriceCard::startChange(qint64 operId, const QString& marka, const QString& vid, int naimen, qint64 izdelId,
                            qint64 vidId)
{
    m_mode = 2;
    m_operId = operId;
    m_needsNorm.reset();
    m_product->setText(marka.trimmed());
    m_type->setText(vid.trimmed());
    m_kind->setCurrentIndex(naimen == 0 ? 0 : 1);
    m_izdelId = izdelId;
    m_vidId = vidId;
    setWindowTitle(kChangeCaption);
}

void PriceCard::activate()
{
    m_pickProduct->setFocus();
}

void PriceCard::pickProduct()
{
    if (!chooseProduct)
        return;
    if (const std::optional<Choice> c = chooseProduct()) {
        m_product->setText(c->name.trimmed());
        m_izdelId = c->id;
    }
}

void PriceCard::pickOperationType()
{
    if (!chooseOperationType)
        return;
    if (const std::optional<Choice> c = chooseOperationType()) {
        m_type->setText(c->name.trimmed());
        m_vidId = c->id;
    }
}

void PriceCard::save()
{
    if (m_product->text().trimmed().isEmpty() || m_type->text().trimmed().isEmpty()) {
        msg::error(kFillAll);
        return;
    }
    const OperationFields fields{m_vidId, m_kind->currentIndex(), m_izdelId};
    const PriceStore::Result r = m_mode == 1 ? m_store.add(fields) : m_store.change(m_operId, fields);
    switch (r.outcome) {
    case PriceStore::Outcome::Duplicate:
        msg::error(kDuplicate);
        return;
    case PriceStore::Outcome::Reserved:
        return;
    case PriceStore::Outcome::Saved:
    case PriceStore::Outcome::Unpriced:
        if (m_mode == 1)
            m_needsNorm = r.id;
        accept();
        return;
    }
}

} // namespace tabel
