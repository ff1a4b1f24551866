#pragma once

#include "reference/price_store.h"
#include "reference/reference_list.h"

class QCheckBox;

namespace tabel {

class ExcelExport;
class NormEditor;
class PriceCard;
class VidOperList;

// "Цены": the operations with their number of norms and lowest norm price.
// Kept from the main menu (with the price card, the norm editor and the
// spreadsheet), and chosen from by the position dialog.
class PriceList : public ReferenceList {
    Q_OBJECT
public:
    // The spreadsheet helper is shared with the other "Excel" commands and
    // must outlive the list.
    PriceList(DataModule& dm, ExcelExport& excel, QWidget* parent);

    // From the main menu.
    void openMaintenance();
    // For the position dialog: the chosen operation with its piece price for
    // the shift (day-off and shift factors applied), or nothing. `placeOn`
    // is the operation to start on (a record being changed); without it the
    // list starts on its first row. Afterwards the chosen operation stays
    // the current row of the data module's Oper, which stays open.
    std::optional<PriceChoice> choose(bool dayOff, int shift, std::optional<qint64> placeOn = std::nullopt);

    PriceCard* card() const { return m_card; }
    NormEditor* normEditor() const { return m_norms; }
    // The operation type chooser behind the card's "..." for the type.
    VidOperList* operationTypes() const { return m_types; }

private:
    void add();
    void changeOrChoose();
    void remove();
    void exportToExcel();
    void doubleClicked();
    void editNorms(qint64 operId);

    DataModule& m_dm;
    ExcelExport& m_excel;
    PriceStore m_store;
    PriceCard* m_card;
    VidOperList* m_types;
    NormEditor* m_norms;
    QPushButton* m_add;
    QPushButton* m_change;
    QPushButton* m_delete;
    QCheckBox* m_prices;
    bool m_dayOff = false;
    int m_shift = 1;
    std::optional<PriceChoice> m_picked;
};

} // namespace tabel
