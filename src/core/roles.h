#pragma once

#include <QString>
#include <QStringList>

namespace tabel {

enum class Role { Administrator, Analyst, Foremen, Storekeeper, Refused };

// The login code chooses the role; blanks around the code do not count,
// letter case does.
Role roleForCode(const QString& code);

inline const QString kForemenCode = QStringLiteral("plobend");

// What a role may not use. Names are the controls' object names, so the
// login applies the list to whatever window holds them.
struct RolePolicy {
    QStringList registerDisabled; // main register window: buttons, menu items, grid
    QStringList reportsDisabled;  // summary reports window
    bool finishedProductsOnly = false; // reports fixed to "Готовая продукция"
    bool okToggle = true;              // double click accepts a record
};

RolePolicy policyFor(Role role);

} // namespace tabel
