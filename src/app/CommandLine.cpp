// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "rules/Generator.h"
#include "rules/Solver.h"
#include "stages/DailyStage.h"
#include "stages/LayoutString.h"
#include "stages/StageFile.h"
#include "stages/StageProof.h"
#include "stages/StageStars.h"
#include "stages/StageTitle.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace {

constexpr int UsageError = 2;

const char* const Usage =
    "Usage: zumirak [FILE.zumirak...]\n"
    "       zumirak --check FILE...\n"
    "       zumirak --generate BALLS [--difficulty LEVEL] [--seed N] [--title TEXT]\n"
    "       zumirak --daily [YYYY-MM-DD]\n"
    "       zumirak --help\n"
    "       zumirak --version\n"
    "\n"
    "With no option the game starts. Each stage file named is added to the\n"
    "player's own stages (handed to the copy already running, if there is one).\n"
    "\n"
    "  --check FILE...       Say for each stage file whether it can be cleared.\n"
    "                        A stage that can be is followed by its stars\n"
    "                        (one to three, from easy to hard) and one order\n"
    "                        of takes: each ball as row,column, counted from\n"
    "                        0,0 at the top left. The exit status is 0 when every\n"
    "                        file can be cleared, and 1 when one cannot.\n"
    "  --generate BALLS      Write a new stage that can be cleared, of 2 to 225\n"
    "                        balls, as a stage file to standard output.\n"
    "    --difficulty LEVEL  easy, normal or hard; normal when not given.\n"
    "    --seed N            A whole number from 0 up. The same BALLS,\n"
    "                        difficulty and seed always give the same stage;\n"
    "                        without a seed every run gives a new one.\n"
    "    --title TEXT        The stage's title, at most 32 characters; without\n"
    "                        it the stage gets a made-up one.\n"
    "  --daily [YYYY-MM-DD]  Write the stage of the day, today's (the local\n"
    "                        date) or that of the date given, as a stage file\n"
    "                        to standard output. Every player gets the same\n"
    "                        stage on the same date: Monday's is the easiest,\n"
    "                        Sunday's the hardest.\n"
    "  --help                Show this text.\n"
    "  --version             Show the version.\n"
    "\n"
    "A command line that is not understood ends with exit status 2.\n";

const QStringList Forms = {QStringLiteral("--check"), QStringLiteral("--generate"), QStringLiteral("--daily"),
                           QStringLiteral("--help"),
                           QStringLiteral("-h"), QStringLiteral("--version")};
const QStringList GenerateOptions = {QStringLiteral("--difficulty"), QStringLiteral("--seed"),
                                     QStringLiteral("--title")};

// Options the window system's library reads itself when the game starts
// (with one dash: "--title" is the generator's); those in the first list
// take a value.
const QStringList QtOptionsWithValue = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
    QStringLiteral("qwindowicon"), QStringLiteral("display"), QStringLiteral("geometry"), QStringLiteral("title"),
    QStringLiteral("name"), QStringLiteral("visual"), QStringLiteral("style"), QStringLiteral("stylesheet"),
    QStringLiteral("session")};
const QStringList QtFlags = {QStringLiteral("reverse"), QStringLiteral("nograb"), QStringLiteral("dograb"),
                             QStringLiteral("sync"), QStringLiteral("widgetcount"), QStringLiteral("cmap")};

void Print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int Refuse(const QString& why)
{
    Print(stderr, QStringLiteral("zumirak: %1\n\n").arg(why) + QString::fromUtf8(Usage));
    return UsageError;
}

bool LooksLikeOption(const QString& argument) { return argument.size() > 1 && argument.startsWith(u'-'); }

// "--seed=3" as "--seed" and "3".
std::pair<QString, std::optional<QString>> SplitAtEquals(const QString& argument)
{
    const qsizetype equals = argument.indexOf(u'=');
    if (equals < 0)
        return {argument, std::nullopt};
    return {argument.left(equals), argument.mid(equals + 1)};
}

QString UnknownOption(const QString& option)
{
    const QString name = SplitAtEquals(option).first;
    if (GenerateOptions.contains(name))
        return QStringLiteral("unknown option %1 (it goes with --generate)").arg(name);
    if (Forms.contains(name))
        return QStringLiteral("%1 must come first").arg(name);
    return QStringLiteral("unknown option %1").arg(name);
}

struct GameArguments {
    QStringList files;
    QString error;  // empty when understood
};

// The command line that starts the game: stage files, and the window
// system's own options. Everything after "--" is a file.
GameArguments ReadGameArguments(const QStringList& arguments)
{
    GameArguments read;
    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (onlyFiles || !LooksLikeOption(argument)) {
            read.files << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            onlyFiles = true;
            continue;
        }
        const bool qtForm = !argument.startsWith(QLatin1String("--"));
        const auto [name, value] = SplitAtEquals(argument.mid(1));
        if (qtForm && QtFlags.contains(name) && !value)
            continue;
        if (qtForm && QtOptionsWithValue.contains(name)) {
            if (!value && ++i >= arguments.size()) {
                read.error = QStringLiteral("%1 needs a value").arg(argument);
                return read;
            }
            continue;  // the value is the option's, never a stage file
        }
        read.error = UnknownOption(argument);
        return read;
    }
    return read;
}

QString CheckLine(const QString& file)
{
    const StageFileReading reading = ReadStageFileAt(file);
    if (!reading.ok())
        return QStringLiteral("%1: invalid: %2").arg(file, reading.reasonForLog);
    const StageProof proof = ProveStage(reading.stage.figure);
    if (!proof.ok())
        return QStringLiteral("%1: %2").arg(file, proof.reasonForLog);
    QString line = file + QStringLiteral(": clearable ") + StarsText(StageStars(LayoutOf(reading.stage.figure)));
    for (const Rules::Cell& cell : proof.result.order)
        line += QStringLiteral(" %1,%2").arg(cell.row).arg(cell.column);
    return line;
}

int Check(const QStringList& arguments)
{
    QStringList files;
    bool onlyFiles = false;
    for (const QString& argument : arguments) {
        if (!onlyFiles && argument == QLatin1String("--"))
            onlyFiles = true;
        else if (!onlyFiles && LooksLikeOption(argument))
            return Refuse(UnknownOption(argument));
        else
            files << argument;
    }
    if (files.isEmpty())
        return Refuse(QStringLiteral("--check needs at least one stage file"));
    bool allClearable = true;
    for (const QString& file : files) {
        const QString line = CheckLine(file);
        allClearable = allClearable && line.startsWith(file + QStringLiteral(": clearable"));
        Print(stdout, line + u'\n');
    }
    return allClearable ? 0 : 1;
}

std::optional<Rules::Difficulty> DifficultyNamed(const QString& name)
{
    if (name == QLatin1String("easy"))
        return Rules::Difficulty::Easy;
    if (name == QLatin1String("normal"))
        return Rules::Difficulty::Normal;
    if (name == QLatin1String("hard"))
        return Rules::Difficulty::Hard;
    return std::nullopt;
}

int Generate(const QStringList& arguments)
{
    if (arguments.isEmpty() || LooksLikeOption(arguments.front()))
        return Refuse(QStringLiteral("--generate needs the number of balls first"));
    bool ok = false;
    const int balls = arguments.front().toInt(&ok);
    if (!ok || balls < 2 || balls > Rules::BoardSize * Rules::BoardSize)
        return Refuse(QStringLiteral("the number of balls must be 2 to 225, not '%1'").arg(arguments.front()));

    Rules::Difficulty difficulty = Rules::Difficulty::Normal;
    std::uint64_t seed = QRandomGenerator::system()->generate64();
    std::optional<QString> title;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!LooksLikeOption(arguments[i]))
            return Refuse(QStringLiteral("'%1' is not an option of --generate").arg(arguments[i]));
        auto [option, value] = SplitAtEquals(arguments[i]);
        if (!GenerateOptions.contains(option))
            return Refuse(UnknownOption(arguments[i]));
        if (!value) {
            if (++i >= arguments.size())
                return Refuse(QStringLiteral("%1 needs a value").arg(option));
            value = arguments[i];
        }
        if (option == QLatin1String("--difficulty")) {
            const std::optional<Rules::Difficulty> named = DifficultyNamed(*value);
            if (!named)
                return Refuse(QStringLiteral("the difficulty is easy, normal or hard, not '%1'").arg(*value));
            difficulty = *named;
        } else if (option == QLatin1String("--seed")) {
            seed = value->toULongLong(&ok);
            if (!ok)
                return Refuse(QStringLiteral("the seed is a whole number from 0, not '%1'").arg(*value));
        } else {
            title = *value;
        }
    }

    const Rules::GeneratedStage stage = Rules::Generate(balls, difficulty, seed);
    if (const int asked = static_cast<int>(difficulty) + 1; stage.stars != asked)
        Print(stderr, QStringLiteral("zumirak: no stage of %1 balls with %2 was found; this one has %3\n")
                          .arg(balls)
                          .arg(StarsText(asked), StarsText(stage.stars)));
    // A title made here fits a stage's in every language (a long translation
    // is cut); a title given here goes through the same check as any stage file's.
    const QByteArray file = WriteStageFile(title.value_or(CutTitle(stage.title)), stage.figure);
    if (const StageFileReading reading = ReadStageFile(file); !reading.ok())
        return Refuse(reading.reasonForLog);
    std::fwrite(file.constData(), 1, static_cast<std::size_t>(file.size()), stdout);
    return 0;
}

int Daily(const QStringList& arguments)
{
    QDate date = QDate::currentDate();
    if (arguments.size() > 1)
        return Refuse(QStringLiteral("--daily takes one date at most, not '%1'").arg(arguments[1]));
    if (!arguments.isEmpty()) {
        // Exactly YYYY-MM-DD, and a day the calendar has.
        static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
        date = QDate::fromString(arguments.front(), QStringLiteral("yyyy-MM-dd"));
        if (!form.match(arguments.front()).hasMatch() || !date.isValid())
            return Refuse(QStringLiteral("the date is a day of the calendar as YYYY-MM-DD, not '%1'")
                              .arg(arguments.front()));
    }
    const DailyStage stage = DailyStageOf(date);
    const QByteArray file = WriteStageFile(stage.title, stage.figure);
    std::fwrite(file.constData(), 1, static_cast<std::size_t>(file.size()), stdout);
    return 0;
}

int NothingMore(const QString& form, const QStringList& rest)
{
    return Refuse(QStringLiteral("%1 takes nothing more, not '%2'").arg(form, rest.front()));
}

// The command line with "--daily=2026-12-07" as "--daily" "2026-12-07", so
// that each form reads its value one way; the spelling typed stays in
// `typed` for the messages.
struct FormLine {
    QString form;
    QStringList rest;
    QString typed;
};
FormLine ReadForm(const QStringList& arguments)
{
    FormLine line{arguments.value(1), arguments.mid(2), arguments.value(1)};
    const auto [name, value] = SplitAtEquals(line.form);
    if (value && Forms.contains(name)) {
        line.form = name;
        line.rest.prepend(*value);
    }
    return line;
}

bool TakesAValue(const QString& form)
{
    return form == QLatin1String("--check") || form == QLatin1String("--generate") || form == QLatin1String("--daily");
}

} // namespace

bool IsCommandLineForm(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A game command line that is not understood ends here too, with its
    // message and no window.
    return Forms.contains(ReadForm(arguments).form) || !ReadGameArguments(arguments).error.isEmpty();
}

int RunCommandLine(const QStringList& arguments)
{
    const auto [form, rest, typed] = ReadForm(arguments);
    if (typed != form) {
        // "--help=1" and "--daily=" name what was typed.
        if (!TakesAValue(form))
            return Refuse(QStringLiteral("%1 takes no value, not '%2'").arg(form, typed));
        if (rest.front().isEmpty())
            return Refuse(QStringLiteral("%1 needs a value after '=', not '%2'").arg(form, typed));
    }
    if (form == QLatin1String("--check"))
        return Check(rest);
    if (form == QLatin1String("--generate"))
        return Generate(rest);
    if (form == QLatin1String("--daily"))
        return Daily(rest);
    if (form == QLatin1String("--version")) {
        if (!rest.isEmpty())
            return NothingMore(form, rest);
        Print(stdout, QStringLiteral("zumirak " ZUMIRAK_VERSION "\n"));
        return 0;
    }
    if (form == QLatin1String("--help") || form == QLatin1String("-h")) {
        if (!rest.isEmpty())
            return NothingMore(form, rest);
        Print(stdout, QString::fromUtf8(Usage));
        return 0;
    }
    const GameArguments game = ReadGameArguments(arguments);
    return game.error.isEmpty() ? 0 : Refuse(game.error);
}

QStringList StageFilesOnCommandLine(const QStringList& arguments)
{
    return ReadGameArguments(arguments).files;
}
