#include "core/reserved.h"
#include "reference/vid_oper_store.h"

namespace tabel {

bool VidOperStore::nameTaken(const QString& name, std::optional<qint64> exceptId)
{
    // The name goes to the server already in upper case, so the comparison
    // does not hang on the server's idea of Cyrillic letter case for the
    // typed side.
    const QString upper = name.trimmed().toUpper();
    if (!exceptId)
        return m_dm.count(u"select count(*) as cnt from accounts_dep.vid_oper where upper(vid)=:name"_qs,
                          {{u"name"_qs, upper}}) > 0;
    return m_dm.count(u"select count(*) as cnt from accounts_dep.vid_oper where upper(vid)=:name and id<>:id"_qs,
                      {{u"name"_qs, upper}, {u"id"_qs, *exceptId}}) > 0;
}

VidOperStore::Result VidOperStore::add(const QString& typed)
{
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return {Outcome::EmptyName};
    if (nameTaken(name))
        return {Outcome::Duplicate};
    const QVariant id = m_dm.db().scalar(u"insert into accounts_dep.vid_oper (vid) values (:vid) returning id"_qs,
                                         {{u"vid"_qs, name}});
    return {Outcome::Saved, id.toLongLong()};
}

VidOperStore::Result VidOperStore::rename(qint64 id, const QString& typed)
{
    if (isReservedId(id))
        return {Outcome::Reserved, id};
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return {Outcome::EmptyName, id};
    if (nameTaken(name, id))
        return {Outcome::Duplicate, id};
    m_dm.db().exec(u"update accounts_dep.vid_oper set vid=:vid where id=:id"_qs, {{u"vid"_qs, name}, {u"id"_qs, id}});
    return {Outcome::Saved, id};
}

bool VidOperStore::remove(qint64 id)
{
    if (isReservedId(id))
        return false;
    m_dm.db().exec(u"delete from accounts_dep.vid_oper where id=:id"_qs, {{u"id"_qs, id}});
    return true;
}

} // namespace tabel
