#include "search/searchtool.h"

#include "platform/release.h"
#include "platform/speaker.h"
#include "search/articlereader.h"
#include "search/articletext.h"
#include "search/articletextdump.h"
#include "search/highlights.h"
#include "search/knowledgebase.h"
#include "search/querysplit.h"
#include "search/searchinterval.h"
#include "search/searchrun.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString usage(const Speaker &say)
{
    return say("usage: palmora-search [--data DIR] [--phrase] [--interval N] [--show NAME] QUERY",
               "использование: palmora-search [--data ПАПКА] [--phrase] [--interval N] [--show ИМЯ] ЗАПРОС");
}

QString help(const Speaker &say, const QString &defaultData)
{
    return usage(say) + u'\n'
        + say("Searches the Palmora knowledge base and lists the matching articles, one per line, in the\n"
              "order the program visits them.\n"
              "\n"
              "  QUERY          in word mode, the words that must all start within the interval after\n"
              "                 an occurrence of the first; a word ending in \"!\" is a whole word\n"
              "  --phrase       phrase mode: QUERY is comma-separated phrases, one of which must occur\n"
              "  --interval N   the search interval in characters, from 1 up (default %1)\n"
              "  --data DIR     the knowledge-base folder (default: the Data folder beside the program,\n"
              "                 %2)\n"
              "  --show NAME    instead of searching, print where the article NAME is highlighted:\n"
              "                 \"jump OFFSET\" per found place, \"mark OFFSET LENGTH\" per marked word\n"
              "  --text FILE    instead of searching, print the text of the article FILE in UTF-8 exactly\n"
              "                 as the search reads it: a web page with its markup, an RTF file by the\n"
              "                 text it displays\n"
              "  -h, --help     print this help\n"
              "  --version      print the version\n"
              "\n"
              "Exit status: 0 something was found, 1 nothing was found, 2 an error (a wrong option, or a\n"
              "folder or article that cannot be read). Articles that cannot be read are named on the\n"
              "error output and the search goes on.\n",
              "Ищет в базе знаний Пальморы и выводит подходящие статьи по одной в строке, в том порядке,\n"
              "в котором программа их просматривает.\n"
              "\n"
              "  ЗАПРОС         в режиме слов: слова, каждое из которых должно начинаться в пределах\n"
              "                 интервала после вхождения первого; слово с «!» на конце ищется целиком\n"
              "  --phrase       режим фраз: ЗАПРОС — фразы через запятую, одна из них должна встретиться\n"
              "  --interval N   интервал поиска в символах, от 1 (по умолчанию %1)\n"
              "  --data ПАПКА   папка базы знаний (по умолчанию папка Data рядом с программой,\n"
              "                 %2)\n"
              "  --show ИМЯ     вместо поиска вывести, где выделена статья ИМЯ: «jump СМЕЩЕНИЕ» на каждое\n"
              "                 найденное место, «mark СМЕЩЕНИЕ ДЛИНА» на каждое выделенное слово\n"
              "  --text ФАЙЛ    вместо поиска вывести текст статьи ФАЙЛ в UTF-8 ровно так, как его читает\n"
              "                 поиск: веб-страницу с её разметкой, файл RTF — отображаемым текстом\n"
              "  -h, --help     вывести эту справку\n"
              "  --version      вывести версию\n"
              "\n"
              "Код выхода: 0 — найдено, 1 — ничего не найдено, 2 — ошибка (неверный параметр, папка или\n"
              "статья, которую нельзя прочитать). Статьи, которые нельзя прочитать, называются в потоке\n"
              "ошибок, и поиск продолжается.\n")
              .arg(SearchInterval::kDefault)
              .arg(defaultData);
}

int usageError(QTextStream &err, const Speaker &say, const QString &message)
{
    err << "palmora-search: " << message << '\n' << usage(say) << '\n';
    err.flush();
    return SearchTool::Error;
}

int failure(QTextStream &err, const QString &message)
{
    err << "palmora-search: " << message << '\n';
    err.flush();
    return SearchTool::Error;
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Qt's parser words its errors in English: under a Russian locale they are
// said again in Russian.
QString parserError(const QCommandLineParser &parser, const Speaker &say)
{
    const QString english = parser.errorText();
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        QStringList quoted;
        for (const QString &name : unknown)
            quoted << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        return say("unknown option %1", "неизвестный параметр %1").arg(quoted.join(QStringLiteral(", ")));
    }
    static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
    static const QRegularExpression unexpected(QStringLiteral("^Unexpected value after '(.*)'\\.$"));
    if (const auto m = missing.match(english); m.hasMatch())
        return say("missing value after %1", "не задано значение после %1").arg(m.captured(1));
    if (const auto m = unexpected.match(english); m.hasMatch())
        return say("unexpected value after %1", "лишнее значение после %1").arg(m.captured(1));
    return english;
}

// Whether what was written reached its destination; says why not, once.
bool flushed(QTextStream &out, QTextStream &err, const Speaker &say, bool *reported)
{
    if (out.status() == QTextStream::Ok)
        out.flush();
    const int error = errno;
    if (out.status() == QTextStream::Ok)
        return true;
    if (!*reported) {
        *reported = true;
        // A reader that went away (| head) needs no message: it has what it wanted.
        if (error != EPIPE) {
            QString why = out.device() ? out.device()->errorString() : QString();
            if (why.isEmpty() || why == QLatin1String("Unknown error"))
                why = reason(error ? error : EIO);
            err << "palmora-search: " << say("write error: %1", "ошибка записи: %1").arg(why) << '\n';
            err.flush();
        }
    }
    return false;
}

// Output goes out at least this often while a search runs, so that a reader
// sees the first matches at once and a closed pipe stops the search.
constexpr qint64 kFlushEveryMs = 10;

} // namespace

int SearchTool::run(const QStringList &arguments, const Installation &installation, QTextStream &out, QTextStream &err,
                    const QLocale &locale)
{
    const Speaker say(locale);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption phrase(QStringLiteral("phrase"));
    const QCommandLineOption interval(QStringLiteral("interval"), QString(), QStringLiteral("N"));
    const QCommandLineOption show(QStringLiteral("show"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption text(QStringLiteral("text"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({data, phrase, interval, show, text, helpOption, version});
    parser.addPositionalArgument(QStringLiteral("QUERY"), QString());

    if (!parser.parse(arguments))
        return usageError(err, say, parserError(parser, say));
    bool writeErrorSaid = false;
    if (parser.isSet(helpOption)) {
        out << help(say, KnowledgeBase::defaultFolder(installation));
        return flushed(out, err, say, &writeErrorSaid) ? Found : Error;
    }
    if (parser.isSet(version)) {
        out << "palmora-search " << PALMORA_VERSION << '\n';
        return flushed(out, err, say, &writeErrorSaid) ? Found : Error;
    }

    if (parser.isSet(text)) {
        if (!parser.positionalArguments().isEmpty())
            return usageError(err, say, say("--text takes no query", "с --text запрос не задаётся"));
        const QString path = parser.value(text);
        // A write that fails ends the reading, as it ends a search.
        const int error = ArticleTextDump::read(path, [&](QStringView piece) {
            out << piece;
            return out.status() == QTextStream::Ok;
        });
        if (!flushed(out, err, say, &writeErrorSaid))
            return Error;
        if (error != 0)
            return failure(err,
                           say("cannot read \"%1\": %2", "не удаётся прочитать «%1»: %2").arg(path, reason(error)));
        return Found;
    }

    qint64 searchInterval = SearchInterval::kDefault;
    if (parser.isSet(interval)) {
        bool ok = false;
        const QString text = parser.value(interval);
        searchInterval = text.toLongLong(&ok);
        if (!ok || searchInterval < SearchInterval::kMinimum || !text.front().isDigit())
            return usageError(err, say,
                              say("the interval must be a whole number from %1 up, not \"%2\"",
                                  "интервал должен быть целым числом от %1, а не «%2»")
                                  .arg(SearchInterval::kMinimum)
                                  .arg(text));
    }

    // A query typed without quotes arrives as several arguments: they are its words.
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(err, say, say("no query given", "не задан запрос"));
    const QString query = words.join(u' ');

    const KnowledgeBase base(parser.isSet(data) ? parser.value(data) : KnowledgeBase::defaultFolder(installation));
    const int folder = base.openFolder();
    if (folder < 0)
        return failure(
            err,
            say("cannot read the knowledge base folder \"%1\": %2", "не удаётся прочитать папку базы знаний «%1»: %2")
                .arg(base.folder(), reason(errno)));
    ::close(folder);

    const bool wordMode = !parser.isSet(phrase);
    const ItemTable items = wordMode ? QuerySplit::Do_S(query) : QuerySplit::Do_P(query);

    if (parser.isSet(show)) {
        const QString name = parser.value(show);
        const QString path = base.articlePath(name);
        if (name.isEmpty() || !QFileInfo::exists(path))
            return failure(err, say("no article \"%1\" in \"%2\"", "нет статьи «%1» в «%2»").arg(name, base.folder()));
        // Only a plain-text article is shown highlighted; any other opens in the browser.
        if (KnowledgeBase::kindOf(name) != KnowledgeBase::Kind::PlainText || query.isEmpty())
            return NothingFound;
        const auto text = ArticleText::forPlainText(path, ArticleText::Options());
        const Highlights h = Highlights::compute(*text, items, wordMode, searchInterval);
        for (qint64 jump : h.jumps)
            out << "jump " << jump << '\n';
        for (const auto &mark : h.marks)
            out << "mark " << mark.offset << ' ' << mark.length << '\n';
        if (!flushed(out, err, say, &writeErrorSaid))
            return Error;
        return h.found > 0 ? Found : NothingFound;
    }

    // An empty query searches for nothing.
    if (query.isEmpty())
        return NothingFound;
    // Each match is written as soon as it is known, in visiting order; a
    // write that fails ends the search.
    bool unreadable = false;
    QElapsedTimer sinceFlush;
    const QStringList found = SearchRun::run(base, items, wordMode, searchInterval, [&](const SearchRun::Step &s) {
        if (s.error != 0) {
            unreadable = true;
            err << "palmora-search: "
                << say("cannot read \"%1\": %2", "не удаётся прочитать «%1»: %2")
                       .arg(s.name,
                            s.error == ArticleReader::kNotAFile ? say("not a regular file", "это не обычный файл")
                                                                : reason(s.error))
                << '\n';
            err.flush();
        }
        if (s.matched) {
            out << s.name << '\n';
            if (!sinceFlush.isValid() || sinceFlush.elapsed() >= kFlushEveryMs) {
                sinceFlush.start();
                return flushed(out, err, say, &writeErrorSaid);
            }
            return out.status() == QTextStream::Ok;
        }
        return true;
    });
    if (!flushed(out, err, say, &writeErrorSaid))
        return Error;
    // What was found is listed, but an article left unread may hold more.
    if (unreadable)
        return Error;
    return found.isEmpty() ? NothingFound : Found;
}
