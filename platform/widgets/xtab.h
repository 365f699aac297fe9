#pragma once

#include <QWidget>

class QTabBar;

// The tab strip: captions by index, the active tab, and the controls of the
// active tab shown alone. Controls of tab i are children of page(i) and are
// placed relative to the whole strip, header included, as the window's layout
// gives them. A control hidden on its own stays hidden when its tab is shown.
class XTab : public QWidget
{
    Q_OBJECT
public:
    explicit XTab(int tabCount, QWidget *parent = nullptr);

    int tabCount() const;
    void setTabCaption(int index, const QString &caption);
    QString tabCaption(int index) const;

    int currentTab() const;
    void setCurrentTab(int index);

    QWidget *page(int index) const;
    QTabBar *tabBar() const { return m_bar; }

Q_SIGNALS:
    void currentTabChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showPage(int index);

    QTabBar *m_bar;
    QList<QWidget *> m_pages;
};
