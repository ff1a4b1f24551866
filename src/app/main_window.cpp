#include "app/main_window.h"

#include "widgets/guard.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tabel {

MainWindow::MainWindow(ShiftRegister& reg, QWidget* parent) : QDialog(parent)
{
    setObjectName(u"Form1"_qs);
    setWindowTitle(u"Табель"_qs);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(QFont(u"Tahoma"_qs, 8));

    auto* bar = new QMenuBar(this);
    bar->setObjectName(u"MainMenu1"_qs);
    QMenu* reference = addMenu(bar, u"N2"_qs, u"Справочники"_qs);
    addItem(reference, u"N1"_qs, u"Рабочие"_qs);
    addItem(reference, u"N3"_qs, u"Изделия"_qs);
    addItem(reference, u"N4"_qs, u"Цены"_qs);
    addItem(reference, u"N6"_qs, u"Операции"_qs);
    addItem(reference, u"N8"_qs, u"Ном. группы"_qs);
    QMenu* tabel = addMenu(bar, u"N11"_qs, u"Табель"_qs);
    addItem(tabel, u"N9"_qs, u"Табель сделка"_qs);
    addItem(tabel, u"N13"_qs, u"Табель по сменам"_qs);
    QMenu* maintenance = tabel->addMenu(u"Табель хоз. работ"_qs);
    maintenance->setObjectName(u"N14"_qs);
    addItem(maintenance, u"N20"_qs, u"По людям"_qs);
    addItem(maintenance, u"N22"_qs, u"По номенклатуре"_qs);
    QMenu* average = tabel->addMenu(u"Табель ср. сдельная"_qs);
    average->setObjectName(u"N15"_qs);
    addItem(average, u"N18"_qs, u"По людям"_qs);
    addItem(average, u"N19"_qs, u"По номенклатуре"_qs);
    addItem(tabel, u"N17"_qs, u"Общий табель"_qs);
    addItem(tabel, u"N23"_qs, u"Общий табель ЗП"_qs);
    QMenu* reports = addMenu(bar, u"N7"_qs, u"Отчеты"_qs);
    addItem(reports, u"N10"_qs, u"Сводные отчеты"_qs);
    QAction* exit = bar->addAction(u"Выход"_qs);
    exit->setObjectName(u"N5"_qs);
    connect(exit, &QAction::triggered, this, &QDialog::reject);

    m_panel = new RegisterPanel(reg, this);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(u"Panel1"_qs);
    bottom->setFixedHeight(41);
    auto* b = new QHBoxLayout(bottom);
    b->setContentsMargins(8, 6, 8, 6);
    b->addWidget(addButton(u"Button1"_qs, u"Добавить"_qs));
    b->addWidget(addButton(u"Button2"_qs, u"Изменить"_qs));
    b->addWidget(addButton(u"Button3"_qs, u"Удалить"_qs));
    b->addSpacing(40);
    b->addWidget(addButton(u"Button6"_qs, u"Покраска"_qs));
    b->addWidget(addButton(u"Button7"_qs, u"Бригада"_qs));
    b->addStretch(1);
    b->addWidget(addButton(u"Button8"_qs, u"Обновить"_qs));
    b->addSpacing(40);
    QPushButton* maintenanceButton = addButton(u"Button5"_qs, u"Ср.сд./хоз. работы"_qs);
    maintenanceButton->setMinimumWidth(130);
    b->addWidget(maintenanceButton);
    b->addSpacing(40);
    b->addWidget(addButton(u"Button4"_qs, u"Выход"_qs));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    layout->addWidget(m_panel, 1);
    layout->addWidget(bottom);
    setFixedSize(1291, 564 + bar->sizeHint().height());

    // "Копия" opens the position dialog in copy mode; only a right click
    // on "Добавить" offers it.
    auto* popup = new QMenu(this);
    popup->setObjectName(u"PopupMenu1"_qs);
    addItem(popup, u"N21"_qs, u"Копия"_qs);
    QPushButton* add = button(u"Button1"_qs);
    add->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(add, &QWidget::customContextMenuRequested, this,
            [popup, add](const QPoint& at) { popup->popup(add->mapToGlobal(at)); });

    connect(button(u"Button8"_qs), &QPushButton::clicked, this, guarded([this] { m_panel->refresh(); }));
    // Esc and the close box end the modal showing like "Выход".
    connect(button(u"Button4"_qs), &QPushButton::clicked, this, &QDialog::reject);

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_qs);
    m_timer->setInterval(30000);
}

QMenu* MainWindow::addMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QAction* MainWindow::addItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QPushButton* MainWindow::addButton(const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false); // Enter in the grid or the date must not press a button
    b->setMinimumWidth(90);
    return b;
}

void MainWindow::activate()
{
    m_panel->activate();
}

QAction* MainWindow::menuItem(const QString& name) const
{
    for (QAction* a : findChildren<QAction*>(name)) {
        if (a->objectName() == name)
            return a;
    }
    if (auto* m = findChild<QMenu*>(name))
        return m->menuAction();
    return nullptr;
}

QPushButton* MainWindow::button(const QString& name) const
{
    return findChild<QPushButton*>(name);
}

void MainWindow::setControlEnabled(const QString& name, bool enabled)
{
    if (auto* m = findChild<QMenu*>(name)) {
        m->menuAction()->setEnabled(enabled);
        return;
    }
    if (auto* w = findChild<QWidget*>(name)) {
        w->setEnabled(enabled);
        return;
    }
    if (QAction* a = menuItem(name))
        a->setEnabled(enabled);
}

bool MainWindow::isControlEnabled(const QString& name) const
{
    if (auto* m = findChild<QMenu*>(name))
        return m->menuAction()->isEnabled();
    if (auto* w = findChild<QWidget*>(name))
        return w->isEnabled();
    if (QAction* a = menuItem(name))
        return a->isEnabled();
    return false;
}

} // namespace tabel
