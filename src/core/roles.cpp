#include "core/roles.h"

namespace tabel {

Role roleForCode(const QString& typed)
{
    const QString code = typed.trimmed();
    if (code == u"61730482" || code == u"5306")
        return Role::Administrator;
    if (code == u"vatrik")
        return Role::Analyst;
    if (code == kForemenCode)
        return Role::Foremen;
    if (code == u"trovu")
        return Role::Storekeeper;
    return Role::Refused;
}

RolePolicy policyFor(Role role)
{
    RolePolicy p;
    const QStringList reportsOfOffice = {u"Button1"_qs, u"Button2"_qs, u"Button4"_qs, u"Button6"_qs};
    switch (role) {
    case Role::Administrator:
    case Role::Refused:
        break;
    case Role::Analyst:
        p.registerDisabled = {u"Button1"_qs, u"Button2"_qs, u"Button3"_qs, u"RadioButton1"_qs,
                              u"RadioButton2"_qs, u"RadioButton3"_qs, u"RadioButton4"_qs, u"CBox1"_qs,
                              u"Button8"_qs, u"DBGrid2"_qs, u"DateT"_qs, u"N2"_qs, u"N11"_qs};
        p.okToggle = false; // the grid is disabled
        break;
    case Role::Foremen:
        p.registerDisabled = {u"Button2"_qs, u"Button3"_qs, u"N2"_qs, u"N11"_qs};
        p.reportsDisabled = reportsOfOffice;
        p.okToggle = false;
        break;
    case Role::Storekeeper:
        p.registerDisabled = {u"Button1"_qs, u"Button2"_qs, u"Button3"_qs, u"N2"_qs, u"N11"_qs};
        p.reportsDisabled = reportsOfOffice;
        p.finishedProductsOnly = true;
        break;
    }
    return p;
}

} // namespace tabel
