// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFile.h"

#include "records/IniFile.h"
#include "stages/LayoutString.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString Section = QStringLiteral("Stage");
const QString TitleName = QStringLiteral("Title");
const QString LayoutName = QStringLiteral("Layout");

// A full board's layout and the longest title, with room for comments.
constexpr qint64 LargestFile = 64 * 1024;

StageFileReading Refused(const QString& reason, const QString& reasonForLog)
{
    StageFileReading reading;
    reading.reason = reason;
    reading.reasonForLog = reasonForLog;
    return reading;
}

StageFileReading NotAStageFile(const QString& why)
{
    return Refused(QCoreApplication::translate("StageFile", "ステージファイルの形式ではありません"),
                   QStringLiteral("not a stage file (%1)").arg(why));
}

StageFileReading LayoutRefused(const LayoutReading& layout)
{
    switch (layout.fault) {
    case LayoutFault::NoBall:
        return Refused(QCoreApplication::translate("StageFile", "ボールがありません"), QStringLiteral("no ball"));
    case LayoutFault::OffBoard:
        return Refused(QCoreApplication::translate("StageFile", "盤の外にボールがあります"),
                       QStringLiteral("a ball lies off the board (%1)").arg(layout.error));
    case LayoutFault::SharedCell:
        return Refused(QCoreApplication::translate("StageFile", "一つのマスにボールが二つあります"),
                       QStringLiteral("two balls on one cell (%1)").arg(layout.error));
    case LayoutFault::None:
    case LayoutFault::Form:
        break;
    }
    return NotAStageFile(QStringLiteral("Layout: ") + layout.error);
}

Rules::Figure FigureOf(const LayoutReading& layout)
{
    Rules::Figure figure;
    for (const BallRecord& ball : layout.balls)
        figure.Set({ball.row(), ball.column()}, true);
    return figure;
}

bool HasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

} // namespace

StageFileReading ReadStageFile(const QByteArray& bytes)
{
    if (bytes.size() > LargestFile)
        return NotAStageFile(QStringLiteral("larger than %1 bytes").arg(LargestFile));
    const std::optional<IniContents> ini = ParseIni(bytes);
    if (!ini)
        return NotAStageFile(QStringLiteral("not UTF-8 INI text"));
    const auto section = ini->groups.constFind(Section);
    if (section == ini->groups.cend() || !section->contains(LayoutName))
        return NotAStageFile(QStringLiteral("no [Stage] section with a Layout"));

    const QString title = section->value(TitleName);
    if (title.toUcs4().size() > LongestTitle)
        return Refused(QCoreApplication::translate("StageFile", "名前が%1文字を超えています").arg(LongestTitle),
                       QStringLiteral("the title is longer than %1 characters").arg(LongestTitle));
    if (HasControlCharacter(title))
        return NotAStageFile(QStringLiteral("a control character in the title"));

    const QString layout = section->value(LayoutName);
    const LayoutReading balls = ReadLayoutString(layout);
    if (!balls.ok())
        return LayoutRefused(balls);

    StageFileReading reading;
    reading.stage.title = title;
    reading.stage.layout = layout;
    reading.stage.figure = FigureOf(balls);
    return reading;
}

StageFileReading ReadStageFileAt(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return Refused(QCoreApplication::translate("StageFile", "ファイルを読み込めません"), QStringLiteral("cannot be read"));
    const QByteArray bytes = file.read(LargestFile + 1);
    if (file.error() != QFileDevice::NoError)
        return Refused(QCoreApplication::translate("StageFile", "ファイルを読み込めません"), QStringLiteral("cannot be read"));
    return ReadStageFile(bytes);
}

QByteArray WriteStageFile(const QString& title, const Rules::Figure& figure)
{
    // The title goes through the store's own escaping; the layout holds only
    // digits and commas and is written bare, as a stage author types it.
    IniContents contents;
    contents.groups[Section][TitleName] = title;
    return FormatIni(contents) + LayoutName.toUtf8() + '=' + LayoutOf(figure).toUtf8() + '\n';
}

QString LayoutOf(const Rules::Figure& figure)
{
    QString layout;
    for (const Rules::Cell& cell : figure.Cells())
        layout += QStringLiteral("%1,%2,")
                      .arg(cell.column * 600, 4, 10, QLatin1Char('0'))
                      .arg(cell.row * 600, 4, 10, QLatin1Char('0'));
    return layout;
}

std::optional<Rules::Figure> FigureOfLayout(QStringView layout)
{
    const LayoutReading reading = ReadLayoutString(layout);
    if (!reading.ok())
        return std::nullopt;
    return FigureOf(reading);
}
