#pragma once

#include "reference/nom_group_store.h"
#include "reference/reference_list.h"

namespace tabel {

class NomGroupCard;

// The nomenclature groups: kept from the main menu, and chosen from by the
// maintenance work card.
class NomGroupList : public ReferenceList {
    Q_OBJECT
public:
    enum Mode { Maintenance = 0, Chooser = 24 };

    NomGroupList(DataModule& dm, QWidget* parent);

    void openMaintenance();
    // Groups no longer in use stay hidden until the operator searches; the
    // name comes as stored, untrimmed.
    std::optional<Choice> choose();

    ResultSet& groups() { return *m_groups; }
    NomGroupCard* card() const { return m_card; }

private:
    void addGroup();
    void changeOrChoose();
    void deleteGroup();

    NomGroupStore m_store;
    ResultSet* m_groups;
    NomGroupCard* m_card;
};

} // namespace tabel
