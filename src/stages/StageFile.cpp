// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFile.h"

#include "records/IniFile.h"
#include "stages/LayoutString.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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


// The player reads the same reason as the log, in Japanese.
StageFileReading NotAStageFile(const QString& why, const QString& reason)
{
    return Refused(QCoreApplication::translate("StageFile", "ステージファイルの形式ではありません（%1）").arg(reason),
                   QStringLiteral("not a stage file (%1)").arg(why));
}

StageFileReading LayoutRefused(const LayoutReading& layout)
{
    switch (layout.fault) {
    case LayoutFault::NoBall:
        return Refused(QCoreApplication::translate("StageFile", "ボールがありません"), QStringLiteral("no ball"));
    case LayoutFault::OffBoard:
        return Refused(QCoreApplication::translate("StageFile", "盤の外にボールがあります：%1").arg(layout.reason),
                       QStringLiteral("a ball lies off the board (%1)").arg(layout.error));
    case LayoutFault::SharedCell:
        return Refused(QCoreApplication::translate("StageFile", "一つのマスにボールが二つあります：%1").arg(layout.reason),
                       QStringLiteral("two balls on one cell (%1)").arg(layout.error));
    case LayoutFault::None:
    case LayoutFault::Form:
        break;
    }
    return NotAStageFile(QStringLiteral("Layout: ") + layout.error, QCoreApplication::translate("StageFile", "Layout：") + layout.reason);
}

StageFileReading TooLarge()
{
    return NotAStageFile(QStringLiteral("larger than %1 bytes").arg(LargestFile),
                         QCoreApplication::translate("StageFile", "%1バイトより大きいファイルです").arg(LargestFile));
}

StageFileReading CannotRead()
{
    return Refused(QCoreApplication::translate("StageFile", "ファイルを読み込めません"), QStringLiteral("cannot be read"));
}

StageFileReading NotRegular()
{
    return Refused(QCoreApplication::translate("StageFile", "ファイルを読み込めません（普通のファイルではありません）"),
                   QStringLiteral("cannot be read (not a regular file)"));
}

// Closes the descriptor however the reading ends.
struct OpenFile {
    int fd;
    ~OpenFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Whatever is at `path` by the time it is opened: the path may have been
// given to a pipe or a device since it was looked at. Opening does not wait
// (a pipe without a writer would hold the thread for good), and only a
// regular file is read, no more than LargestFile and one byte of it.
StageFileReading ReadWhatOpens(const QString& path)
{
    const OpenFile file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0)
        return errno == EACCES ? Refused(QCoreApplication::translate("StageFile", "ファイルを読み込めません（読む許可がありません）"),
                                         QStringLiteral("cannot be read (no permission to read it)"))
                               : CannotRead();
    struct stat opened {};
    if (::fstat(file.fd, &opened) != 0)
        return CannotRead();
    if (!S_ISREG(opened.st_mode))
        return NotRegular();
    if (opened.st_size > LargestFile)
        return TooLarge();
    QByteArray bytes(LargestFile + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(file.fd, bytes.data() + filled, std::size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return CannotRead();
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return ReadStageFile(bytes);
}

} // namespace

StageFileReading ReadStageFile(const QByteArray& bytes)
{
    if (bytes.size() > LargestFile)
        return TooLarge();
    // Read as a person types it: quotes inside a title are its own.
    const IniReading read = ReadIni(bytes, IniValues::AsTyped);
    if (!read.contents && read.faultyLine == 0)
        return NotAStageFile(QStringLiteral("not UTF-8 INI text"), QCoreApplication::translate("StageFile", "UTF-8のINI形式のテキストではありません"));
    if (!read.contents)
        return NotAStageFile(QStringLiteral("line %1 is neither [section] nor name=value").arg(read.faultyLine),
                             QCoreApplication::translate("StageFile", "%1行目が [見出し] でも 名前=値 でもありません").arg(read.faultyLine));
    const std::optional<IniContents>& ini = read.contents;
    const auto section = ini->groups.constFind(Section);
    if (section == ini->groups.cend() || !section->contains(LayoutName))
        return NotAStageFile(QStringLiteral("no [Stage] section with a Layout"),
                             QCoreApplication::translate("StageFile", "[Stage] の Layout がありません"));

    const QString title = section->value(TitleName);
    switch (CheckTitle(title)) {
    case TitleFault::None: break;
    case TitleFault::TooLong:
        return Refused(QCoreApplication::translate("StageFile", "名前が%1文字を超えています").arg(LongestTitle),
                       QStringLiteral("the title is longer than %1 characters").arg(LongestTitle));
    case TitleFault::ControlCharacter:
        return NotAStageFile(QStringLiteral("a control character in the title"), QCoreApplication::translate("StageFile", "題名に制御文字があります"));
    case TitleFault::BrokenCharacter:
        return NotAStageFile(QStringLiteral("half a character in the title"), QCoreApplication::translate("StageFile", "題名に半端な文字があります"));
    }

    const QString layout = section->value(LayoutName);
    const LayoutReading balls = ReadLayoutString(layout);
    if (!balls.ok())
        return LayoutRefused(balls);

    StageFileReading reading;
    reading.stage.title = title;
    reading.stage.layout = layout;
    reading.stage.figure = FigureOfBalls(balls.balls);
    return reading;
}

StageFileReading ReadStageFileAt(const QString& path)
{
    const QFileInfo info(path);
    // Each way a path can fail to be a readable file says which it is.
    if (!info.exists() && !info.isSymLink())
        return Refused(QCoreApplication::translate("StageFile", "ファイルがありません"), QStringLiteral("no such file"));
    if (!info.exists())
        return Refused(QCoreApplication::translate("StageFile", "リンク先のファイルがありません"), QStringLiteral("a link to no file"));
    if (info.isDir())
        return Refused(QCoreApplication::translate("StageFile", "ファイルではなくフォルダーです"), QStringLiteral("a folder, not a file"));
    if (!info.isFile())
        return NotRegular();
    return ReadWhatOpens(path);
}

QByteArray WriteStageFile(const QString& title, const Rules::Figure& figure)
{
    // Written as a stage author types it: the title bare whenever it reads
    // back the same (quotes and all), else in the store's quoted form; the
    // layout holds only digits and commas.
    QByteArray text = '[' + Section.toUtf8() + "]\n";
    if (const std::optional<QString> typed = TypedValue(title)) {
        text += TitleName.toUtf8() + '=' + typed->toUtf8() + '\n';
    } else {
        IniContents contents;
        contents.groups[Section][TitleName] = title;
        text = FormatIni(contents);
    }
    return text + LayoutName.toUtf8() + '=' + LayoutOf(figure).toUtf8() + '\n';
}
