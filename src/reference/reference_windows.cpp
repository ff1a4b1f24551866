#include "reference/reference_windows.h"

#include "reference/nom_group_list.h"
#include "reference/price_card.h"
#include "reference/price_list.h"
#include "reference/product_list.h"
#include "reference/vid_oper_list.h"
#include "reference/worker_list.h"

namespace tabel {

ReferenceWindows::ReferenceWindows(DataModule& dm, QWidget* mainWindow)
{
    // The windows are children of the main window and go with it; the
    // export helper lives here and so outlives the price list only while
    // the main window is deleted first (see the destructor).
    m_workers = new WorkerList(dm, mainWindow);
    m_products = new ProductList(dm, mainWindow);
    m_prices = new PriceList(dm, m_excel, mainWindow);
    m_types = new VidOperList(dm, mainWindow);
    m_groups = new NomGroupList(dm, mainWindow);
    m_prices->card()->chooseProduct = [this] { return m_products->choose(); };
}

ReferenceWindows::~ReferenceWindows()
{
    // The price list refers to m_excel: it must not outlive it.
    delete m_prices;
}

} // namespace tabel
