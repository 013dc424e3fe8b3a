// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "rules/Generator.h"
#include "rules/Solver.h"
#include "stages/StageFile.h"
#include "stages/StageProof.h"

#include <QRandomGenerator>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr int UsageError = 2;

const char* const Usage =
    "Usage: zumirak [FILE.zumirak...]\n"
    "       zumirak --check FILE...\n"
    "       zumirak --generate BALLS [--difficulty easy|normal|hard] [--seed N] [--title TEXT]\n"
    "       zumirak --help | --version\n"
    "\n"
    "Without options the game starts; stage files named are added to the player's stages.\n"
    "  --check FILE...  say for each stage file whether it can be cleared, with a take\n"
    "                   order as row,column pairs; exit status 0 when every file can be\n"
    "  --generate BALLS write a new stage of 2 to 225 balls, clearable, to standard output;\n"
    "                   the same BALLS, difficulty and seed give the same stage\n"
    "  --help           show this text\n"
    "  --version        show the version\n";

void Print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int Refuse(const QString& why)
{
    Print(stderr, QStringLiteral("zumirak: %1\nTry 'zumirak --help'.\n").arg(why));
    return UsageError;
}

QString CheckLine(const QString& file)
{
    const StageFileReading reading = ReadStageFileAt(file);
    if (!reading.ok())
        return QStringLiteral("%1: invalid: %2").arg(file, reading.reasonForLog);
    const StageProof proof = ProveStage(reading.stage.figure);
    if (!proof.ok())
        return QStringLiteral("%1: %2").arg(file, proof.reasonForLog);
    QString line = file + QStringLiteral(": clearable");
    for (const Rules::Cell& cell : proof.result.order)
        line += QStringLiteral(" %1,%2").arg(cell.row).arg(cell.column);
    return line;
}

int Check(const QStringList& files)
{
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
    if (arguments.isEmpty())
        return Refuse(QStringLiteral("--generate needs the number of balls"));
    bool ok = false;
    const int balls = arguments.front().toInt(&ok);
    if (!ok || balls < 2 || balls > Rules::BoardSize * Rules::BoardSize)
        return Refuse(QStringLiteral("the number of balls must be 2 to 225, not '%1'").arg(arguments.front()));

    Rules::Difficulty difficulty = Rules::Difficulty::Normal;
    std::uint64_t seed = QRandomGenerator::system()->generate64();
    std::optional<QString> title;
    for (qsizetype i = 1; i < arguments.size(); i += 2) {
        const QString& option = arguments[i];
        if (i + 1 >= arguments.size())
            return Refuse(QStringLiteral("%1 needs a value").arg(option));
        const QString& value = arguments[i + 1];
        if (option == QLatin1String("--difficulty")) {
            const std::optional<Rules::Difficulty> named = DifficultyNamed(value);
            if (!named)
                return Refuse(QStringLiteral("the difficulty is easy, normal or hard, not '%1'").arg(value));
            difficulty = *named;
        } else if (option == QLatin1String("--seed")) {
            seed = value.toULongLong(&ok);
            if (!ok)
                return Refuse(QStringLiteral("the seed is a whole number from 0, not '%1'").arg(value));
        } else if (option == QLatin1String("--title")) {
            title = value;
        } else {
            return Refuse(QStringLiteral("unknown option '%1'").arg(option));
        }
    }

    const Rules::GeneratedStage stage = Rules::Generate(balls, difficulty, seed);
    const QByteArray file = WriteStageFile(title.value_or(stage.title), stage.figure);
    // A title given here goes through the same check as any stage file's.
    if (const StageFileReading reading = ReadStageFile(file); !reading.ok())
        return Refuse(reading.reasonForLog);
    std::fwrite(file.constData(), 1, static_cast<std::size_t>(file.size()), stdout);
    return 0;
}

} // namespace

bool IsCommandLineForm(int argc, char** argv)
{
    if (argc < 2)
        return false;
    for (const char* form : {"--check", "--generate", "--help", "-h", "--version"}) {
        if (std::strcmp(argv[1], form) == 0)
            return true;
    }
    return false;
}

int RunCommandLine(const QStringList& arguments)
{
    const QString form = arguments.value(1);
    const QStringList rest = arguments.mid(2);
    if (form == QLatin1String("--check"))
        return Check(rest);
    if (form == QLatin1String("--generate"))
        return Generate(rest);
    if (form == QLatin1String("--version")) {
        Print(stdout, QStringLiteral("zumirak " ZUMIRAK_VERSION "\n"));
        return 0;
    }
    Print(stdout, QString::fromUtf8(Usage));
    return 0;
}

QStringList StageFilesOnCommandLine(const QStringList& arguments)
{
    QStringList files;
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(u'-'))
            files << argument;
    }
    return files;
}
