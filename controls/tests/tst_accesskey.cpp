#include "controls/accesskey.h"

#include <QTest>

class TestAccessKey : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyOfCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key"); // empty: none
        QTest::newRow("first ampersand marks S") << "&Save"
                                                 << "s";
        QTest::newRow("a doubled pair alone") << "a&&b"
                                              << "";
        QTest::newRow("three in a row, then x") << "&&&x"
                                                << "x";
        QTest::newRow("after a leading pair, the next single one") << "&&a&b"
                                                                   << "b";
        QTest::newRow("a lone ampersand") << "&"
                                          << "";
        QTest::newRow("ends in its only ampersand") << "ab&"
                                                    << "";
        QTest::newRow("no ampersand") << "Save"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only a pair") << "&&"
                                     << "";
        QTest::newRow("three at the end") << "a&&&"
                                          << "";
        QTest::newRow("two pairs") << "&&&&x"
                                   << "";
        QTest::newRow("later single ones do not count") << "a&b&c"
                                                        << "b";
        QTest::newRow("Cyrillic, lower-cased") << "  &Хватит  "
                                               << "х";
        QTest::newRow("a digit") << "Step &2"
                                 << "2";
    }
    void keyOfCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        const QChar found = AccessKey::of(caption);
        QCOMPARE(found.isNull() ? QString() : QString(found), key);
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("marking ampersand dropped") << "&Save"
                                                   << "Save";
        QTest::newRow("doubled shown once") << "a&&b"
                                            << "a&b";
        QTest::newRow("pair then marker") << "&&&x"
                                          << "&x";
        QTest::newRow("trailing ampersand dropped") << "ab&"
                                                    << "ab";
        QTest::newRow("spaces kept") << "  Обновить"
                                     << "  Обновить";
    }
    void plainText()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QCOMPARE(AccessKey::plainText(caption), text);
    }
};

QTEST_APPLESS_MAIN(TestAccessKey)
#include "tst_accesskey.moc"
