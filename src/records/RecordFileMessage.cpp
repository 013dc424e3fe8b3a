// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFileMessage.h"

#include "records/RecordsNotice.h"
#include "shared/MsgBox.h"

#include <QCoreApplication>

void ShowRecordFileMessages()
{
    static bool shown = false;  // once for the whole run
    if (shown)
        return;
    shown = true;
    QObject::connect(
        &RecordsNotice::Instance(), &RecordsNotice::RecordFileUnreachable, QCoreApplication::instance(),
        [](const QString& file) {
            MsgBox(nullptr,
                   QCoreApplication::translate("RecordFileMessage",
                                               "記録ファイルのリンク先が見つかりません。\r\n%1\r\n"
                                               "見つかるようになるまで、記録は保存されません。")
                       .arg(file),
                   QCoreApplication::translate("RecordFileMessage", "ズミラク"), QMessageBox::Ok);
        },
        Qt::QueuedConnection);
}
