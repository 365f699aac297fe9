#pragma once

#include <QObject>

class QListView;

// While a list is hidden its rows are hidden too. Qt reports the entries of a
// hidden list as showing to assistive technology (they keep their place
// within the list); a hidden row reports neither showing nor focused. The
// rows come back, with their selection, when the list does.
class HiddenListRows : public QObject
{
    Q_OBJECT
public:
    // Lives as long as the list.
    static void attach(QListView *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit HiddenListRows(QListView *list);
    void setRowsHidden(int first, int last, bool hidden);

    QListView *m_list;
};
