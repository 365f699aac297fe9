#include "app/programoptions.h"

#include "platform/installation.h"
#include "platform/release.h"

#include <QTextStream>

namespace {

// %1 is the first-start marker's name.
const char kEnglishHelp[] =
    "usage: palmora [--help] [--version]\n"
    "Palmora, a desktop reference on palmistry: a knowledge base with a proximity search, a\n"
    "workspace for a photo of your palm, questionnaires and the palmists' club news.\n"
    "\n"
    "It reads from the folder it is installed in: the articles in Data, the questionnaire\n"
    "workbooks in Anketa, the manual \"инструкция.rtf\" and the news page's address in news.ini.\n"
    "It keeps the first-run marker %1 and the news files mes.txt and allmes.txt beside\n"
    "itself when it may write there, and otherwise in ~/.local/share/palmora.\n"
    "\n"
    "  -h, --help     print this help\n"
    "  --version      print the version\n"
    "Qt's own options (such as -platform) are taken as well.\n"
    "\n"
    "Exit status: 0, once the main window is closed.\n";

const char kRussianHelp[] = "использование: palmora [--help] [--version]\n"
                            "Пальмора — справочник по хиромантии: база знаний с поиском, работа с фотографией ладони,\n"
                            "анкеты и новости клуба хиромантов.\n"
                            "\n"
                            "Программа читает из папки, в которую установлена: статьи из Data, анкеты из Anketa,\n"
                            "инструкцию «инструкция.rtf» и адрес страницы новостей из news.ini. Отметку первого\n"
                            "запуска %1 и файлы новостей mes.txt и allmes.txt она хранит рядом с собой, если\n"
                            "может туда писать, а иначе в ~/.local/share/palmora.\n"
                            "\n"
                            "  -h, --help     вывести эту справку\n"
                            "  --version      вывести версию\n"
                            "Принимаются и собственные параметры Qt (например, -platform).\n"
                            "\n"
                            "Код выхода: 0 после закрытия главного окна.\n";

} // namespace

std::optional<int> ProgramOptions::handle(const QStringList &arguments, QTextStream &out, const QLocale &locale)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == u"--help" || argument == u"-h") {
            out << QString::fromUtf8(locale.language() == QLocale::Russian ? kRussianHelp : kEnglishHelp)
                       .arg(Installation::firstStartMarker);
            out.flush();
            return 0;
        }
        if (argument == u"--version") {
            out << "palmora " << PALMORA_VERSION << '\n';
            out.flush();
            return 0;
        }
    }
    return std::nullopt;
}
