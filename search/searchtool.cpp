#include "search/searchtool.h"

#include "search/articletext.h"
#include "search/highlights.h"
#include "search/knowledgebase.h"
#include "search/querysplit.h"
#include "search/searchinterval.h"
#include "search/searchrun.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char kUsage[] = "usage: palmora-search [--data DIR] [--phrase] [--interval N] [--show NAME] QUERY";

int usageError(QTextStream &err, const QString &message)
{
    err << "palmora-search: " << message << '\n' << kUsage << '\n';
    err.flush();
    return SearchTool::UsageError;
}

} // namespace

int SearchTool::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption phrase(QStringLiteral("phrase"));
    const QCommandLineOption interval(QStringLiteral("interval"), QString(), QStringLiteral("N"));
    const QCommandLineOption show(QStringLiteral("show"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({data, phrase, interval, show, help});
    parser.addPositionalArgument(QStringLiteral("QUERY"), QString());

    if (!parser.parse(arguments))
        return usageError(err, parser.errorText());
    if (parser.isSet(help)) {
        out << kUsage << '\n';
        out.flush();
        return Found;
    }

    qint64 searchInterval = SearchInterval::kDefault;
    if (parser.isSet(interval)) {
        bool ok = false;
        const QString text = parser.value(interval);
        searchInterval = text.toLongLong(&ok);
        if (!ok || searchInterval < SearchInterval::kMinimum || !text.front().isDigit())
            return usageError(err, QStringLiteral("the interval must be a whole number from 1 up, not \"%1\"").arg(text));
    }

    // A query typed without quotes arrives as several arguments: they are its words.
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(err, QStringLiteral("no query given"));
    const QString query = words.join(u' ');

    const KnowledgeBase base(parser.isSet(data) ? parser.value(data) : KnowledgeBase::defaultFolder());
    if (!base.exists())
        return usageError(err, QStringLiteral("no knowledge base folder \"%1\"").arg(base.folder()));

    const bool wordMode = !parser.isSet(phrase);
    const ItemTable items = wordMode ? QuerySplit::Do_S(query) : QuerySplit::Do_P(query);

    if (parser.isSet(show)) {
        const QString name = parser.value(show);
        const QString path = base.articlePath(name);
        if (name.isEmpty() || !QFileInfo::exists(path))
            return usageError(err, QStringLiteral("no article \"%1\" in \"%2\"").arg(name, base.folder()));
        // Only a plain-text article is shown highlighted; any other opens in the browser.
        if (KnowledgeBase::kindOf(name) != KnowledgeBase::Kind::PlainText || query.isEmpty())
            return NothingFound;
        const auto text = ArticleText::forPlainText(path, ArticleText::Options());
        const Highlights h = Highlights::compute(*text, items, wordMode, searchInterval);
        for (qint64 jump : h.jumps)
            out << "jump " << jump << '\n';
        for (const auto &mark : h.marks)
            out << "mark " << mark.offset << ' ' << mark.length << '\n';
        out.flush();
        return h.found > 0 ? Found : NothingFound;
    }

    // An empty query searches for nothing.
    if (query.isEmpty())
        return NothingFound;
    // Each match is written as soon as it is known, in visiting order.
    const QStringList found = SearchRun::run(base, items, wordMode, searchInterval, [&out](const SearchRun::Step &s) {
        if (s.matched)
            out << s.name << '\n';
        return true;
    });
    out.flush();
    return found.isEmpty() ? NothingFound : Found;
}
