#pragma once

#include "reference/price_store.h"
#include "reference/reference_list.h"
#include "widgets/modal.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tabel {

// "Цена операции": adds an operation or changes its product, type and kind.
// The product and the type come from the lists opened as choosers through
// the two hooks; the card keeps the chosen ids between showings.
class PriceCard : public QDialog, public Activatable {
    Q_OBJECT
public:
    using Chooser = std::function<std::optional<Choice>()>;

    PriceCard(DataModule& dm, QWidget* parent);

    Chooser chooseProduct;       // Button3 "..."
    Chooser chooseOperationType; // Button4 "..."

    void startAdd();
    void startChange(qint64 operId, const QString& marka, const QString& vid, int naimen, qint64 izdelId,
                     qint64 vidId);
    int mode() const { return m_mode; } // 1 add, 2 change

    // After an accepted add: the operation that still has no norm (the new
    // one, or an earlier one saved without norms), so the opener can let the
    // operator enter its first norm.
    std::optional<qint64> operationNeedingNorm() const { return m_needsNorm; }

    void activate() override; // focus on the product button

private:
    void pickProduct();
    void pickOperationType();
    void save();

    PriceStore m_store;
    QLineEdit* m_product;
    QLineEdit* m_type;
    QComboBox* m_kind;
    QPushButton* m_pickProduct;
    int m_mode = 1;
    qint64 m_operId = 0;
    qint64 m_izdelId = 0;
    qint64 m_vidId = 0;
    std::optional<qint64> m_needsNorm;
};

} // namespace tabel
