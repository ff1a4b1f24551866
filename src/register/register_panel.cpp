#include "register/register_panel.h"

#include "widgets/guard.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tabel {
namespace {

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);

bool isWeekend(const QDate& d)
{
    return d.dayOfWeek() >= 6;
}

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

QList<ColumnSpec> RegisterPanel::columns()
{
    return {
        {u"fio"_qs, u"Фамилия И.О."_qs, 250},
        {u"marka"_qs, u"Марка изделия"_qs, 260},
        {u"vid"_qs, u"Операция"_qs, 155},
        {u"nmn"_qs, u"Вид"_qs, 157},
        {u"color"_qs, u"Цвет"_qs, -1, Qt::AlignHCenter},
        {u"time"_qs, u"Часы"_qs},
        {u"kol_vo"_qs, u"Кол-во"_qs, 57},
        {u"brak"_qs, u"Брак"_qs, 49},
        {u"summa"_qs, u"Итого (р.)"_qs, 78, Qt::AlignLeft, false, 2},
        {u"prize"_qs, u"Премия (%)"_qs, -1, Qt::AlignLeft, true},
        {u"ok"_qs, u"OK"_qs, 37, Qt::AlignHCenter},
        {u"vvod"_qs, u"Заведен"_qs, 72, Qt::AlignHCenter},
    };
}

RegisterPanel::RegisterPanel(ShiftRegister& reg, QWidget* parent) : QWidget(parent), m_reg(reg)
{
    auto* top = new QWidget(this);
    top->setObjectName(u"Panel5"_qs);
    top->setFixedHeight(41);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(8, 4, 8, 4);
    const QString captions[4] = {u"Смена №1"_qs, u"Смена №2"_qs, u"Смена №3"_qs, u"Переработка"_qs};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(captions[i], top);
        b->setObjectName(u"RadioButton%1"_qs.arg(i + 1));
        topLayout->addWidget(b);
        connect(b, &QRadioButton::clicked, this, guarded([this, i, b] {
                    if (b->isChecked())
                        chooseShift(i + 1);
                }));
        m_shiftButtons[i] = b;
    }
    topLayout->addSpacing(24);
    m_dayOff = new QCheckBox(u"Выходной"_qs, top);
    m_dayOff->setObjectName(u"CBox1"_qs);
    m_dayOff->setFixedWidth(100); // the bold caption must not push the date aside
    connect(m_dayOff, &QCheckBox::toggled, this, &RegisterPanel::styleDayOff);
    topLayout->addWidget(m_dayOff);
    topLayout->addSpacing(24);
    m_date = new QDateEdit(QDate::currentDate(), top);
    m_date->setObjectName(u"DateT"_qs);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(u"dd.MM.yyyy"_qs);
    m_date->setMinimumWidth(110);
    m_date->installEventFilter(this);
    // The date is taken when the calendar closes or on Enter, not while the
    // operator is still typing it.
    m_calendarPopup = m_date->calendarWidget()->window();
    m_calendarPopup->installEventFilter(this);
    topLayout->addWidget(m_date);
    topLayout->addStretch(1);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(u"DBGrid2"_qs);
    m_grid->setStyler([](const ResultSet& rs, int row, const QString& field, CellStyle& style) {
        if (field != u"ok")
            return;
        style.bold = true;
        style.foreground = ShiftRegister::isAccepted(rs.value(row, u"ok"_qs)) ? kGreen : kRed;
    });
    connect(m_grid, &QTableView::doubleClicked, this, guarded([this] { toggleOk(); }));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(m_grid, 1);

    m_shiftButtons[0]->setChecked(true);
    chooseShift(1);
    m_reg.setCurSmena(0); // no shift until the login sets one
}

QDate RegisterPanel::workDate() const
{
    return m_date->date();
}

bool RegisterPanel::dayOff() const
{
    return m_dayOff->isChecked();
}

void RegisterPanel::activate()
{
    const QDate today = QDate::currentDate();
    m_date->setDate(today);
    if (isWeekend(today))
        setDayOff(true);
    m_reg.load(today);
}

void RegisterPanel::refresh()
{
    WaitCursor wait;
    m_reg.refresh();
}

void RegisterPanel::chooseShift(int shift)
{
    m_grid->setSource(&m_reg.query(shift), columns());
    for (int i = 0; i < 4; ++i) {
        QRadioButton* b = m_shiftButtons[i];
        const bool chosen = i + 1 == shift;
        b->setStyleSheet(chosen ? u"QRadioButton { background-color: #008000; color: white; }"_qs : QString());
        QFont f = b->font();
        f.setBold(chosen);
        b->setFont(f);
    }
    m_reg.setCurSmena(shift);
}

void RegisterPanel::dateChosen()
{
    {
        WaitCursor wait;
        m_reg.load(m_date->date());
    }
    setDayOff(isWeekend(m_date->date()));
    m_grid->setFocus();
}

void RegisterPanel::setDayOff(bool on)
{
    m_dayOff->setChecked(on);
    styleDayOff(on);
}

void RegisterPanel::styleDayOff(bool on)
{
    m_dayOff->setStyleSheet(on ? u"QCheckBox { background-color: #FF0000; }"_qs : QString());
    QFont f = m_dayOff->font();
    f.setBold(on);
    m_dayOff->setFont(f);
}

void RegisterPanel::toggleOk()
{
    m_reg.toggleOk(m_role);
}

bool RegisterPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_date && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded([this] { dateChosen(); });
            return true; // Enter here must not press the window's default button
        }
    } else if (watched == m_calendarPopup && event->type() == QEvent::Hide) {
        runGuarded([this] { dateChosen(); });
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tabel
