// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Tells the windows what happens to the records. Stage records written: each
// window that shows them reads them again once per change instead of on
// every repaint. The store sends it after every write that reached the disk;
// a failed write changed nothing and sends nothing.
class RecordsNotice : public QObject {
    Q_OBJECT
public:
    static RecordsNotice& Instance();

    // Called by the store.
    void TellStageRecordsWritten() { emit StageRecordsWritten(); }

signals:
    // One or more stage records (ChargeNum, ClearTime) were written.
    void StageRecordsWritten();
    // The record file is a link to `file`, which cannot be reached: nothing
    // is saved until it can. Sent once until it can be reached again.
    void RecordFileUnreachable(const QString& file);

private:
    RecordsNotice() = default;
};
