// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/ChooseSoundFile.h"

#include "shared/CommonDialog.h"

#include <QCoreApplication>

namespace {

// Dialog titles of kinds 1..4, in menu order.
const char* const dialogTitles[] = {
    QT_TRANSLATE_NOOP("ChooseSoundFile", "ボール選択音"),
    QT_TRANSLATE_NOOP("ChooseSoundFile", "ボールが選択できない時の音"),
    QT_TRANSLATE_NOOP("ChooseSoundFile", "面クリア時の音"),
    QT_TRANSLATE_NOOP("ChooseSoundFile", "バックミュージック"),
};

} // namespace

std::optional<QString> ChooseSoundFile(std::int16_t kind, CommonDialog& dialog, QWidget* parent)
{
    if (kind < 1 || kind > 4)
        return std::nullopt;
    dialog.DialogTitle = QCoreApplication::translate("ChooseSoundFile", dialogTitles[kind - 1]);
    // Set every time: the wallpaper chooser shares the dialog with its own
    // filter and kind of file.
    dialog.Filter = QCoreApplication::translate("ChooseSoundFile", "Wavファイル (*.wav)|*.wav");
    dialog.FileKind = QStandardPaths::MusicLocation;
    // A cancel reports false and leaves whatever name another chooser left.
    if (!dialog.ShowOpen(parent) || dialog.FileName.isEmpty())
        return std::nullopt;
    return dialog.FileName;
}
