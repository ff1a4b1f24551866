#pragma once

#include "reference/product_store.h"
#include "reference/reference_list.h"

namespace tabel {

class ProductCard;

// The products: kept from the main menu, and chosen from by the price card.
// The reserved products (7777 and up) are never changed, deleted or handed
// over.
class ProductList : public ReferenceList {
    Q_OBJECT
public:
    enum Mode { Maintenance = 0, Chooser = 1 };

    ProductList(DataModule& dm, QWidget* parent);

    void openMaintenance();
    // The product's id and its trimmed brand.
    std::optional<Choice> choose();

    ProductCard* card() const { return m_card; }

private:
    void addProduct();
    void changeOrChoose();
    void deleteProduct();

    DataModule& m_dm;
    ProductStore m_store;
    ProductCard* m_card;
};

} // namespace tabel
