#pragma once

#include "reference/product_store.h"
#include "widgets/modal.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tabel {

// Adds or changes one product: brand, mass and nomenclature group. Closes
// with Accepted once the product is written. The group lookup is read
// afresh each time the card opens and keeps the group chosen last.
class ProductCard : public QDialog, public Activatable {
    Q_OBJECT
public:
    enum Mode { Add = 1, Change = 2 };

    ProductCard(DataModule& dm, ProductStore& store, QWidget* parent);

    void startAdd();
    // `mass` is the stored value (numeric text or a number).
    void startChange(qint64 id, const QString& brand, const QVariant& mass, qint64 groupId);
    int mode() const { return m_mode; }
    ResultSet& groups() { return *m_groups; }

    void activate() override;
    void done(int result) override;

private:
    void openGroups(std::optional<qint64> select);
    qint64 chosenGroup() const;
    void save();

    DataModule& m_dm;
    ProductStore& m_store;
    ResultSet* m_groups;
    QLineEdit* m_brand;
    QLineEdit* m_mass;
    QComboBox* m_group;
    int m_mode = Add;
    qint64 m_id = 0;
    std::optional<qint64> m_lastGroup;
};

} // namespace tabel
