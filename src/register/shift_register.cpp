#include "register/shift_register.h"

#include "core/roles.h"

namespace tabel {

void ShiftRegister::setHiddenMark(const QString& mark)
{
    for (int shift = 1; shift <= 4; ++shift)
        m_dm.smena(shift).setParam(u"ok"_qs, mark);
}

void ShiftRegister::load(const QDate& date)
{
    for (int shift = 1; shift <= 4; ++shift)
        m_dm.smena(shift).close();
    for (int shift = 1; shift <= 4; ++shift) {
        ResultSet& q = m_dm.smena(shift);
        q.setFiltered(false);
        q.setParam(u"data"_qs, date);
        q.open();
    }
}

void ShiftRegister::refresh()
{
    for (int shift = 1; shift <= 4; ++shift)
        m_dm.smena(shift).close();
    for (int shift = 1; shift <= 4; ++shift)
        m_dm.smena(shift).open();
}

bool ShiftRegister::isAccepted(const QVariant& okMark)
{
    const QString mark = okMark.toString();
    return mark == u"ok" || mark == u"да";
}

ShiftRegister::Toggle ShiftRegister::toggleOk(const QString& role)
{
    if (role == kForemenCode)
        return Toggle::Refused;
    ResultSet& q = curQuery();
    if (q.isEmpty())
        return Toggle::NothingToToggle;
    const QString mark = isAccepted(q.value(u"ok"_qs)) ? u"no"_qs : u"ok"_qs;
    m_dm.db().exec(u"update accounts_dep.smena set ok=:ok where id=:id"_qs,
                   {{u"ok"_qs, mark}, {u"id"_qs, q.value(u"id"_qs).toInt()}});
    q.reopenKeepingRow();
    return Toggle::Done;
}

} // namespace tabel
