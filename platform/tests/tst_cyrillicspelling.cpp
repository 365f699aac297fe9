#include "platform/cyrillicspelling.h"

#include <QTest>

// What a screen reader is handed: Russian words in Cyrillic letters only.
class TestCyrillicSpelling : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void spokenSpellsMixedWordsInCyrillic_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        // The save button's hint, typed with a Latin "o".
        QTest::newRow("latin o inside a Russian word")
            << QStringLiteral("С\u006Fхранить картинку") << QStringLiteral("Сохранить картинку");
        QTest::newRow("capital latin letters") << QStringLiteral("\u0041\u0042ВГ") << QStringLiteral("АВВГ");
        QTest::newRow("a Latin word stays Latin")
            << QStringLiteral("Папка Data и файл run.ini") << QStringLiteral("Папка Data и файл run.ini");
        QTest::newRow("a Latin letter without a twin stays")
            << QStringLiteral("пр\u0069вет") << QStringLiteral("пр\u0069вет");
        QTest::newRow("only the mixed word changes") << QStringLiteral("сo F4 o") << QStringLiteral("со F4 o");
        QTest::newRow("already Cyrillic") << QStringLiteral("Поиск по словам") << QStringLiteral("Поиск по словам");
    }
    void spokenSpellsMixedWordsInCyrillic()
    {
        QFETCH(QString, text);
        QFETCH(QString, spoken);
        QCOMPARE(CyrillicSpelling::spoken(text), spoken);
    }

    void firstMixedWordFindsTheWordThatReadsWrongly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::newRow("mixed") << QStringLiteral("Нажмите С\u006Fхранить") << QStringLiteral("С\u006Fхранить");
        QTest::newRow("none") << QStringLiteral("Клавиша F4 переключает") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void firstMixedWordFindsTheWordThatReadsWrongly()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QCOMPARE(CyrillicSpelling::firstMixedWord(text), word);
    }
};

QTEST_GUILESS_MAIN(TestCyrillicSpelling)
#include "tst_cyrillicspelling.moc"
