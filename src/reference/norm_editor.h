#pragma once

#include "reference/price_store.h"
#include "widgets/modal.h"

#include <QDialog>

class QPushButton;
class QTableView;

namespace tabel {

class NormGrid;
class NormModel;

// "Норматив": an editable grid over the norms of one operation. A changed
// cell is written when the operator leaves it; the last row of the grid is
// an empty one that becomes a new norm of the operation when something is
// typed into it. "Сохранить" (Enter and Esc) re-reads the price list.
class NormEditor : public QDialog, public Activatable {
    Q_OBJECT
public:
    NormEditor(DataModule& dm, QWidget* parent);
    ~NormEditor() override;

    // Reads the operation's norms; the opener then shows the editor.
    void load(qint64 operId);
    qint64 operationId() const;
    QTableView* grid() const;

    // "#0.00#" with the locale's decimal separator: 12.5 is "12,50",
    // 12.125 "12,125".
    static QString priceText(const QVariant& price);

    void activate() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void save();
    void removeCurrent();

    DataModule& m_dm;
    NormModel* m_model;
    NormGrid* m_grid;
    QPushButton* m_save;
};

} // namespace tabel
