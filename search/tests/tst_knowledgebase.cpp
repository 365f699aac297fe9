#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"
#include "search/articletext.h"
#include "search/highlights.h"
#include "search/knowledgebase.h"
#include "search/querysplit.h"
#include "search/searchengine.h"
#include "search/searchrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

class TestKnowledgeBase : public QObject
{
    Q_OBJECT

    TemporaryInstallation m_install;

    QString data() const { return m_install.program.filePath(QStringLiteral("Data")); }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(QDir(data()).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void freshData()
    {
        // Qt does not see names that are not UTF-8; the standard library does.
        std::filesystem::remove_all(QFile::encodeName(data()).toStdString());
        QVERIFY(QDir().mkpath(data()));
    }

    static QStringList search(const KnowledgeBase &base, const QString &query, bool wordMode = true)
    {
        return SearchRun::run(base, wordMode ? QuerySplit::Do_S(query) : QuerySplit::Do_P(query), wordMode, 100);
    }

private Q_SLOTS:
    void init() { freshData(); }

    void visitsInWindowsOrder()
    {
        for (const char *name : {"б.txt", "Б2.txt", "a.htm", "B.txt", "_x.txt", "Ё.txt", "я.txt", "10.txt", "9.txt"})
            write(QString::fromUtf8(name), "x");
        QStringList names;
        for (const auto &e : KnowledgeBase(data()).entries())
            names.append(e.name);
        // Upper-cased and compared code by code: '_' (0x5F) after Latin capitals,
        // Ё (U+0401) before А, digits by character, not by value.
        QCOMPARE(names, QString::fromUtf8("10.txt 9.txt a.htm B.txt _x.txt Ё.txt б.txt Б2.txt я.txt").split(u' '));
    }

    void countsFilesAndSubFoldersButNotHiddenEntries()
    {
        write(QStringLiteral("один.txt"), "линия");
        write(QStringLiteral("два.txt"), "линия");
        write(QStringLiteral("три.txt"), "линия");
        write(QStringLiteral(".скрытый.txt"), "линия");
        QVERIFY(QDir(data()).mkdir(QStringLiteral("линия.txt")));
        const KnowledgeBase base(data());
        QCOMPARE(base.Kol_Fil(), 4);
        QCOMPARE(search(base, QStringLiteral("линия")),
                 (QStringList{QStringLiteral("два.txt"), QStringLiteral("один.txt"), QStringLiteral("три.txt")}));
        QCOMPARE(base.entries().at(1), (KnowledgeBase::Entry{QStringLiteral("линия.txt"), true}));
    }

    // An archive made on Windows names its files in Windows-1251, not UTF-8.
    void windowsNamesAreListedReadablyAndOpenedByTheirBytes()
    {
        // Such a name cannot go through a QString: the files are made with the C library.
        const auto writeRaw = [this](const QByteArray &name, const QByteArray &bytes) {
            const QByteArray path = QFile::encodeName(data()) + '/' + name;
            FILE *file = std::fopen(path.constData(), "wb");
            QVERIFY(file);
            QCOMPARE(std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file), std::size_t(bytes.size()));
            std::fclose(file);
        };
        writeRaw(TextCodec::toCp1251(u"История хиромантии.txt"), TextCodec::toCp1251(u"линия жизни"));
        writeRaw(TextCodec::toCp1251(u".скрытая.txt"), TextCodec::toCp1251(u"линия жизни"));
        write(QStringLiteral("обычная.txt"), "линия жизни");
        QCOMPARE(::mkdir((QFile::encodeName(data()) + '/' + TextCodec::toCp1251(u"Папка")).constData(), 0700), 0);

        const KnowledgeBase base(data());
        QCOMPARE(base.entries(),
                 (QList<KnowledgeBase::Entry>{
                     {QStringLiteral("История хиромантии.txt"), false, TextCodec::toCp1251(u"История хиромантии.txt")},
                     {QStringLiteral("обычная.txt"), false, QByteArray()},
                     {QStringLiteral("Папка"), true, TextCodec::toCp1251(u"Папка")}}));
        QCOMPARE(search(base, QStringLiteral("линия жизни")),
                 (QStringList{QStringLiteral("История хиромантии.txt"), QStringLiteral("обычная.txt")}));
        QFile article(base.articlePath(QStringLiteral("История хиромантии.txt")));
        QVERIFY(article.open(QIODevice::ReadOnly));
        QCOMPARE(article.readAll(), TextCodec::toCp1251(u"линия жизни"));
        QVERIFY(base.articlePath(QStringLiteral("История хиромантии.txt"))
                    .endsWith(QStringLiteral("/История хиромантии.txt")));
    }

    void aMissingFolderHasNoEntries()
    {
        const KnowledgeBase base(m_install.program.filePath(QStringLiteral("нет")));
        QVERIFY(!base.exists());
        QCOMPARE(base.Kol_Fil(), 0);
        QVERIFY(search(base, QStringLiteral("линия")).isEmpty());
    }

    // The folder is listed straight from the directory; what it lists is
    // what QDir lists for files and folders without hidden and system entries.
    void listsWhatQDirLists_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("file") << QStringLiteral("file");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("hidden file") << QStringLiteral("hidden file");
        QTest::newRow("hidden folder") << QStringLiteral("hidden folder");
        QTest::newRow("link to a file") << QStringLiteral("link to a file");
        QTest::newRow("link to a folder") << QStringLiteral("link to a folder");
        QTest::newRow("dangling link") << QStringLiteral("dangling link");
        QTest::newRow("pipe") << QStringLiteral("pipe");
        QTest::newRow("link to a pipe") << QStringLiteral("link to a pipe");
        QTest::newRow("link outside") << QStringLiteral("link outside");
    }
    void listsWhatQDirLists()
    {
        QFETCH(QString, kind);
        write(QStringLiteral("статья.txt"), "линия");
        const QDir dir(data());
        const QString outside = m_install.program.filePath(QStringLiteral("outside.txt"));
        {
            QFile f(outside);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("линия");
        }
        const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("труба")));
        if (kind == QStringLiteral("file"))
            write(QStringLiteral("Б.txt"), "линия");
        else if (kind == QStringLiteral("folder"))
            QVERIFY(dir.mkdir(QStringLiteral("папка")));
        else if (kind == QStringLiteral("hidden file"))
            write(QStringLiteral(".скрытый.txt"), "линия");
        else if (kind == QStringLiteral("hidden folder"))
            QVERIFY(dir.mkdir(QStringLiteral(".папка")));
        else if (kind == QStringLiteral("link to a file"))
            QVERIFY(QFile::link(QStringLiteral("статья.txt"), dir.filePath(QStringLiteral("ссылка.txt"))));
        else if (kind == QStringLiteral("link to a folder"))
            QVERIFY(QFile::link(m_install.program.path(), dir.filePath(QStringLiteral("ссылка"))));
        else if (kind == QStringLiteral("dangling link"))
            QVERIFY(QFile::link(QStringLiteral("нет.txt"), dir.filePath(QStringLiteral("ссылка.txt"))));
        else if (kind == QStringLiteral("pipe"))
            QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        else if (kind == QStringLiteral("link to a pipe"))
            QVERIFY(::mkfifo(pipe.constData(), 0600) == 0
                    && QFile::link(QStringLiteral("труба"), dir.filePath(QStringLiteral("ссылка"))));
        else if (kind == QStringLiteral("link outside"))
            QVERIFY(QFile::link(outside, dir.filePath(QStringLiteral("ссылка.txt"))));

        QList<KnowledgeBase::Entry> expected;
        for (const QFileInfo &info : dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted))
            expected.append(KnowledgeBase::Entry{info.fileName(), info.isDir()});
        std::sort(expected.begin(), expected.end(),
                  [](const auto &a, const auto &b) { return KnowledgeBase::visitsBefore(a.name, b.name); });
        const KnowledgeBase base(data());
        QCOMPARE(base.entries(), expected);
        QCOMPARE(base.Kol_Fil(), int(expected.size()));
        // Whatever is listed is searched without blocking; a pipe is no article.
        QStringList matches;
        for (const auto &e : expected) {
            if (!e.isFolder && QFileInfo(dir.filePath(e.name)).isFile())
                matches.append(e.name);
        }
        QCOMPARE(search(base, QStringLiteral("линия")), matches);
    }

    void theDefaultIsTheInstallationsDataFolder()
    {
        QCOMPARE(QDir(KnowledgeBase::defaultFolder(m_install.installation())), QDir(data()));
    }

    void kindComesFromTheLastFourCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("txt") << QStringLiteral("Линия.txt") << true;
        QTest::newRow("TXT") << QStringLiteral("Словарь.TXT") << true;
        QTest::newRow("htm") << QStringLiteral("карта.htm") << false;
        QTest::newRow("rtf") << QStringLiteral("история.rtf") << false;
        QTest::newRow("no extension") << QStringLiteral("txt") << false;
        QTest::newRow("only the extension") << QStringLiteral(".txt") << true;
    }
    void kindComesFromTheLastFourCharacters()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(KnowledgeBase::kindOf(name) == KnowledgeBase::Kind::PlainText, plain);
    }

    void readsEachEncodingAndRtfByItsText()
    {
        write(QStringLiteral("cp1251.txt"), TextCodec::toCp1251(u"Линия ЖИЗНИ"));
        write(QStringLiteral("utf8.txt"), QStringLiteral("Линия жизни").toUtf8());
        write(QStringLiteral("page.htm"), "<b>palm</b>");
        write(QStringLiteral("история.rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b palm reading\\b0\\par}");
        const KnowledgeBase base(data());
        QCOMPARE(search(base, QStringLiteral("линия жизни")),
                 (QStringList{QStringLiteral("cp1251.txt"), QStringLiteral("utf8.txt")}));
        // A web page is searched with its tags; an RTF file without its markup.
        QCOMPARE(search(base, QStringLiteral("<b>palm")), QStringList{QStringLiteral("page.htm")});
        QCOMPARE(search(base, QStringLiteral("palm reading")), QStringList{QStringLiteral("история.rtf")});
        QCOMPARE(search(base, QStringLiteral("fonttbl"), false), QStringList());
    }

    void unreadableAndBinaryFilesAreSafe()
    {
        const QByteArray binary = QByteArray("\0\0\xFF\xFE", 4) + TextCodec::toCp1251(u"линия") + QByteArray(1, '\0');
        write(QStringLiteral("binary.bin"), binary.repeated(1000));
        write(QStringLiteral("locked.txt"), "линия");
        const QString locked = QDir(data()).filePath(QStringLiteral("locked.txt"));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
        QStringList expected{QStringLiteral("binary.bin")};
        if (QFile(locked).open(QIODevice::ReadOnly)) // root reads it all the same
            expected.append(QStringLiteral("locked.txt"));
        QCOMPARE(search(KnowledgeBase(data()), QStringLiteral("линия")), expected);
    }

    void aVanishedFileGivesAnEmptyText()
    {
        const auto text = ArticleText::forSearch(QDir(data()).filePath(QStringLiteral("нет.txt")));
        QVERIFY(!SearchEngine::phraseTest(*text, PhraseQuery(QuerySplit::Do_P(QStringLiteral("а")))));
        // A large file deleted between opening and reading: each later read finds nothing.
        write(QStringLiteral("big.txt"), QByteArray("palm line ").repeated(100));
        ArticleText::Options chunked;
        chunked.wholeReadLimit = 10;
        chunked.chunkBytes = 16;
        const auto big = ArticleText::forSearch(QDir(data()).filePath(QStringLiteral("big.txt")), chunked);
        QVERIFY(QFile::remove(QDir(data()).filePath(QStringLiteral("big.txt"))));
        QVERIFY(!SearchEngine::phraseTest(*big, PhraseQuery(QuerySplit::Do_P(QStringLiteral("palm")))));
    }

    void largeRtfReadInChunksFindsTheSame()
    {
        // Everything the reader treats specially, with \bin data and \uN
        // surrogates, repeated well past the chunk and whole-read sizes.
        const QByteArray paragraph =
            "\\pard\\qj \\'cb\\'e8\\'ed\\'e8\\'ff \\'f3\\'ec\\'e0 {\\b \\'c5\\'e6} palm \\u1046?\\u-10179?\\u-8694?"
            "{\\*\\comment \\'eb\\'e8\\'ed\\'e8\\'ff}\\bin12 {}\\'eb\\par}{line\\tab \\u1105? \\'f3\\'ec!\\par\r\n";
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\uc1 ";
        while (rtf.size() < 200000)
            rtf += paragraph;
        write(QStringLiteral("big.rtf"), rtf + "}");
        write(QStringLiteral("cut.rtf"), rtf.left(rtf.size() - 37));
        ArticleText::Options whole;
        whole.wholeReadLimit = qint64(1) << 30;
        for (const QString &name : {QStringLiteral("big.rtf"), QStringLiteral("cut.rtf")}) {
            const QString path = QDir(data()).filePath(name);
            const auto reference = ArticleText::forSearch(path, whole);
            for (qint64 chunk : {1, 2, 5, 64, 4096, 1 << 20}) {
                ArticleText::Options chunked;
                chunked.wholeReadLimit = 100;
                chunked.chunkBytes = chunk;
                const auto text = ArticleText::forSearch(path, chunked);
                for (const QString &query : {QStringLiteral("линия ум"), QStringLiteral("Ё УМ"), QStringLiteral("palm"),
                                             QStringLiteral("ж\U0001F60A"), QStringLiteral("line ё ум")}) {
                    for (bool wordMode : {true, false}) {
                        const ItemTable items = wordMode ? QuerySplit::Do_S(query) : QuerySplit::Do_P(query);
                        const Highlights expected = Highlights::compute(*reference, items, wordMode, 40);
                        const Highlights got = Highlights::compute(*text, items, wordMode, 40);
                        QVERIFY2(!wordMode || expected.found > 0, qPrintable(query));
                        QCOMPARE(got.found, expected.found);
                        QCOMPARE(got.jumps, expected.jumps);
                        QCOMPARE(got.marks, expected.marks);
                    }
                }
            }
        }
        // A cancelled search reads nothing of a large article.
        std::atomic_bool cancel{true};
        ArticleText::Options chunked;
        chunked.wholeReadLimit = 100;
        const auto cancelled =
            ArticleText::forSearch(QDir(data()).filePath(QStringLiteral("big.rtf")), chunked, &cancel);
        QVERIFY(!SearchEngine::phraseTest(*cancelled, PhraseQuery(QuerySplit::Do_P(QStringLiteral("palm")))));
    }

    void progressCountsEveryEntryAndCanStop()
    {
        write(QStringLiteral("a.txt"), "линия");
        write(QStringLiteral("b.txt"), "линия");
        QVERIFY(QDir(data()).mkdir(QStringLiteral("c")));
        const KnowledgeBase base(data());
        QList<int> steps;
        SearchRun::run(base, QuerySplit::Do_S(QStringLiteral("линия")), true, 100, [&](const SearchRun::Step &s) {
            steps.append(s.k);
            return true;
        });
        QCOMPARE(steps, (QList<int>{1, 2, 3}));
        const QStringList first = SearchRun::run(base, QuerySplit::Do_S(QStringLiteral("линия")), true, 100,
                                                 [](const SearchRun::Step &) { return false; });
        QCOMPARE(first, QStringList{QStringLiteral("a.txt")});
        std::atomic_bool cancel{true};
        QVERIFY(SearchRun::run(base, QuerySplit::Do_S(QStringLiteral("линия")), true, 100, {}, &cancel).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKnowledgeBase)
#include "tst_knowledgebase.moc"
