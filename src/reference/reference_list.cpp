#include "reference/reference_list.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tabel {

ReferenceList::ReferenceList(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"DBGrid1"_qs);
    m_search = new SearchBox(this);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(6, 6, 6, 6);
    m_layout->addWidget(m_grid, 1);
    m_bar = new QHBoxLayout;
    m_layout->addLayout(m_bar);
}

QPushButton* ReferenceList::addButton(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    m_bar->addWidget(b);
    return b;
}

void ReferenceList::addStretch()
{
    m_bar->addStretch(1);
}

void ReferenceList::addSearchToBar(int stretch)
{
    m_bar->addWidget(m_search, stretch);
}

QPushButton* ReferenceList::button(const QString& name) const
{
    return findChild<QPushButton*>(name);
}

void ReferenceList::activate()
{
    if (m_search->isVisibleTo(this))
        m_search->setFocus();
}

void ReferenceList::setChooseButton(QPushButton* button, bool choosing)
{
    button->setText(choosing ? u"Выбрать"_qs : u"Изменить"_qs);
    button->setDefault(choosing);
}

std::optional<Choice> ReferenceList::runChooser()
{
    m_choice.reset();
    // Whoever is in front opened the chooser and becomes active again after it.
    QWidget* opener = QApplication::activeModalWidget();
    showModal(this, opener ? opener : parentWidget());
    return std::exchange(m_choice, std::nullopt);
}

void ReferenceList::choose(const Choice& choice)
{
    m_choice = choice;
    accept();
}

std::optional<qint64> ReferenceList::currentId(const QString& field) const
{
    ResultSet* rs = m_grid->resultSet();
    if (!rs || rs->isEmpty())
        return std::nullopt;
    return rs->value(field).toLongLong();
}

void ReferenceList::rereadKeepingRow(ResultSet& rs, int rowNumber)
{
    rs.reopen();
    if (rowNumber > 0 && rowNumber <= rs.rowCount())
        rs.goToRow(rowNumber);
}

} // namespace tabel
