// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QApplication;
class QCoreApplication;

// The language of the interface. Japanese is the source of every text and
// needs no translation; every other language is a zumirak_<code>.qm built
// into the program (translations/). The player's choice in the Options menu
// is kept in the record store and wins over the desktop's language; it takes
// effect at the next start.
namespace InterfaceLanguage {

// The code of the source language, and the choice that follows the desktop.
inline const QString Japanese = QStringLiteral("ja");
inline const QString Automatic = QString();

// The language to speak: the stored choice when it is one the program has,
// else the first of the desktop's interface languages (as QLocale's
// uiLanguages gives them) that it has; the C/POSIX locale counts as
// Japanese, and a desktop in none of them gets English.
QString Choose(const QString& stored, const QStringList& uiLanguages, const QStringList& available);

// The translated languages built into the program ("en", ...), Japanese first.
QStringList Available();

// The player's choice as the record store keeps it: a code, or Automatic.
QString Stored();
// Keeps the choice, with the store's crash-safe write. True when it reached the disk.
bool Store(const QString& language);

// The language in use since the start.
QString Current();

// Decides the language and installs its translations (the program's and
// Qt's own dialogs') and its font: the Gothic of the design for Japanese,
// the desktop's own font for every other language. Runs before any window;
// run again, it replaces what it installed before.
void Install(QApplication& app);

// Decides the language and installs the program's own texts only: for the
// command-line forms, which open no window (a stage they make up is titled
// in the player's language).
void InstallProgramTexts(QCoreApplication& app);

// The menu's texts that are the same in every language: the bilingual
// caption, a language's own name, and the note that the choice waits for the
// next start.
QString MenuCaption();
QString NativeName(const QString& language);
QString NextStartNote();

} // namespace InterfaceLanguage
