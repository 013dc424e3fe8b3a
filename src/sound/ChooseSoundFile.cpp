// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/ChooseSoundFile.h"

#include "shared/CommonDialog.h"

namespace {

// Dialog titles of kinds 1..4, in menu order.
const char16_t* const dialogTitles[] = {
    u"ボール選択音",
    u"ボールが選択できない時の音",
    u"面クリア時の音",
    u"バックミュージック",
};

} // namespace

std::optional<QString> ChooseSoundFile(std::int16_t kind, CommonDialog& dialog, QWidget* parent)
{
    if (kind < 1 || kind > 4)
        return std::nullopt;
    dialog.DialogTitle = QString::fromUtf16(dialogTitles[kind - 1]);
    // Set every time: the wallpaper chooser shares the dialog with its own
    // filter and kind of file.
    dialog.Filter = QStringLiteral("Wavファイル (*.wav)|*.wav");
    dialog.FileKind = QStandardPaths::MusicLocation;
    // A cancel reports false and leaves whatever name another chooser left.
    if (!dialog.ShowOpen(parent) || dialog.FileName.isEmpty())
        return std::nullopt;
    return dialog.FileName;
}
