#pragma once

#include "reference/reference_list.h"
#include "reference/vid_oper_store.h"

namespace tabel {

class VidOperCard;

// "Виды операций": the operation types, kept from the main menu and chosen
// from by the price card.
class VidOperList : public ReferenceList {
    Q_OBJECT
public:
    VidOperList(DataModule& dm, QWidget* parent);

    // From the main menu: add, rename and delete types.
    void openMaintenance();
    // As a chooser: the chosen type's id and trimmed name, or nothing.
    std::optional<Choice> choose();

    VidOperCard* card() const { return m_card; }

private:
    void add();
    void changeOrChoose();
    void remove();
    void reread(int rowNumber);

    DataModule& m_dm;
    VidOperStore m_store;
    VidOperCard* m_card;
    QPushButton* m_add;
    QPushButton* m_change;
    QPushButton* m_delete;
};

} // namespace tabel
