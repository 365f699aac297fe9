#include "questionnaire/anketatool.h"

#include "platform/release.h"
#include "platform/speaker.h"
#include "questionnaire/questionblocks.h"
#include "questionnaire/xlsworkbookreader.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString usage(const Speaker &say)
{
    return say("usage: palmora-anketa [--cells] FILE.xls", "использование: palmora-anketa [--cells] ФАЙЛ.xls");
}

QString help(const Speaker &say)
{
    return usage(say) + u'\n'
        + say("Reads a questionnaire workbook as Palmora's questionnaire window does and prints its topic:\n"
              "each question with its row, then its answers, each with the result text it adds. What the\n"
              "window passes over is named on the error output: rows with neither a question and an answer\n"
              "nor an answer to a question, answers beyond the 1001 a question takes, a missing end marker\n"
              "\"quit\" and rows after it.\n"
              "\n"
              "  FILE.xls       the workbook (Excel 97-2003, Excel 5/95 or an Excel 2-4 worksheet); the\n"
              "                 sheet read is the one shown when the workbook opens\n"
              "  --cells        instead, print the first three columns of that sheet as the questionnaire\n"
              "                 reads them, one row a line, cells separated by tabs; a tab, a line break\n"
              "                 and a backslash inside a cell are written as \\t, \\n and \\\\\n"
              "  -h, --help     print this help\n"
              "  --version      print the version\n"
              "\n"
              "Exit status: 0 the workbook was read, 2 an error (a wrong option, or a workbook that cannot\n"
              "be read, with the reason on the error output).\n",
              "Читает книгу анкеты по правилам окна анкеты Пальморы и выводит её тему: каждый вопрос с\n"
              "номером строки, затем его ответы, каждый с текстом результата, который он добавляет. То, что\n"
              "окно пропускает, называется в потоке ошибок: строки без вопроса с ответом и без ответа на\n"
              "вопрос, ответы сверх 1001, которые вмещает вопрос, отсутствие признака конца «quit» и\n"
              "строки после него.\n"
              "\n"
              "  ФАЙЛ.xls       книга (Excel 97-2003, Excel 5/95 или лист Excel 2-4); читается лист,\n"
              "                 который виден при открытии книги\n"
              "  --cells        вместо этого вывести первые три столбца этого листа так, как их читает\n"
              "                 анкета: строка листа в строке вывода, ячейки через табуляцию; табуляция,\n"
              "                 перевод строки и обратная косая черта в ячейке пишутся как \\t, \\n и \\\\\n"
              "  -h, --help     вывести эту справку\n"
              "  --version      вывести версию\n"
              "\n"
              "Код выхода: 0 — книга прочитана, 2 — ошибка (неверный параметр или книга, которую нельзя\n"
              "прочитать; причина — в потоке ошибок).\n");
}

int usageError(QTextStream &err, const Speaker &say, const QString &message)
{
    err << "palmora-anketa: " << message << '\n' << usage(say) << '\n';
    err.flush();
    return AnketaTool::Error;
}

void warn(QTextStream &err, const QString &message)
{
    err << "palmora-anketa: " << message << '\n';
}

// What a passed-over row holds, for the author to find it.
QString rowText(const WorkbookReader &reader, int row)
{
    QStringList cells;
    for (int column = 1; column <= XlsWorkbookReader::columnsRead; ++column) {
        const QString cell = reader.cell(row, column);
        if (!cell.isEmpty())
            cells << AnketaTool::escaped(cell);
    }
    return cells.join(QStringLiteral(" | "));
}

void passedOver(QTextStream &err, const Speaker &say, const WorkbookReader &reader, const QList<int> &rows,
                const char *english, const char *russian)
{
    for (const int row : rows)
        warn(err, say(english, russian).arg(row).arg(rowText(reader, row)));
}

} // namespace

QString AnketaTool::escaped(const QString &cell)
{
    QString text;
    text.reserve(cell.size());
    for (const QChar c : cell) {
        switch (c.unicode()) {
        case u'\\':
            text += QStringLiteral("\\\\");
            break;
        case u'\t':
            text += QStringLiteral("\\t");
            break;
        case u'\n':
            text += QStringLiteral("\\n");
            break;
        case u'\r':
            text += QStringLiteral("\\r");
            break;
        default:
            text += c;
        }
    }
    return text;
}

int AnketaTool::run(const QStringList &arguments, QTextStream &out, QTextStream &err, const QLocale &locale)
{
    const Speaker say(locale);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption cells(QStringLiteral("cells"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({cells, helpOption, version});
    parser.addPositionalArgument(QStringLiteral("FILE"), QString());

    if (!parser.parse(arguments))
        return usageError(err, say, parser.errorText());
    if (parser.isSet(helpOption)) {
        out << help(say);
        out.flush();
        return Read;
    }
    if (parser.isSet(version)) {
        out << "palmora-anketa " << PALMORA_VERSION << '\n';
        out.flush();
        return Read;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(err, say, say("no workbook given", "не задана книга"));
    if (files.size() > 1)
        return usageError(err, say, say("one workbook at a time", "книга читается по одной"));

    const QString path = files.front();
    XlsWorkbookReader reader;
    QString reason;
    if (!reader.open(path, &reason)) {
        err << "palmora-anketa: " << say("cannot read \"%1\": %2", "не удаётся прочитать «%1»: %2").arg(path, reason)
            << '\n';
        err.flush();
        return Error;
    }

    if (parser.isSet(cells)) {
        for (int row = 1; row <= reader.rowCount(); ++row) {
            for (int column = 1; column <= XlsWorkbookReader::columnsRead; ++column) {
                if (column > 1)
                    out << '\t';
                out << escaped(reader.cell(row, column));
            }
            out << '\n';
        }
        out.flush();
        return Read;
    }

    // The topic's name, as the topic list shows it.
    const QString name = QFileInfo(path).fileName();
    out << say("Topic \"%1\"", "Тема «%1»").arg(name.size() > 4 ? name.chopped(4) : name) << '\n';
    QuestionBlocks blocks(reader);
    QuestionBlocks::Block block;
    while (blocks.next(block)) {
        passedOver(err, say, reader, block.passedOver, "row %1 passed over: %2", "строка %1 пропущена: %2");
        out << say("Question (row %1): %2", "Вопрос (строка %1): %2").arg(block.row).arg(escaped(block.question))
            << '\n';
        for (int i = 0; i < block.answers.size(); ++i)
            out << "  " << i + 1 << ". " << escaped(block.answers[i]) << " -> " << escaped(block.results[i]) << '\n';
        if (block.answersLeftOut > 0)
            warn(err,
                 say("question of row %1: %2 answers beyond the %3 a question takes are left out",
                     "вопрос строки %1: ответы сверх %3 (%2) не показываются")
                     .arg(block.row)
                     .arg(block.answersLeftOut)
                     .arg(QuestionBlocks::maxAnswers));
    }
    if (blocks.markerRow() > 0) {
        out << say("End (row %1)", "Конец (строка %1)").arg(blocks.markerRow()) << '\n';
        passedOver(err, say, reader, blocks.passedOverAtEnd(), "row %1 after the end marker is not read: %2",
                   "строка %1 после признака конца не читается: %2");
    } else {
        passedOver(err, say, reader, blocks.passedOverAtEnd(), "row %1 passed over: %2", "строка %1 пропущена: %2");
        warn(err,
             say("no end marker \"quit\": the questionnaire ends with the sheet's data",
                 "нет признака конца «quit»: анкета кончается вместе с данными листа"));
    }
    out.flush();
    err.flush();
    return Read;
}
