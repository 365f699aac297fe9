#include "platform/widgets/hiddenlistrows.h"

#include <QEvent>
#include <QListView>

void HiddenListRows::attach(QListView *list)
{
    new HiddenListRows(list);
}

HiddenListRows::HiddenListRows(QListView *list)
    : QObject(list)
    , m_list(list)
{
    list->installEventFilter(this);
    // Entries added while the list is hidden stay hidden with it.
    connect(list->model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (m_list->isHidden())
            setRowsHidden(first, last, true);
    });
    if (list->isHidden())
        setRowsHidden(0, list->model()->rowCount() - 1, true);
}

bool HiddenListRows::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list) {
        if (event->type() == QEvent::HideToParent)
            setRowsHidden(0, m_list->model()->rowCount() - 1, true);
        else if (event->type() == QEvent::ShowToParent)
            setRowsHidden(0, m_list->model()->rowCount() - 1, false);
    }
    return QObject::eventFilter(watched, event);
}

void HiddenListRows::setRowsHidden(int first, int last, bool hidden)
{
    for (int row = first; row <= last; ++row)
        m_list->setRowHidden(row, hidden);
}
