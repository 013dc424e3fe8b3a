// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InterfaceLanguage.h"
#include "app/MainForm.h"
#include "shared/MsgBox.h"

#include <QActionGroup>
#include <QMenu>

// The last item of the Options menu: the interface's language. Its caption
// and the languages' names read the same in every language, so that a player
// who cannot read the one on screen still finds them. The windows are built
// in one language for the run: the choice takes effect at the next start,
// which the menu says in both languages.
void MainForm::BuildLanguageMenu(QMenu& options)
{
    options.addSeparator();
    QMenu* languages = options.addMenu(InterfaceLanguage::MenuCaption());
    mnu_Language = languages->menuAction();
    auto* choices = new QActionGroup(this);
    choices->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    const QString stored = InterfaceLanguage::Stored();
    auto addChoice = [&](const QString& caption, const QString& language) {
        QAction* item = languages->addAction(caption);
        item->setCheckable(true);
        item->setChecked(language == stored);
        choices->addAction(item);
        connect(item, &QAction::triggered, this, [this, language] {
            if (!InterfaceLanguage::Store(language))
                MsgBox(this, tr("言語の設定を保存できませんでした。"), tr("ズミラク"), QMessageBox::Ok);
        });
    };
    for (const QString& language : InterfaceLanguage::Available())
        addChoice(InterfaceLanguage::NativeName(language), language);
    addChoice(tr("自動"), InterfaceLanguage::Automatic);
    languages->addSeparator();
    languages->addAction(InterfaceLanguage::NextStartNote())->setEnabled(false);
}
