#include "sound/ChooseSoundFile.h"

#include "play/DefModule.h"
#include "shared/CommonDialog.h"

namespace {

struct SoundKind {
    const char16_t* dialogTitle;
    QString* path;
};

// Kinds 1..4 in menu order.
const SoundKind kinds[] = {
    {u"ボール選択音", &DefModule::HitSoundPath},
    {u"ボールが選択できない時の音", &DefModule::NoSoundPath},
    {u"面クリア時の音", &DefModule::WinSoundPath},
    {u"バックミュージック", &DefModule::BackSoundPath},
};

} // namespace

void ChooseSoundFile(std::int16_t kind, CommonDialog& dialog, QWidget* parent)
{
    if (kind < 1 || kind > 4)
        return;
    const SoundKind& chosenKind = kinds[kind - 1];
    dialog.DialogTitle = QString::fromUtf16(chosenKind.dialogTitle);
    // Set every time: the wallpaper chooser shares the dialog with its own
    // filter and kind of file.
    dialog.Filter = QStringLiteral("Wavファイル (*.wav)|*.wav");
    dialog.FileKind = QStandardPaths::MusicLocation;
    // A cancel reports false and leaves whatever name another chooser left.
    if (!dialog.ShowOpen(parent) || dialog.FileName.isEmpty())
        return;
    *chosenKind.path = dialog.FileName;
}
