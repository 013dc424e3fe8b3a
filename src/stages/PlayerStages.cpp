// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/PlayerStages.h"

#include "records/RegUpRead.h"
#include "records/StoreFile.h"
#include "stages/StageFile.h"
#include "stages/StageProof.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QtDebug>

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

namespace PlayerStages {

namespace {

constexpr int NumberDigits = 4;

struct Folder_ {
    bool read = false;
    std::vector<Entry> entries;
    QSet<QString> reported;  // files already named on standard error
};

Folder_& TheFolder()
{
    static Folder_ folder;
    return folder;
}

// "0007.zumirak" is stage file number 7; a file named otherwise by hand
// comes after the numbered ones.
int FileNumber(const QString& fileName)
{
    qsizetype digits = 0;
    while (digits < fileName.size() && fileName[digits].isDigit() && fileName[digits].unicode() < 0x80)
        ++digits;
    bool ok = false;
    const int number = fileName.first(digits).toInt(&ok);
    return ok ? number : INT_MAX;
}

QStringList StageFileNames(const QDir& folder)
{
    QStringList names = folder.entryList({QStringLiteral("*.") + StageFileSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int na = FileNumber(a);
        const int nb = FileNumber(b);
        return na != nb ? na < nb : a < b;
    });
    return names;
}

void ReportOnce(const QString& path, const QString& why)
{
    if (TheFolder().reported.contains(path))
        return;
    TheFolder().reported.insert(path);
    qWarning("The stage file %s is left out: %s", qUtf8Printable(path), qUtf8Printable(why));
}

std::optional<int> IndexOf(const Rules::Figure& figure)
{
    const std::vector<Entry>& entries = TheFolder().entries;
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.figure == figure; });
    if (found == entries.end())
        return std::nullopt;
    return static_cast<int>(found - entries.begin());
}

Entry MakeEntry(const QString& path, const StageText& stage)
{
    return {path, stage.title, stage.layout, stage.figure, RecordKey(stage.figure)};
}

void ReadFolder()
{
    Folder_& folder = TheFolder();
    folder.read = true;
    folder.entries.clear();
    const QDir dir(Folder());
    for (const QString& name : StageFileNames(dir)) {
        const QString path = dir.filePath(name);
        const StageFileReading reading = ReadStageFileAt(path);
        if (!reading.ok()) {
            ReportOnce(path, reading.reasonForLog);
            continue;
        }
        if (const std::optional<int> twin = IndexOf(reading.stage.figure)) {
            ReportOnce(path, QStringLiteral("the same figure as %1").arg(folder.entries[std::size_t(*twin)].path));
            continue;
        }
        const StageProof proof = ProveStage(reading.stage.figure);
        if (!proof.ok()) {
            ReportOnce(path, proof.reasonForLog);
            continue;
        }
        folder.entries.push_back(MakeEntry(path, reading.stage));
    }
}

QString NextFileName(const QDir& dir)
{
    int last = 0;
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const int number = FileNumber(name);
        if (number != INT_MAX)
            last = std::max(last, number);
    }
    return QStringLiteral("%1.%2").arg(last + 1, NumberDigits, 10, QLatin1Char('0')).arg(StageFileSuffix);
}

Added Refused(const QString& error)
{
    Added added;
    added.error = error;
    return added;
}

} // namespace

QString Folder()
{
    // The program's AppLocalDataLocation, spelled out so that it is the same
    // whether or not the application object carries the program's names
    // (the command line and the tests run without them).
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Brenhavel/Zumirak/stages");
}

const std::vector<Entry>& All()
{
    if (!TheFolder().read)
        ReadFolder();
    return TheFolder().entries;
}

void Reload()
{
    ReadFolder();
    PlayerStagesNotice::Instance().TellStagesChanged();
}

Added Add(const QString& title, const Rules::Figure& figure)
{
    // The file is checked as any file from outside would be, so that what
    // is written can always be read back.
    const QByteArray bytes = WriteStageFile(title, figure);
    const StageFileReading reading = ReadStageFile(bytes);
    if (!reading.ok())
        return Refused(reading.reason);
    All();
    if (const std::optional<int> index = IndexOf(figure)) {
        Added added;
        added.index = *index;
        added.alreadyThere = true;
        return added;
    }
    const StageProof proof = ProveStage(figure);
    if (!proof.ok())
        return Refused(proof.reason);

    const QString folder = Folder();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return Refused(QCoreApplication::translate("PlayerStages", "ステージを保存するフォルダーを作れません"));
    const QString path = QDir(folder).filePath(NextFileName(QDir(folder)));
    if (const int error = StoreFile::WriteAtomically(path, bytes); error != 0) {
        qWarning("The stage file %s could not be written: %s", qUtf8Printable(path), std::strerror(error));
        return Refused(QCoreApplication::translate("PlayerStages", "ステージを保存できませんでした"));
    }
    TheFolder().entries.push_back(MakeEntry(path, reading.stage));
    PlayerStagesNotice::Instance().TellStagesChanged();
    Added added;
    added.index = static_cast<int>(TheFolder().entries.size()) - 1;
    return added;
}

Added Import(const QString& filePath)
{
    const StageFileReading reading = ReadStageFileAt(filePath);
    if (!reading.ok())
        return Refused(reading.reason);
    return Add(reading.stage.title, reading.stage.figure);
}

bool Remove(int index)
{
    std::vector<Entry>& entries = TheFolder().entries;
    if (index < 0 || index >= static_cast<int>(All().size()))
        return false;
    const Entry entry = entries[std::size_t(index)];
    if (!QFile::remove(entry.path) && QFileInfo::exists(entry.path))
        return false;
    entries.erase(entries.begin() + index);
    // A record is never deleted from the store; the stage's goes back to
    // that of a stage never played, in case the figure comes back.
    RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, RegUpRead::InitialStageRecord(entry.recordKey), false);
    PlayerStagesNotice::Instance().TellStagesChanged();
    return true;
}

QString RecordKey(const Rules::Figure& figure)
{
    // The cells as bits, row by row, packed eight to a byte.
    QByteArray packed((Rules::BoardSize * Rules::BoardSize + 7) / 8, '\0');
    for (std::size_t bit = 0; bit < figure.Bits().size(); ++bit) {
        if (figure.Bits().test(bit))
            packed[qsizetype(bit / 8)] = char(packed[qsizetype(bit / 8)] | (1 << (bit % 8)));
    }
    const QByteArray hash = QCryptographicHash::hash(packed, QCryptographicHash::Sha256);
    return RegUpRead::PlayerStageKeyPrefix + QString::fromLatin1(hash.first(8).toHex().toUpper());
}

std::vector<KeyStore::RegWrite> InitialRecords()
{
    std::vector<KeyStore::RegWrite> writes;
    for (const Entry& entry : All()) {
        const std::vector<KeyStore::RegWrite> record = RegUpRead::InitialStageRecord(entry.recordKey);
        writes.insert(writes.end(), record.begin(), record.end());
    }
    return writes;
}

} // namespace PlayerStages

PlayerStagesNotice& PlayerStagesNotice::Instance()
{
    static PlayerStagesNotice notice;
    return notice;
}
