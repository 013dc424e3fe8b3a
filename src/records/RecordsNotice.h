#pragma once

#include <QObject>

// Tells the windows that show stage records when the store's stage records
// have been written, so that each reads them again once per change instead
// of on every repaint. The store sends it after every write that reached the
// disk; a failed write changed nothing and sends nothing.
class RecordsNotice : public QObject {
    Q_OBJECT
public:
    static RecordsNotice& Instance();

    // Called by the store.
    void TellStageRecordsWritten() { emit StageRecordsWritten(); }

signals:
    // One or more stage records (ChargeNum, ClearTime) were written.
    void StageRecordsWritten();

private:
    RecordsNotice() = default;
};
