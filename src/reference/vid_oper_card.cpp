#include "reference/vid_oper_card.h"
#include "reference/card_layout.h"

#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {
namespace {

const QString kAddCaption = u"Заведение нового вида операций"_qs;
const QString kChangeCaption = u"Изменение данных вида операции"_qs;
const QString kFillAll = u"Все поля должны быть заполнены!"_qs;
const QString kDuplicate = u"Такая операция уже заведена!"_qs;

} // namespace

VidOperCard::VidOperCard(DataModule& dm, QWidget* parent) : QDialog(parent), m_store(dm)
{
    setObjectName(u"Form9"_qs);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* group = new QGroupBox(u"Вид операции"_qs, this);
    auto* form = new QFormLayout(group);
    m_name = new QLineEdit(group);
    m_name->setObjectName(u"Edit1"_qs);
    m_name->setMaxLength(50); // the column's width: longer names never reach the server
    m_name->setMinimumWidth(260);
    form->addRow(u"Операция"_qs, m_name);

    m_save = layOutCard(this, group).save;
    connect(m_save, &QPushButton::clicked, this, guarded([this] { save(); }));
}

void VidOperCard::startAdd()
{
    m_mode = 1;
    m_id = 0;
    m_savedId = 0;
    m_name->clear();
    setWindowTitle(kAddCaption);
}

void VidOperCard::startChange(qint64 id, const QString& name)
{
    m_mode = 2;
    m_id = id;
    m_savedId = 0;
    m_name->setText(name.trimmed());
    setWindowTitle(kChangeCaption);
}

void VidOperCard::activate()
{
    m_name->setFocus();
}

void VidOperCard::save()
{
    const VidOperStore::Result r = m_mode == 1 ? m_store.add(m_name->text()) : m_store.rename(m_id, m_name->text());
    switch (r.outcome) {
    case VidOperStore::Outcome::EmptyName:
        msg::error(kFillAll);
        return;
    case VidOperStore::Outcome::Duplicate:
        msg::error(kDuplicate);
        return;
    case VidOperStore::Outcome::Reserved:
        return;
    case VidOperStore::Outcome::Saved:
        m_savedId = r.id;
        accept();
        return;
    }
}

} // namespace tabel
