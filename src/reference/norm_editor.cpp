#include "reference/norm_editor.h"

#include "widgets/guard.h"
#include "widgets/messages.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

namespace tabel {

// Norms of one operation plus an empty last row for a new one. A cell
// written by the view goes to the database at once; the rows are then read
// again in norm order, and the view's current cell and open editor follow
// their row.
class NormModel : public QAbstractTableModel {
public:
    NormModel(Database& db, QObject* parent) : QAbstractTableModel(parent), m_store(db) {}

    void load(qint64 operId)
    {
        beginResetModel();
        m_operId = operId;
        m_rows = m_store.norms(operId);
        m_indicator = -1;
        endResetModel();
    }
    qint64 operId() const { return m_operId; }
    int normCount() const { return int(m_rows.size()); }
    bool isNewRow(int row) const { return row == m_rows.size(); }
    qint64 normId(int row) const { return row >= 0 && row < m_rows.size() ? m_rows[row].id : 0; }

    // The row indicator: the current row, and "*" on the empty new row.
    void setIndicator(int row)
    {
        const int old = m_indicator;
        m_indicator = row;
        if (old >= 0 && old < rowCount())
            Q_EMIT headerDataChanged(Qt::Vertical, old, old);
        if (row >= 0 && row < rowCount())
            Q_EMIT headerDataChanged(Qt::Vertical, row, row);
    }

    bool removeNorm(int row)
    {
        if (m_rows.size() <= 1 || row < 0 || row >= m_rows.size())
            return false;
        m_store.remove(m_operId, m_rows[row].id);
        beginResetModel();
        m_rows = m_store.norms(m_operId);
        endResetModel();
        return true;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size()) + 1;
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || isNewRow(index.row()))
            return {};
        const QVariant v = field(m_rows[index.row()], index.column());
        switch (role) {
        case Qt::DisplayRole:
            if (index.column() == 1)
                return NormEditor::priceText(v);
            return v.isNull() ? QVariant() : QVariant(v.toString());
        case Qt::EditRole:
            if (v.isNull())
                return QString();
            if (index.column() == 1)
                return Decimal::fromDouble(v.toDouble()).toString().replace(u'.', QLocale().decimalPoint());
            return v.toString();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical) {
            if (role != Qt::DisplayRole)
                return {};
            if (section == m_indicator)
                return u"▶"_qs;
            return isNewRow(section) ? u"*"_qs : QString();
        }
        switch (role) {
        case Qt::DisplayRole:
            return kTitles[std::clamp(section, 0, 2)];
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::FontRole: {
            QFont f;
            f.setBold(true);
            return f;
        }
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid())
            return false;
        const int row = index.row();
        const int column = index.column();
        const QString text = value.toString().trimmed();
        const QVariant current = isNewRow(row) ? QVariant() : field(m_rows[row], column);
        if (text.isEmpty() && (current.isNull() || current.toString().isEmpty()))
            return false; // nothing changed
        const std::optional<QVariant> typed = parse(column, text);
        if (!typed) {
            msg::error(kBadNumber[column]);
            return false;
        }
        if (!current.isNull() && sameValue(column, current, *typed))
            return false;
        bool posted = false;
        // The view calls this from its own event handling: errors end in the
        // default error display here, and the cell stays as it was.
        runGuarded([&] {
            const auto f = fieldOf(column);
            if (isNewRow(row)) {
                Norm norm;
                norm.id = m_store.insert(m_operId, f, *typed);
                field(norm, column) = *typed;
                // The row typed into becomes the new norm and a fresh empty
                // row appears below it.
                beginInsertRows({}, row + 1, row + 1);
                m_rows.append(norm);
                endInsertRows();
            } else {
                m_store.update(m_rows[row].id, f, *typed);
                field(m_rows[row], column) = *typed;
            }
            posted = true;
            Q_EMIT dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(2));
            reread();
        });
        return posted;
    }

private:
    static inline const QString kTitles[3] = {u"Норматив"_qs, u"Цена"_qs, u"Премия, %"_qs};
    static inline const QString kBadNumber[3] = {
        u"В поле «Норматив» должно быть целое число."_qs,
        u"В поле «Цена» должно быть число, например 12,50."_qs,
        u"В поле «Премия, %» должно быть целое число."_qs,
    };

    static NormStore::Field fieldOf(int column)
    {
        return column == 0 ? NormStore::Field::Norma : column == 1 ? NormStore::Field::Price : NormStore::Field::Prize;
    }
    static QVariant& field(Norm& n, int column)
    {
        return column == 0 ? n.norma : column == 1 ? n.price : n.prize;
    }
    static const QVariant& field(const Norm& n, int column)
    {
        return column == 0 ? n.norma : column == 1 ? n.price : n.prize;
    }

    // The typed text as the column's value, or nothing when it is not one.
    static std::optional<QVariant> parse(int column, const QString& text)
    {
        if (column == 1) {
            const std::optional<Decimal> d = Decimal::parse(text);
            if (!d)
                return std::nullopt;
            return QVariant(d->toDouble());
        }
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok)
            return std::nullopt;
        return QVariant(n);
    }
    static bool sameValue(int column, const QVariant& a, const QVariant& b)
    {
        if (column == 1)
            return a.toDouble() == b.toDouble();
        return a.toLongLong() == b.toLongLong();
    }

    // Norm order again, as the database has the rows now. When only the
    // order moved, the view keeps its current cell on the same norm.
    void reread()
    {
        QList<Norm> fresh = m_store.norms(m_operId);
        QSet<qint64> before, after;
        for (const Norm& n : std::as_const(m_rows))
            before.insert(n.id);
        for (const Norm& n : std::as_const(fresh))
            after.insert(n.id);
        if (before != after) {
            beginResetModel();
            m_rows = std::move(fresh);
            endResetModel();
            return;
        }
        Q_EMIT layoutAboutToBeChanged();
        QHash<qint64, int> rowOf;
        for (int i = 0; i < fresh.size(); ++i)
            rowOf.insert(fresh[i].id, i);
        const QModelIndexList from = persistentIndexList();
        QList<int> newRows;
        for (const QModelIndex& i : from)
            newRows << (isNewRow(i.row()) ? int(fresh.size()) : rowOf.value(m_rows[i.row()].id));
        m_rows = std::move(fresh);
        QModelIndexList to;
        for (int k = 0; k < from.size(); ++k)
            to << index(newRows[k], from[k].column());
        changePersistentIndexList(from, to);
        Q_EMIT layoutChanged();
    }

    NormStore m_store;
    qint64 m_operId = 0;
    QList<Norm> m_rows;
    int m_indicator = -1;
};

// The grid, able to hand over a cell still being typed in before "Сохранить".
class NormGrid : public QTableView {
public:
    using QTableView::QTableView;

    void commitOpenEditor()
    {
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

NormEditor::NormEditor(DataModule& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(u"Form22"_qs);
    setWindowTitle(u"Норматив"_qs);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    m_model = new NormModel(dm.db(), this);
    m_grid = new NormGrid(this);
    m_grid->setObjectName(u"DBGrid1"_qs);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                            | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->setTabKeyNavigation(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->setMinimumWidth(18);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setColumnWidth(0, 90);
    m_grid->setColumnWidth(1, 90);
    m_grid->setColumnWidth(2, 90);
    m_grid->setMinimumSize(330, 220);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { m_model->setIndicator(current.isValid() ? current.row() : -1); });

    m_save = new QPushButton(u"Сохранить"_qs, this);
    m_save->setObjectName(u"Button1"_qs);
    m_save->setDefault(true);
    auto* remove = new QPushButton(u"Удалить"_qs, this);
    remove->setObjectName(u"Button2"_qs);
    remove->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, guarded([this] { save(); }));
    connect(remove, &QPushButton::clicked, this, guarded([this] { removeCurrent(); }));
}

NormEditor::~NormEditor() = default;

QTableView* NormEditor::grid() const
{
    return m_grid;
}

qint64 NormEditor::operationId() const
{
    return m_model->operId();
}

QString NormEditor::priceText(const QVariant& price)
{
    if (price.isNull())
        return {};
    // At least two decimals, at most three.
    QString text = Decimal::fromDouble(price.toDouble()).rounded(3).toString(3);
    if (text.endsWith(u'0'))
        text.chop(1);
    return text.replace(u'.', QLocale().decimalPoint());
}

void NormEditor::load(qint64 operId)
{
    m_model->load(operId);
    m_grid->setCurrentIndex(m_model->index(0, 0));
}

void NormEditor::activate()
{
    m_grid->setFocus();
}

void NormEditor::keyPressEvent(QKeyEvent* event)
{
    // "Сохранить" is the cancel button too: Esc saves. The close box alone
    // leaves without re-reading the price list.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_save->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void NormEditor::save()
{
    m_grid->commitOpenEditor();
    m_dm.oper().reopenKeepingRow();
    accept();
}

void NormEditor::removeCurrent()
{
    m_grid->commitOpenEditor();
    const QModelIndex current = m_grid->currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    if (!m_model->removeNorm(row))
        return;
    const int keep = std::min(row, std::max(0, m_model->normCount() - 1));
    m_grid->setCurrentIndex(m_model->index(keep, std::max(0, current.column())));
}

} // namespace tabel
