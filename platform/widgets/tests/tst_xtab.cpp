#include "platform/widgets/xtab.h"

#include <QLabel>
#include <QTest>

class TestXTab : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsOnlyTheActiveTabsControls()
    {
        XTab tab(3);
        tab.resize(400, 300);
        auto *first = new QLabel(QStringLiteral("a"), tab.page(0));
        auto *second = new QLabel(QStringLiteral("b"), tab.page(1));
        auto *hiddenOnItsOwn = new QLabel(QStringLiteral("c"), tab.page(1));
        hiddenOnItsOwn->hide();
        tab.show();
        tab.setCurrentTab(1);
        QVERIFY(!first->isVisible());
        QVERIFY(second->isVisible());
        QVERIFY(!hiddenOnItsOwn->isVisible());
        tab.setCurrentTab(0);
        QVERIFY(first->isVisible());
        QVERIFY(!second->isVisible());
        QCOMPARE(tab.currentTab(), 0);
    }

    void captionsByIndex()
    {
        XTab tab(2);
        tab.setTabCaption(1, QStringLiteral("Новости"));
        QCOMPARE(tab.tabCaption(1), QStringLiteral("Новости"));
    }
};

QTEST_MAIN(TestXTab)
#include "tst_xtab.moc"
