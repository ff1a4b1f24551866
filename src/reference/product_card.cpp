#include "reference/product_card.h"
#include "reference/card_layout.h"

#include "widgets/guard.h"
#include "widgets/messages.h"
#include "widgets/record_exists.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {
namespace {

const QString kGroupBox = u"Данные об изделии"_qs;
const QString kBrandLabel = u"Марка"_qs;
const QString kMassLabel = u"Расценка"_qs;
const QString kIncomplete = u"Все поля должны быть заполнены!"_qs;
const QString kDuplicate = u"Такая марка изделия уже заведена!"_qs;
const QString kBadMass = u"В поле «Расценка» должно быть число, например 12.5"_qs;

// The mass box takes digits and Backspace; either decimal separator is
// entered as "."; every other character (and pasting) is dropped.
class MassKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste))
            return true;
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Backspace)
            return false; // caret keys, Delete and the like
        const QChar c = text.at(0);
        if ((c >= u'0' && c <= u'9') || c == u'.')
            return false;
        if (c == u',') {
            QKeyEvent dot(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, u"."_qs);
            QApplication::sendEvent(watched, &dot);
            return true;
        }
        // Letters and signs are dropped; control characters (Enter, Escape,
        // copy, select all) still reach the box and the dialog.
        return c.isPrint();
    }
};

QString massText(const QVariant& mass)
{
    if (mass.isNull())
        return {};
    const QString text = mass.toString().trimmed();
    if (const auto d = Decimal::parse(text))
        return d->toString();
    return text;
}

} // namespace

ProductCard::ProductCard(DataModule& dm, ProductStore& store, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_store(store)
{
    setObjectName(u"Form7"_qs);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    m_groups = new ResultSet(dm.db(), u"Item"_qs, ProductStore::groupsSql(), this);
    m_groups->setFilter(&ProductStore::isChoosableGroup);
    m_groups->setFiltered(true);

    auto* box = new QGroupBox(kGroupBox, this);
    box->setObjectName(u"GroupBox1"_qs);
    auto* brandLabel = new QLabel(kBrandLabel, box);
    brandLabel->setObjectName(u"Label1"_qs);
    m_brand = new QLineEdit(box);
    m_brand->setObjectName(u"Edit1"_qs);
    m_brand->setMaxLength(254);
    m_brand->setMinimumWidth(300);
    auto* massLabel = new QLabel(kMassLabel, box);
    massLabel->setObjectName(u"Label2"_qs);
    m_mass = new QLineEdit(box);
    m_mass->setObjectName(u"Edit2"_qs);
    m_mass->installEventFilter(new MassKeys(m_mass));
    m_mass->setContextMenuPolicy(Qt::NoContextMenu); // no pasting letters in
    m_group = new QComboBox(box);
    m_group->setObjectName(u"cb_item"_qs);

    auto* grid = new QGridLayout(box);
    grid->addWidget(brandLabel, 0, 0);
    grid->addWidget(m_brand, 0, 1);
    grid->addWidget(massLabel, 1, 0);
    grid->addWidget(m_mass, 1, 1);
    grid->addWidget(m_group, 2, 0, 1, 2);

    QPushButton* saveButton = layOutCard(this, box).save;
    connect(saveButton, &QPushButton::clicked, this, guarded([this] { save(); }));
}

void ProductCard::startAdd()
{
    m_mode = Add;
    m_id = 0;
    m_brand->clear();
    m_mass->clear();
    openGroups(m_lastGroup);
}

void ProductCard::startChange(qint64 id, const QString& brand, const QVariant& mass, qint64 groupId)
{
    m_mode = Change;
    m_id = id;
    m_brand->setText(brand.trimmed());
    m_mass->setText(massText(mass));
    openGroups(groupId);
}

void ProductCard::openGroups(std::optional<qint64> select)
{
    m_group->clear();
    m_groups->open();
    for (int r = 0; r < m_groups->rowCount(); ++r)
        m_group->addItem(m_groups->value(r, u"s_caption"_qs).toString(), m_groups->value(r, u"id"_qs).toLongLong());
    m_group->setCurrentIndex(select ? m_group->findData(*select) : -1);
}

qint64 ProductCard::chosenGroup() const
{
    return m_group->currentIndex() < 0 ? 0 : m_group->currentData().toLongLong();
}

void ProductCard::activate()
{
    m_brand->setFocus();
}

void ProductCard::done(int result)
{
    if (const qint64 group = chosenGroup())
        m_lastGroup = group;
    m_groups->close();
    QDialog::done(result);
}

void ProductCard::save()
{
    const QString brand = m_brand->text().trimmed();
    const QString massTyped = m_mass->text().trimmed();
    const qint64 group = chosenGroup();
    if (brand.isEmpty() || massTyped.isEmpty() || group == 0) {
        msg::error(kIncomplete, msg::kErrorCaption);
        return;
    }
    const auto mass = ProductStore::parseMass(massTyped);
    if (!mass) {
        msg::error(kBadMass, msg::kErrorCaption);
        return;
    }
    const std::optional<qint64> changing = m_mode == Change ? std::optional<qint64>(m_id) : std::nullopt;
    if (recordExists(m_dm, ProductStore::duplicateSql(changing.has_value()), ProductStore::duplicateParams(brand, changing), kDuplicate))
        return;
    if (m_mode == Add)
        m_store.add(brand, *mass, group);
    else
        m_store.change(m_id, brand, *mass, group);
    accept();
}

} // namespace tabel
