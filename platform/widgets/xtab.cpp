#include "platform/widgets/xtab.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

XTab::XTab(int tabCount, QWidget *parent)
    : QWidget(parent)
    , m_bar(new QTabBar(this))
{
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    for (int i = 0; i < tabCount; ++i) {
        m_bar->addTab(QString());
        auto *page = new QWidget(this);
        page->setObjectName(QStringLiteral("page%1").arg(i));
        page->hide();
        m_pages << page;
    }
    m_bar->raise();
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        showPage(index);
        Q_EMIT currentTabChanged(index);
    });
    showPage(m_bar->currentIndex());
}

int XTab::tabCount() const
{
    return m_pages.size();
}

void XTab::setTabCaption(int index, const QString &caption)
{
    m_bar->setTabText(index, caption);
    m_bar->adjustSize();
    m_bar->move(0, 0);
}

QString XTab::tabCaption(int index) const
{
    return m_bar->tabText(index);
}

int XTab::currentTab() const
{
    return m_bar->currentIndex();
}

void XTab::setCurrentTab(int index)
{
    if (index < 0 || index >= m_pages.size())
        return;
    m_bar->setCurrentIndex(index);
    showPage(index);
}

QWidget *XTab::page(int index) const
{
    return m_pages.value(index);
}

void XTab::showPage(int index)
{
    for (int i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(i == index);
    m_bar->raise();
}

void XTab::resizeEvent(QResizeEvent *)
{
    for (QWidget *page : std::as_const(m_pages))
        page->setGeometry(rect());
    m_bar->move(0, 0);
}

void XTab::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = rect().adjusted(0, m_bar->sizeHint().height() - 1, 0, 0);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = m_bar->sizeHint();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}
