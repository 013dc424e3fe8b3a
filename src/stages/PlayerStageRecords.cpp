// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/PlayerStageRecords.h"

#include "records/RegUpRead.h"
#include "stages/FigureKey.h"

#include <QCryptographicHash>

namespace PlayerStageRecords {

QString RecordKey(const Rules::Figure& figure)
{
    const QByteArray hash = QCryptographicHash::hash(PackedCells(figure), QCryptographicHash::Sha256);
    return RegUpRead::PlayerStageKeyPrefix + QString::fromLatin1(hash.first(8).toHex().toUpper());
}

std::vector<KeyStore::RegWrite> InitialRecords(const QStringList& keys)
{
    QStringList all = keys;
    for (const QString& stored : RegUpRead::PlayerStageKeys()) {
        if (!all.contains(stored))
            all << stored;
    }
    std::vector<KeyStore::RegWrite> writes;
    for (const QString& key : all) {
        const std::vector<KeyStore::RegWrite> record = RegUpRead::InitialStageRecord(key);
        writes.insert(writes.end(), record.begin(), record.end());
    }
    return writes;
}

void Reset(const QString& key)
{
    // A record is never deleted from the store; it goes back to its start.
    RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, RegUpRead::InitialStageRecord(key), false);
}

} // namespace PlayerStageRecords
