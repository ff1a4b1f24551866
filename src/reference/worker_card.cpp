#include "reference/worker_card.h"
#include "reference/card_layout.h"

#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tabel {
namespace {

const QString kGroupCaption = u"Данные о работнике"_qs;
const QString kFioLabel = u"ФИО"_qs;
const QString kDepartmentLabel = u"Подразделение"_qs;
const QString kStaffposLabel = u"Должность"_qs;
const QString kRolesLabel = u"Роль"_qs;
const QString kFioRequired = u"ФИО нужно заполнить!"_qs;

// The name and position columns hold up to 254 characters; a longer text
// would only end in the server's error.
constexpr int kTextLimit = 254;

QComboBox* lookupBox(const QString& name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMaxVisibleItems(10);
    box->setMinimumWidth(260);
    return box;
}

void fill(QComboBox* box, const QList<LookupEntry>& entries)
{
    box->clear();
    for (const LookupEntry& e : entries)
        box->addItem(e.caption, e.id);
    box->setCurrentIndex(-1);
}

} // namespace

WorkerCard::WorkerCard(WorkerStore& store, QWidget* parent) : QDialog(parent), m_store(store)
{
    setObjectName(u"Form2"_qs);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* group = new QGroupBox(kGroupCaption, this);
    group->setObjectName(u"GroupBox1"_qs);
    m_fio = new QLineEdit(group);
    m_fio->setObjectName(u"Edit1"_qs);
    m_fio->setMaxLength(kTextLimit);
    m_department = lookupBox(u"LCB_department"_qs, group);
    m_staffpos = lookupBox(u"LCB_staffpos"_qs, group);
    m_roles = lookupBox(u"LCB_roles"_qs, group);
    auto* form = new QFormLayout(group);
    form->addRow(kFioLabel, m_fio);
    form->addRow(kDepartmentLabel, m_department);
    form->addRow(kStaffposLabel, m_staffpos);
    form->addRow(kRolesLabel, m_roles);

    const CardButtons buttons = layOutCard(this, group);
    m_save = buttons.save;
    m_cancel = buttons.cancel;
    connect(m_save, &QPushButton::clicked, this, guarded([this] { save(); }));

    // The wheel anywhere over the card steps the focused lookup box, so
    // every widget of the card reports its wheel turns here. The boxes'
    // drop-down lists are windows of their own and scroll as usual.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->window() == this)
            w->installEventFilter(this);
    }
}

void WorkerCard::reloadLookups()
{
    fill(m_department, m_store.departments());
    fill(m_staffpos, m_store.staffPositions());
    fill(m_roles, m_store.roles());
}

void WorkerCard::prepareNew()
{
    m_mode = Add;
    m_id = 0;
    setWindowTitle(u"Заведение данных нового работника"_qs);
    m_fio->clear();
    reloadLookups();
}

void WorkerCard::prepareChange(qint64 id, const QString& fio, const QString& staffpos)
{
    m_mode = Change;
    m_id = id;
    setWindowTitle(u"Изменение данных работника"_qs);
    m_fio->setText(fio);
    reloadLookups();
    // The stored position shows as chosen. A text the ERP no longer lists
    // stays as an entry of its own, so saving a new name keeps it.
    if (!staffpos.isEmpty()) {
        int index = m_staffpos->findText(staffpos, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) {
            m_staffpos->insertItem(0, staffpos);
            index = 0;
        }
        m_staffpos->setCurrentIndex(index);
    }
}

void WorkerCard::activate()
{
    m_fio->setFocus();
}

void WorkerCard::save()
{
    const QString fio = m_fio->text().trimmed();
    if (fio.isEmpty()) {
        msg::error(kFioRequired);
        return;
    }
    const QString staffpos = m_staffpos->currentIndex() < 0 ? QString(u""_qs) : m_staffpos->currentText();
    if (m_mode == Add)
        m_store.insert(fio, staffpos);
    else
        m_store.update(m_id, fio, staffpos);
    accept();
}

void WorkerCard::stepFocusedLookup(int step)
{
    QWidget* focused = focusWidget();
    for (QComboBox* box : {m_department, m_staffpos, m_roles}) {
        if (focused != box)
            continue;
        const int next = box->currentIndex() + step;
        if (next >= 0 && next < box->count())
            box->setCurrentIndex(next);
        return;
    }
}

bool WorkerCard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy != 0)
            stepFocusedLookup(dy < 0 ? 1 : -1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tabel
