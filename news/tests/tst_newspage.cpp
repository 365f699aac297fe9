#include "news/newspage.h"
#include "news/tests/fuzzchecks.h"
#include "platform/textcodec.h"

#include <QTest>

class TestNewsPage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("contentType");
        QTest::addColumn<QString>("expected");

        const QString news = QStringLiteral("[news]\r\nВстреча клуба");
        QTest::newRow("charset windows-1251")
            << TextCodec::toCp1251(news) << QStringLiteral("text/plain; charset=windows-1251") << news;
        QTest::newRow("charset utf-8") << news.toUtf8() << QStringLiteral("text/plain; charset=utf-8") << news;
        QTest::newRow("charset koi8-r, quoted")
            << QByteArray("[news]\r\n\xf7\xd3\xd4\xd2\xc5\xde\xc1 \xcb\xcc\xd5\xc2\xc1")
            << QStringLiteral("text/plain; Charset=\"KOI8-R\"") << news;
        // The server's word wins over what the bytes look like.
        QTest::newRow("utf-8 bytes named windows-1251")
            << QByteArray("[news] \xd0\x9f") << QStringLiteral("text/plain; charset=windows-1251")
            << QStringLiteral("[news] Рџ");
        QTest::newRow("no charset, Windows-1251") << TextCodec::toCp1251(news) << QStringLiteral("text/plain") << news;
        QTest::newRow("no charset, UTF-8") << news.toUtf8() << QStringLiteral("text/plain") << news;
        QTest::newRow("unknown charset") << news.toUtf8() << QStringLiteral("text/plain; charset=x-no-such") << news;
        QTest::newRow("no content type at all") << news.toUtf8() << QString() << news;
        QTest::newRow("LF and CR line breaks") << QByteArray("[news]\na\rb\r\nc\n") << QStringLiteral("text/plain")
                                               << QStringLiteral("[news]\r\na\r\nb\r\nc\r\n");
        QTest::newRow("html page counts by its visible text")
            << QStringLiteral(
                   "<html><head><title>Клуб</title></head><body><p>[news]</p><p><b>Встреча</b> клуба</p></body></html>")
                   .toUtf8()
            << QStringLiteral("text/html; charset=utf-8") << news;
        QTest::newRow("html page without content type")
            << QByteArray("<!DOCTYPE html><html><body><p>[news]</p><p>x &amp; y</p></body></html>") << QString()
            << QStringLiteral("[news]\r\nx & y");
        QTest::newRow("markup in a plain-text page stays as it is")
            << QByteArray("[news]<b>x</b>") << QStringLiteral("text/plain") << QStringLiteral("[news]<b>x</b>");
        // Neither may reach the message box or the files.
        QTest::newRow("NUL bytes are left out")
            << QByteArray("[news]\0a\0", 9) << QStringLiteral("text/plain") << QStringLiteral("[news]a");
        QTest::newRow("half a surrogate pair reads as the replacement character")
            << QByteArray("[\0n\0e\0w\0s\0]\0\x00\xd8"
                          "a\0",
                          16)
            << QStringLiteral("text/plain; charset=utf-16le") << QStringLiteral("[news]\uFFFDa");
    }
    void text()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, contentType);
        QFETCH(QString, expected);
        QCOMPARE(NewsPage::text(body, contentType), expected);
    }

    void marker_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hasMarker");
        QTest::addColumn<QString>("message");
        QTest::newRow("lower case") << QStringLiteral("[news]\r\nТекст") << true << QStringLiteral("\r\nТекст");
        QTest::newRow("capitals") << QStringLiteral("[NEWS]\r\nТекст") << true << QStringLiteral("\r\nТекст");
        QTest::newRow("mixed case") << QStringLiteral("[NeWs]Текст") << true << QStringLiteral("Текст");
        QTest::newRow("marker alone") << QStringLiteral("[news]") << true << QString();
        QTest::newRow("marker later in the text") << QStringLiteral("Новости [news]") << false << QString();
        QTest::newRow("leading space") << QStringLiteral(" [news]") << false << QString();
        QTest::newRow("other bracket word") << QStringLiteral("[newz] x") << false << QString();
        QTest::newRow("empty") << QString() << false << QString();
    }
    void marker()
    {
        QFETCH(QString, text);
        QFETCH(bool, hasMarker);
        QFETCH(QString, message);
        QCOMPARE(NewsPage::hasMarker(text), hasMarker);
        if (hasMarker)
            QCOMPARE(NewsPage::message(text), message);
    }

    // The fuzz target's seed corpus, through the same check.
    void fuzzSeedsPass()
    {
        QCOMPARE(FuzzChecks::failingSeeds(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/newspage"), FuzzChecks::newsPage),
                 QStringList());
    }
};

QTEST_MAIN(TestNewsPage)
#include "tst_newspage.moc"
