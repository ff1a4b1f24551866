#include "reference/nom_group_card.h"
#include "reference/card_layout.h"

#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {
namespace {

const QString kCaption = u"Ведение групп (29)"_qs;
const QString kGroupBox = u"Номенклатурная группа"_qs;
const QString kNameLabel = u"Наименование"_qs;
const QString kExcluded = u"Не используется"_qs;
const QString kExit = u"Выход"_qs;
const QString kIncomplete = u"Все поля должны быть заполнены!"_qs;

} // namespace

NomGroupCard::NomGroupCard(NomGroupStore& store, QWidget* parent) : QDialog(parent), m_store(store)
{
    setObjectName(u"Form29"_qs);
    setWindowTitle(kCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* box = new QGroupBox(kGroupBox, this);
    box->setObjectName(u"GroupBox1"_qs);
    auto* label = new QLabel(kNameLabel, box);
    label->setObjectName(u"Label1"_qs);
    m_name = new QLineEdit(box);
    m_name->setObjectName(u"Edit1"_qs);
    m_name->setMaxLength(254);
    m_name->setMinimumWidth(320);
    m_name->setFocusPolicy(Qt::ClickFocus); // Tab passes it by
    m_excluded = new QCheckBox(kExcluded, box);
    m_excluded->setObjectName(u"CheckBox1"_qs);
    auto* grid = new QGridLayout(box);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_name, 1, 0);
    grid->addWidget(m_excluded, 2, 0);

    m_save = layOutCard(this, box, u"Button6"_qs, kExit).save;
    connect(m_save, &QPushButton::clicked, this, guarded([this] { save(); }));
}

void NomGroupCard::startAdd()
{
    m_mode = Add;
    m_id = 0;
    m_name->clear();
    // A new group is in use unless the operator says otherwise.
    m_excluded->setChecked(false);
}

void NomGroupCard::startChange(qint64 id, const QString& name, bool excluded)
{
    m_mode = Change;
    m_id = id;
    m_name->setText(name.trimmed());
    m_excluded->setChecked(excluded);
}

void NomGroupCard::activate()
{
    m_name->setFocus();
}

void NomGroupCard::save()
{
    const QString name = m_name->text().trimmed();
    // A group without a name can be neither found nor chosen.
    if (name.isEmpty()) {
        msg::error(kIncomplete, msg::kErrorCaption);
        return;
    }
    if (m_mode == Add)
        m_store.add(name, m_excluded->isChecked());
    else
        m_store.change(m_id, name, m_excluded->isChecked());
    accept();
}

} // namespace tabel
