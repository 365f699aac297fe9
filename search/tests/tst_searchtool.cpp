#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/testsupport/unwritablefolder.h"
#include "platform/textcodec.h"
#include "search/articletextdump.h"
#include "search/knowledgebase.h"
#include "search/searchinterval.h"
#include "search/searchtool.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

class TestSearchTool : public QObject
{
    Q_OBJECT

    TemporaryInstallation m_install;

    QString data() const { return m_install.program.filePath(QStringLiteral("Data")); }

    void write(const QString &name, const QString &text)
    {
        QFile f(QDir(data()).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TextCodec::toCp1251(text));
    }

    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };

    Result run(QStringList args, const QLocale &locale = QLocale::c())
    {
        Result r;
        QTextStream out(&r.out);
        QTextStream err(&r.err);
        args.prepend(QStringLiteral("palmora-search"));
        r.status = SearchTool::run(args, m_install.installation(), out, err, locale);
        return r;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(data()));
        write(QStringLiteral("Линия жизни.txt"), QStringLiteral("Линия жизни длинная.\r\nЛиния ум ясный."));
        write(QStringLiteral("Линия ума.txt"), QStringLiteral("линия ум, ясный"));
        write(QStringLiteral("Жизнь.txt"), QStringLiteral("Жизнь и жизнь"));
        write(QStringLiteral("page.htm"), QStringLiteral("<p>линия жизни</p>"));
        QVERIFY(QDir(data()).mkdir(QStringLiteral("папка")));
    }

    void listsMatchesInVisitingOrder_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("word mode") << QStringList{QStringLiteral("линия жизни")} << 0
                                   << QStringLiteral("page.htm\nЛиния жизни.txt\n");
        QTest::newRow("words as separate arguments") << QStringList{QStringLiteral("линия"), QStringLiteral("жизни")}
                                                     << 0 << QStringLiteral("page.htm\nЛиния жизни.txt\n");
        QTest::newRow("whole word") << QStringList{QStringLiteral("линия ум!")} << 0
                                    << QStringLiteral("Линия жизни.txt\n");
        QTest::newRow("phrase mode") << QStringList{QStringLiteral("--phrase"), QStringLiteral("жизнь, УМ")} << 0
                                     << QStringLiteral("Жизнь.txt\nЛиния жизни.txt\nЛиния ума.txt\n");
        QTest::newRow("interval") << QStringList{QStringLiteral("--interval"), QStringLiteral("5"),
                                                 QStringLiteral("линия жизни")}
                                  << 1 << QString();
        QTest::newRow("interval just wide enough")
            << QStringList{QStringLiteral("--interval=7"), QStringLiteral("линия жизни")} << 0
            << QStringLiteral("page.htm\nЛиния жизни.txt\n");
        QTest::newRow("nothing") << QStringList{QStringLiteral("хиромантия")} << 1 << QString();
        QTest::newRow("empty query") << QStringList{QString()} << 1 << QString();
        QTest::newRow("commas only") << QStringList{QStringLiteral("--phrase"), QStringLiteral(",,,")} << 1
                                     << QString();
        QTest::newRow("unclosed quote") << QStringList{QStringLiteral("--phrase"), QStringLiteral("\"жизн")} << 0
                                        << QStringLiteral("page.htm\nЖизнь.txt\nЛиния жизни.txt\n");
    }
    void listsMatchesInVisitingOrder()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Result r = run(args);
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, status);
        QVERIFY(r.err.isEmpty());
    }

    // Without --interval the tool searches with the window's default interval.
    void withoutAnIntervalTheDefaultHolds_data()
    {
        QTest::addColumn<qint64>("gap"); // from the first word's start to the second's
        QTest::addColumn<int>("status");
        QTest::newRow("well within") << SearchInterval::kDefault / 2 << 0;
        QTest::newRow("well beyond") << SearchInterval::kDefault * 2 << 1;
    }
    void withoutAnIntervalTheDefaultHolds()
    {
        QFETCH(qint64, gap);
        QFETCH(int, status);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("a.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TextCodec::toCp1251(QStringLiteral("линия ") + QString(gap - 7, u'x') + QStringLiteral(" жизни")));
        f.close();
        QCOMPARE(run({QStringLiteral("--data"), dir.path(), QStringLiteral("линия жизни")}).status, status);
    }

    void showsTheViewsHighlights_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("phrases") << QStringList{QStringLiteral("--phrase"), QStringLiteral("--show"),
                                                QStringLiteral("Жизнь.txt"), QStringLiteral("жизн")}
                                 << 0 << QStringLiteral("jump 0\njump 8\nmark 0 4\nmark 8 4\n");
        // CR LF counts two characters; both anchors reach the same «ум».
        QTest::newRow("words") << QStringList{QStringLiteral("--show"), QStringLiteral("Линия жизни.txt"),
                                              QStringLiteral("линия ум!")}
                               << 0 << QStringLiteral("jump 0\njump 22\nmark 0 5\nmark 27 3\nmark 22 5\nmark 27 3\n");
        QTest::newRow("nothing found") << QStringList{QStringLiteral("--show"), QStringLiteral("Линия ума.txt"),
                                                      QStringLiteral("линия ум!")}
                                       << 1 << QString();
        QTest::newRow("web page is not highlighted")
            << QStringList{QStringLiteral("--show"), QStringLiteral("page.htm"), QStringLiteral("линия")} << 1
            << QString();
    }
    void showsTheViewsHighlights()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Result r = run(args);
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, status);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast"), QStringLiteral("ум")}
                                        << QStringLiteral("fast");
        QTest::newRow("interval zero") << QStringList{QStringLiteral("--interval"), QStringLiteral("0"),
                                                      QStringLiteral("ум")}
                                       << QStringLiteral("interval");
        QTest::newRow("interval negative")
            << QStringList{QStringLiteral("--interval=-5"), QStringLiteral("ум")} << QStringLiteral("interval");
        QTest::newRow("interval not whole")
            << QStringList{QStringLiteral("--interval"), QStringLiteral("1.5"), QStringLiteral("ум")}
            << QStringLiteral("interval");
        QTest::newRow("interval missing")
            << QStringList{QStringLiteral("ум"), QStringLiteral("--interval")} << QStringLiteral("interval");
        QTest::newRow("no query") << QStringList{QStringLiteral("--phrase")} << QStringLiteral("query");
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Result r = run(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QStringLiteral("palmora-search: ")) && lines[0].contains(message),
                 qPrintable(r.err));
        QVERIFY(lines[1].startsWith(QStringLiteral("usage: ")));
    }

    // What is wrong with the files says why, without the usage line.
    void filesThatCannotBeReadSayWhy_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString missing = m_install.program.filePath(QStringLiteral("нет"));
        const QString file = QDir(data()).filePath(QStringLiteral("Жизнь.txt"));
        QTest::newRow("missing folder")
            << QStringList{QStringLiteral("--data"), missing, QStringLiteral("ум")}
            << QStringLiteral("\"%1\": %2").arg(missing, QString::fromLocal8Bit(std::strerror(ENOENT)));
        QTest::newRow("a file as the folder")
            << QStringList{QStringLiteral("--data"), file, QStringLiteral("ум")}
            << QStringLiteral("\"%1\": %2").arg(file, QString::fromLocal8Bit(std::strerror(ENOTDIR)));
        QTest::newRow("missing article") << QStringList{QStringLiteral("--show"), QStringLiteral("нет.txt"),
                                                        QStringLiteral("ум")}
                                         << QStringLiteral("нет.txt");
    }
    void filesThatCannotBeReadSayWhy()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Result r = run(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.startsWith(QStringLiteral("palmora-search: ")) && r.err.contains(message), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("usage")), qPrintable(r.err));
        QCOMPARE(r.err.count(u'\n'), 1);
    }

    void anArticleThatCannotBeReadIsNamedAndTheSearchGoesOn()
    {
        QTemporaryDir dir;
        for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("palm lines");
        }
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("b.txt")), QFileDevice::Permissions()));
        // Also for root, who passes over permission bits otherwise.
        const UnwritableFolder guard(dir.path());
        QVERIFY(guard.isEffective());
        const Result r = run({QStringLiteral("--data"), dir.path(), QStringLiteral("palm")});
        // What was found is listed, and the status says that an article was left unread.
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QStringLiteral("a.txt\nc.txt\n"));
        QCOMPARE(r.err,
                 QStringLiteral("palmora-search: cannot read \"b.txt\": %1\n")
                     .arg(QString::fromLocal8Bit(std::strerror(EACCES))));
    }

    void printsTheTextAsTheSearchReadsIt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("windows-1251") << QByteArray("\xcb\xe8\xed\xe8\xff \xe6\xe8\xe7\xed\xe8\r\n")
                                      << QStringLiteral("Линия жизни\r\n");
        QTest::newRow("utf-8") << QByteArray("Линия жизни") << QStringLiteral("Линия жизни");
        QTest::newRow("utf-8 with its mark") << QByteArray("\xef\xbb\xbf\xef\xbb\xbfok") << QStringLiteral("\uFEFFok");
        QTest::newRow("web page with its markup")
            << QByteArray("<p>линия <b>жизни</b></p>") << QStringLiteral("<p>линия <b>жизни</b></p>");
        QTest::newRow("rtf by its displayed text")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                          "\\'d3\\'e2\\'e0\\'e6\\'e0\\'e5\\'ec\\'fb\\'e9 \\'ea\\'eb\\'e8\\'e5\\'ed\\'f2!\\par "
                          "{\\*\\bkmkstart x}\\u-10179?\\u-8704?}")
            << QStringLiteral("Уважаемый клиент!\r\n") + QString::fromUcs4(U"\U0001F600");
        QTest::newRow("utf-16 little-endian")
            << QByteArray("\xff\xfe\x1b\x04\x38\x04\x3d\x04\x38\x04\x4f\x04\r\0\n\0", 16)
            << QStringLiteral("Линия\r\n");
        QTest::newRow("utf-16 big-endian") << QByteArray("\xfe\xff\x04\x36\0!", 6) << QStringLiteral("ж!");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void printsTheTextAsTheSearchReadsIt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("статья"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const Result r = run({QStringLiteral("--text"), path});
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        QCOMPARE(r.out, text);
        // Read a few bytes at a time, whatever the cuts, the same text.
        for (qint64 chunk : {1, 2, 3, 5, 17}) {
            QString pieces;
            QCOMPARE(ArticleTextDump::read(
                         path,
                         [&](QStringView piece) {
                             pieces += piece;
                             return true;
                         },
                         chunk),
                     0);
            QCOMPARE(pieces, text);
        }
    }

    void utf8CutShortAtTheEndShowsAReplacement()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xef\xbb\xbf" + QByteArray(40, 'x') + "\xd0\xb6\xd0");
        f.close();
        for (qint64 chunk : {16, 17, 18, 1 << 20}) {
            QString text;
            QCOMPARE(ArticleTextDump::read(
                         path,
                         [&](QStringView piece) {
                             text += piece;
                             return true;
                         },
                         chunk),
                     0);
            QCOMPARE(text, QString(40, u'x') + QStringLiteral("ж\uFFFD"));
        }
    }

    void textOfWhatCannotBeRead_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString missing = m_install.program.filePath(QStringLiteral("нет.rtf"));
        QTest::newRow("missing file") << QStringList{QStringLiteral("--text"), missing}
                                      << QStringLiteral("palmora-search: cannot read \"%1\": %2\n")
                                             .arg(missing, QString::fromLocal8Bit(std::strerror(ENOENT)));
        QTest::newRow("a folder") << QStringList{QStringLiteral("--text"), data()}
                                  << QStringLiteral("palmora-search: cannot read \"%1\": %2\n")
                                         .arg(data(), QString::fromLocal8Bit(std::strerror(EISDIR)));
    }
    void textOfWhatCannotBeRead()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Result r = run(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err, message);
    }

    void textTakesNoQuery()
    {
        const Result r =
            run({QStringLiteral("--text"), QDir(data()).filePath(QStringLiteral("Жизнь.txt")), QStringLiteral("ум")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.startsWith(QStringLiteral("palmora-search: --text takes no query\nusage: ")), qPrintable(r.err));
    }

    // Whatever keeps an article from being read, it is named with the reason,
    // what was found is listed, and the status is 2.
    void everyUnreadableKindIsNamed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("pipe") << QStringLiteral("pipe") << QStringLiteral("not a regular file");
        QTest::newRow("dangling link") << QStringLiteral("link") << QString::fromLocal8Bit(std::strerror(ENOENT));
    }
    void everyUnreadableKindIsNamed()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        for (const char *name : {"a.txt", "c.txt"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("palm lines");
        }
        const QByteArray b = QFile::encodeName(dir.filePath(QStringLiteral("b.txt")));
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(b.constData(), 0644), 0);
        else
            QCOMPARE(::symlink("nowhere.txt", b.constData()), 0);
        const Result r = run({QStringLiteral("--data"), dir.path(), QStringLiteral("palm")});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QStringLiteral("a.txt\nc.txt\n"));
        QCOMPARE(r.err, QStringLiteral("palmora-search: cannot read \"b.txt\": %1\n").arg(reason));
    }

    // A UTF-16 article is searched and shown as the same text in UTF-8 is.
    void utf16ArticlesReadLikeUtf8_data()
    {
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<bool>("bigEndian");
        QTest::newRow("little-endian") << QByteArray("\xFF\xFE") << false;
        QTest::newRow("big-endian") << QByteArray("\xFE\xFF") << true;
    }
    void utf16ArticlesReadLikeUtf8()
    {
        QFETCH(QByteArray, mark);
        QFETCH(bool, bigEndian);
        const QString text = QStringLiteral("Линия жизни длинная.\r\nЛиния ум ясный.");
        QByteArray utf16 = mark;
        for (QChar c : text) {
            const char low = char(c.unicode() & 0xFF);
            const char high = char(c.unicode() >> 8);
            utf16 += bigEndian ? high : low;
            utf16 += bigEndian ? low : high;
        }
        QTemporaryDir dir;
        for (const auto &[name, bytes] : {std::pair{"utf16.txt", utf16}, std::pair{"utf8.txt", text.toUtf8()}}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        const Result found = run({QStringLiteral("--data"), dir.path(), QStringLiteral("линия ум!")});
        QCOMPARE(found.status, 0);
        QCOMPARE(found.out, QStringLiteral("utf16.txt\nutf8.txt\n"));
        QVERIFY(found.err.isEmpty());
        const QStringList show{QStringLiteral("--data"), dir.path(), QStringLiteral("--show")};
        const Result shown16 = run(show + QStringList{QStringLiteral("utf16.txt"), QStringLiteral("линия ум!")});
        const Result shown8 = run(show + QStringList{QStringLiteral("utf8.txt"), QStringLiteral("линия ум!")});
        QCOMPARE(shown16.status, 0);
        QCOMPARE(shown16.out, shown8.out);
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("help") << QStringLiteral("--help") << QLocale::c()
                              << QStringList{QStringLiteral("--interval N"),
                                             QStringLiteral("default %1").arg(SearchInterval::kDefault),
                                             QStringLiteral("--data DIR"),
                                             data(),
                                             QStringLiteral("--phrase"),
                                             QStringLiteral("--show NAME"),
                                             QStringLiteral("--text FILE"),
                                             QStringLiteral("--version"),
                                             QStringLiteral("0 something was found, 1 nothing was found, 2 an error")};
        QTest::newRow("help in Russian") << QStringLiteral("-h") << QLocale(QLocale::Russian, QLocale::Russia)
                                         << QStringList{QStringLiteral("по умолчанию %1").arg(SearchInterval::kDefault),
                                                        QStringLiteral("--text ФАЙЛ"),
                                                        QStringLiteral("Код выхода: 0 — найдено")};
        QTest::newRow("version") << QStringLiteral("--version") << QLocale::c()
                                 << QStringList{QStringLiteral("palmora-search 2.")};
    }
    void helpAndVersion()
    {
        QFETCH(QString, option);
        QFETCH(QLocale, locale);
        QFETCH(QStringList, says);
        const Result r = run({option}, locale);
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.isEmpty());
        for (const QString &text : says)
            QVERIFY2(r.out.contains(text), qPrintable(text + QStringLiteral(" in:\n") + r.out));
    }

    void messagesFollowTheLocale()
    {
        const Result r =
            run({QStringLiteral("--interval=0"), QStringLiteral("ум")}, QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.startsWith(QStringLiteral("palmora-search: интервал должен быть целым числом от 1")),
                 qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("\nиспользование: palmora-search")), qPrintable(r.err));
    }

    // Output that cannot be written is an error, said once, never a success.
    void writeErrorsEndWithStatusTwo_data()
    {
        QTest::addColumn<QString>("target"); // "device": a device that refuses every byte; else a file
        QTest::addColumn<QStringList>("args");
        const QStringList search{QStringLiteral("--phrase"), QStringLiteral("жизн")};
        const QStringList show{QStringLiteral("--phrase"), QStringLiteral("--show"), QStringLiteral("Жизнь.txt"),
                               QStringLiteral("жизн")};
        const QStringList help{QStringLiteral("--help")};
        for (const QString &target : {QStringLiteral("device"), QStringLiteral("/dev/full")}) {
            QTest::addRow("search into %s", qPrintable(target)) << target << search;
            QTest::addRow("show into %s", qPrintable(target)) << target << show;
            QTest::addRow("help into %s", qPrintable(target)) << target << help;
        }
    }
    void writeErrorsEndWithStatusTwo()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, args);
        QBuffer sink;
        QVERIFY(sink.open(QIODevice::WriteOnly));
        FailDevice refusing(sink, 0);
        QFile full(target);
        QIODevice *device = &refusing;
        if (target != QLatin1String("device")) {
            QVERIFY(full.open(QIODevice::WriteOnly));
            device = &full;
        }
        QString errors;
        QTextStream out(device);
        QTextStream err(&errors);
        args.prepend(QStringLiteral("palmora-search"));
        QCOMPARE(SearchTool::run(args, m_install.installation(), out, err, QLocale::c()), 2);
        QVERIFY2(errors.startsWith(QStringLiteral("palmora-search: write error: ")), qPrintable(errors));
        QCOMPARE(errors.count(u'\n'), 1);
    }

    // The program's own output: a full device, a closed standard output, and a
    // reader that stops reading while SIGPIPE is ignored (the search then ends
    // at the next write, quietly: the reader has what it wanted).
    void theProgramReportsWriteErrors_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("stdoutText");
        QTest::addColumn<bool>("saysWhy");
        QTest::newRow("/dev/full") << QStringLiteral("\"$0\" --data \"$1\" palm >/dev/full") << QString() << true;
        QTest::newRow("closed output") << QStringLiteral("\"$0\" --data \"$1\" palm >&-") << QString() << true;
        QTest::newRow("an article's text to /dev/full")
            << QStringLiteral("\"$0\" --text \"$1\"/a0000*.txt >/dev/full") << QString() << true;
        QTest::newRow("closed pipe, SIGPIPE ignored")
            << QStringLiteral("trap '' PIPE; \"$0\" --data \"$1\" palm | head -n 1; exit ${PIPESTATUS[0]}")
            << QStringLiteral("a0000%1.txt\n").arg(QString(100, u'x')) << false;
    }
    void theProgramReportsWriteErrors()
    {
        QFETCH(QString, script);
        QFETCH(QString, stdoutText);
        QFETCH(bool, saysWhy);
        // Enough matches for output well beyond any buffer.
        QTemporaryDir dir;
        for (int i = 0; i < 1000; ++i) {
            QFile f(dir.filePath(QStringLiteral("a%1%2.txt").arg(i, 4, 10, QLatin1Char('0')).arg(QString(100, u'x'))));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("palm lines");
        }
        QProcess shell;
        shell.start(QStringLiteral("bash"),
                    {QStringLiteral("-c"), script, QStringLiteral(PALMORA_SEARCH_TOOL), dir.path()});
        QVERIFY(shell.waitForFinished(60000));
        const QString errors = QString::fromUtf8(shell.readAllStandardError());
        QCOMPARE(shell.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()), stdoutText);
        if (saysWhy) {
            QVERIFY2(errors.startsWith(QStringLiteral("palmora-search: write error: ")), qPrintable(errors));
            QCOMPARE(errors.count(u'\n'), 1);
        } else {
            QVERIFY2(errors.isEmpty(), qPrintable(errors));
        }
    }

    // Qt's parser words its errors in English; a Russian user reads them in Russian.
    void optionErrorsFollowTheLocale_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast"), QStringLiteral("ум")}
                                        << QStringLiteral("неизвестный параметр --fast")
                                        << QStringLiteral("unknown option --fast");
        QTest::newRow("unknown short option")
            << QStringList{QStringLiteral("-x"), QStringLiteral("ум")} << QStringLiteral("неизвестный параметр -x")
            << QStringLiteral("unknown option -x");
        QTest::newRow("missing value") << QStringList{QStringLiteral("ум"), QStringLiteral("--data")}
                                       << QStringLiteral("не задано значение после --data")
                                       << QStringLiteral("missing value after --data");
        QTest::newRow("value of a flag") << QStringList{QStringLiteral("--phrase=1"), QStringLiteral("ум")}
                                         << QStringLiteral("лишнее значение после --phrase")
                                         << QStringLiteral("unexpected value after --phrase");
    }
    void optionErrorsFollowTheLocale()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, russian);
        QFETCH(QString, english);
        const Result ru = run(args, QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(ru.status, 2);
        QCOMPARE(ru.err.section(u'\n', 0, 0), QStringLiteral("palmora-search: ") + russian);
        QVERIFY2(ru.err.contains(QStringLiteral("\nиспользование: ")), qPrintable(ru.err));
        const Result en = run(args);
        QCOMPARE(en.err.section(u'\n', 0, 0), QStringLiteral("palmora-search: ") + english);
    }

    void theProgramPrintsUtf8()
    {
        QProcess tool;
        tool.start(QStringLiteral(PALMORA_SEARCH_TOOL),
                   {QStringLiteral("--data"), data(), QStringLiteral("--phrase"), QStringLiteral("жизн")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput(), QStringLiteral("page.htm\nЖизнь.txt\nЛиния жизни.txt\n").toUtf8());
        tool.start(QStringLiteral(PALMORA_SEARCH_TOOL),
                   {QStringLiteral("--data"), data(), QStringLiteral("хиромантия")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 1);
        tool.start(QStringLiteral(PALMORA_SEARCH_TOOL),
                   {QStringLiteral("--text"), QDir(data()).filePath(QStringLiteral("Линия ума.txt"))});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput(), QStringLiteral("линия ум, ясный").toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestSearchTool)
#include "tst_searchtool.moc"
