#include "CommandLine.h"

#include "AppInfo.h"
#include "PlatformEdge.h"
#include "PrintedSkinName.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

using Request = CommandLine::Request;

// Options named again below: the folder, and the description with its text.
const QString kFolder = QStringLiteral("folder");
const QString kDescription = QStringLiteral("description");
const QString kSet = QStringLiteral("set");
// The history, and going back to one of its entries.
const QString kHistory = QStringLiteral("history");
const QString kUndo = QStringLiteral("undo");
// Skins from archives, and a skin into one.
const QString kImport = QStringLiteral("import");
const QString kExport = QStringLiteral("export");

QString dashed(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// Every option, once. One with a request asks for that work; the others say
// how it is done. The window takes only the folder: any other option is for
// the console.
struct Option
{
    std::optional<Request> request;
    QCommandLineOption option;
    bool forWindow = false;
};

std::vector<Option> options()
{
    const QString name = QStringLiteral("имя");
    return {
        {Request::Help,
         {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Эта справка.")}},
        {Request::Version,
         {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Версия программы.")}},
        {std::nullopt,
         {kFolder,
          QStringLiteral("Папка установки Kelvora вместо папки программы, также для окна "
                         "программы."),
          QStringLiteral("папка")},
         true},
        {Request::List,
         {QStringLiteral("list"),
          QStringLiteral("Вывести скины по одному в строке, в порядке списка окна. Строка "
                         "активного скина начинается с «* », остальные с двух пробелов.")}},
        {Request::Apply, {QStringLiteral("apply"), QStringLiteral("Применить скин."), name}},
        {Request::History,
         {kHistory,
          QStringLiteral("Вывести журнал скинов, новые сверху: номер записи, время замены и имя "
                         "скина.")}},
        {Request::Undo,
         {kUndo,
          QStringLiteral("Вернуть запись N журнала скинов (--undo N), без номера — последнюю, "
                         "то есть скин, который заменило последнее применение.")}},
        {Request::Delete,
         {QStringLiteral("delete"), QStringLiteral("Удалить скин и его картинку."), name}},
        {Request::ReadDescription,
         {kDescription,
          QStringLiteral("Вывести описание скина: текст до первого нулевого байта, без "
                         "пробелов в конце."),
          name}},
        {Request::Import,
         {kImport,
          QStringLiteral("Установить скины из архивов zip, 7z, rar или tar (--import ФАЙЛ…): "
                         "каждый файл *.scn в архиве, с картинкой *.jpg того же имени из той же "
                         "папки архива. Скин, который уже есть, не заменяется."),
          QStringLiteral("файл")}},
        {Request::Export,
         {kExport,
          QStringLiteral("Записать скин с его картинкой в архив zip (--export <имя> ФАЙЛ.zip), "
                         "который --import устанавливает обратно."),
          name}},
        {std::nullopt,
         {kSet,
          QStringLiteral("Вместе с %1: записать текст в описание скина.").arg(dashed(kDescription)),
          QStringLiteral("текст")}},
    };
}

void prepare(QCommandLineParser &parser, const std::vector<Option> &table)
{
    parser.setApplicationDescription(
        QStringLiteral("%1: скины Kelvora из командной строки. Без действия открывает окно "
                       "программы. Имя скина — как его выводит --list. Действие ничего не "
                       "выводит, если удалось, и выводит причину в stderr, если нет; код "
                       "выхода 0 — удалось, 1 — нет.")
            .arg(kApplicationTitle));
    for (const Option &row : table)
        parser.addOption(row.option);
    parser.addPositionalArgument(
        QStringLiteral("N"),
        QStringLiteral("Вместе с %1: номер записи журнала скинов.").arg(dashed(kUndo)),
        QStringLiteral("[N]"));
    parser.addPositionalArgument(
        QStringLiteral("ФАЙЛ"),
        QStringLiteral("Вместе с %1: ещё архивы; вместе с %2: архив, в который записать скин; "
                       "без действия: скины или архивы, которые добавить в окне программы.")
            .arg(dashed(kImport), dashed(kExport)),
        QStringLiteral("[ФАЙЛ…]"));
}

CommandLine wrongUse(const QString &reason)
{
    CommandLine line;
    line.request = Request::WrongUse;
    line.output = reason;
    return line;
}

QString conflict(const QStringList &names)
{
    return QStringLiteral("Эти параметры нельзя указывать вместе: %1.").arg(names.join(u", "));
}

// Why the arguments cannot be done as one: two options that ask for work, or
// one option named twice; empty when neither.
QString conflictIn(const QCommandLineParser &parser, const std::vector<Option> &table)
{
    const QStringList given = parser.optionNames();
    QStringList requests;
    for (const Option &row : table) {
        QStringList mentions;
        for (const QString &name : given)
            if (row.option.names().contains(name))
                mentions.append(dashed(name));
        if (mentions.size() > 1)
            return conflict(mentions);
        if (row.request)
            requests.append(mentions);
    }
    return requests.size() > 1 ? conflict(requests) : QString();
}

// Unix hands a program its arguments as bytes, which the application's list
// decodes with a loss; Windows hands the application UTF-16 and argv only in
// the ANSI code page. The build uses the one that fits its file names.
[[maybe_unused]] QStringList programArguments(int argc, char **argv, const std::string &)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(FromNativeArgument(std::filesystem::path(argv[i]).native()));
    return arguments;
}

[[maybe_unused]] QStringList programArguments(int, char **, const std::wstring &)
{
    return QCoreApplication::arguments();
}

// An argument as a message shows it: as --list prints names, so that bytes
// that are no text read as \xHH instead of replacement characters.
QString shown(const QString &argument)
{
    return PrintedSkinName(ToNativeArgument(argument));
}

QString parseError(const QCommandLineParser &parser)
{
    QString text = parser.errorText();
    for (const QString &name : parser.unknownOptionNames())
        text.replace(name, shown(name));
    return text;
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    const std::vector<Option> table = options();
    QCommandLineParser parser;
    prepare(parser, table);
    if (!parser.parse(arguments))
        return wrongUse(parseError(parser));
    // Arguments that are no option: the entry of --undo, or the files the
    // window opens.
    QStringList positional = parser.positionalArguments();
    std::optional<QString> entry;
    if (parser.isSet(kUndo) && !positional.isEmpty())
        entry = positional.takeFirst();
    if (const QString problem = conflictIn(parser, table); !problem.isEmpty())
        return wrongUse(problem);

    CommandLine line;
    for (const Option &row : table) {
        if (!row.request || !parser.isSet(row.option))
            continue;
        line.request = *row.request;
        if (row.option.valueName().isEmpty())
            continue;
        // Whether a skin is so named is known once the folder is.
        line.name = ToNativeArgument(parser.value(row.option));
        if (line.name.empty())
            return wrongUse(QStringLiteral("Не указано %1 для %2.")
                                .arg(row.request == Request::Import ? QStringLiteral("имя архива")
                                                                    : QStringLiteral("имя скина"),
                                     dashed(row.option.names().constLast())));
    }
    // The archives: the option's own and those after it.
    if (line.request == Request::Import)
        line.files.push_back(std::exchange(line.name, {}));
    if (line.request == Request::Export && positional.size() != 1)
        return wrongUse(QStringLiteral("Для %1 укажите один файл архива после имени скина.")
                            .arg(dashed(kExport)));
    if (parser.isSet(kSet)) {
        if (line.request != Request::ReadDescription)
            return wrongUse(QStringLiteral("Параметр %1 указывается только вместе с %2.")
                                .arg(dashed(kSet), dashed(kDescription)));
        line.request = Request::WriteDescription;
        line.text = parser.value(kSet);
    }
    if (entry) {
        bool isNumber = false;
        line.entry = entry->toInt(&isNumber);
        if (!isNumber || line.entry < 1 || entry->startsWith(u'+'))
            return wrongUse(QStringLiteral("Неверный номер записи журнала «%1»: нужно целое число "
                                           "от 1, как его выводит %2.")
                                .arg(shown(*entry), dashed(kHistory)));
    }
    if (parser.isSet(kFolder)) {
        const QString folder = parser.value(kFolder);
        if (folder.isEmpty())
            return wrongUse(QStringLiteral("Не указана папка Kelvora."));
        line.folder = ToNativeArgument(folder);
    }
    // Files belong to the window ("Open with" of a file manager), to the import
    // and to the export; no other action takes any.
    if (!positional.isEmpty()) {
        if (line.request != Request::Window && line.request != Request::Import &&
            line.request != Request::Export)
            return wrongUse(
                QStringLiteral("Лишний аргумент «%1».").arg(shown(positional.constFirst())));
        for (const QString &file : positional)
            line.files.emplace_back(ToNativeArgument(file));
    }
    if (line.request == Request::Help)
        line.output = parser.helpText().trimmed();
    if (line.request == Request::Version)
        line.output = QStringLiteral("%1 %2").arg(kApplicationTitle, kVersion);
    return line;
}

bool AsksForConsole(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const std::vector<Option> table = options();
    QCommandLineParser parser;
    prepare(parser, table);
    // A wrong use is told once the application object exists; Qt's own options
    // (-platform …) are unknown here and leave the answer as it is.
    parser.parse(arguments);
    return std::any_of(table.begin(), table.end(), [&parser](const Option &row) {
        return !row.forWindow && parser.isSet(row.option);
    });
}

QStringList ProgramArguments(int argc, char **argv)
{
    return programArguments(argc, argv, std::filesystem::path::string_type());
}
