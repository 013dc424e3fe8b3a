// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// The main window's one file-open dialog, shared by the wallpaper and the
// sound-file choosers. Each chooser sets its own title, filter and kind of
// file first. `Filter` uses the "Description|patterns|Description|patterns"
// notation, patterns separated by ';'.
class CommonDialog {
public:
    QString DialogTitle;
    QString Filter;
    QString FileName;
    // The player's standard folder for the kind of file asked for (pictures,
    // music). The dialog opens there the first time, and afterwards where
    // the last file of that kind was chosen.
    QStandardPaths::StandardLocation FileKind = QStandardPaths::HomeLocation;

    // The folder the dialog opens in for the current FileKind: the last one
    // chosen from, else the standard folder, else the home folder.
    QString StartFolder() const;

    // Shows the dialog modally. True when the player chose a file (FileName
    // then holds its full path); false when the dialog was cancelled, in
    // which case FileName and the start folders are left as they were.
    bool ShowOpen(QWidget* parent);
    // The same for a file to write: an existing file is confirmed before it
    // is replaced, and a name without extension gets `DefaultSuffix`.
    bool ShowSave(QWidget* parent);
    QString DefaultSuffix;
    // The name the save dialog proposes (in the start folder), if any.
    QString SuggestedName;

    // The filter converted to Qt's name filters, one entry per pair.
    static QStringList QtNameFilters(const QString& filter);

    // Tests answer the dialog instead of a player: the responder gets the
    // dialog as it would be shown and returns the chosen path, or nullopt
    // for a cancel (`Saving` tells which dialog it is). While a responder is
    // set no real dialog opens.
    using Responder = std::function<std::optional<QString>(const CommonDialog&)>;
    static void SetResponderForTesting(Responder responder);

    bool Saving = false;

private:
    bool Show(QWidget* parent, bool saving);

    QHash<QStandardPaths::StandardLocation, QString> lastFolders_;
};
