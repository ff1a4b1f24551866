#pragma once

#include "data/data_module.h"
#include "reports/excel_export.h"

#include <QWidget>

namespace tabel {

class NomGroupList;
class PriceList;
class ProductList;
class VidOperList;
class WorkerList;

// The reference lists of the run, created once over the main window and
// linked where one list chooses from another (the price card takes its
// product from the product list).
class ReferenceWindows {
public:
    ReferenceWindows(DataModule& dm, QWidget* mainWindow);
    ~ReferenceWindows();

    WorkerList* workers() const { return m_workers; }
    ProductList* products() const { return m_products; }
    PriceList* prices() const { return m_prices; }
    VidOperList* operationTypes() const { return m_types; }
    NomGroupList* nomGroups() const { return m_groups; }
    ExcelExport& excel() { return m_excel; }

private:
    ExcelExport m_excel; // shared by the exports of the price list and the reports
    WorkerList* m_workers;
    ProductList* m_products;
    PriceList* m_prices;
    VidOperList* m_types;
    NomGroupList* m_groups;
};

} // namespace tabel
