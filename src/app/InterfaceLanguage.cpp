// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InterfaceLanguage.h"

#include "records/RegUpRead.h"
#include "shared/JapaneseFont.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <vector>

namespace InterfaceLanguage {

namespace {

// Where the build puts the compiled translations (translations/CMakeLists.txt).
const QString TranslationFolder = QStringLiteral(":/i18n");
const QString LanguageValue = QStringLiteral("Language");
// For a desktop in a language the program does not have.
const QString Fallback = QStringLiteral("en");

QString current = Japanese;
// What Install put in place, taken away again when it runs once more.
std::vector<QTranslator*> installed;

// "en-US" → "en": the program's translations are per language, not per country.
QString LanguageCode(const QString& uiLanguage)
{
    return uiLanguage.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
}

void InstallTranslator(QCoreApplication& app, const QString& file)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(file)) {
        QCoreApplication::installTranslator(translator);
        installed.push_back(translator);
    } else {
        delete translator;
    }
}

} // namespace

QString Choose(const QString& stored, const QStringList& uiLanguages, const QStringList& available)
{
    if (!stored.isEmpty() && available.contains(stored))
        return stored;
    for (const QString& uiLanguage : uiLanguages) {
        // Scripts and tests run in the C locale, where the program has always spoken Japanese.
        if (uiLanguage == u"C" || uiLanguage == u"POSIX")
            return Japanese;
        if (available.contains(LanguageCode(uiLanguage)))
            return LanguageCode(uiLanguage);
    }
    return Fallback;
}

QStringList Available()
{
    QStringList languages{Japanese};
    // Matched by hand: a name filter would compile a regular expression at
    // every start, which costs the start memory.
    const QStringList files = QDir(TranslationFolder).entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (file.startsWith(u"zumirak_") && file.endsWith(u".qm"))
            languages << file.section(u'_', 1).section(u'.', 0, 0);
    }
    return languages;
}

QString Stored()
{
    // Read before the instance lock, maybe while the running copy saves:
    // a read that changes nothing on disk and tells no one.
    return KeyStore::PeekValue(RegUpRead::HKEY_CURRENT_USER, RegUpRead::ProgramKey, LanguageValue);
}

bool Store(const QString& language)
{
    // Never creates the key: a player who has not registered yet has no menu to choose from.
    return RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, RegUpRead::ProgramKey, LanguageValue, language,
                                   false);
}

QString Current() { return current; }

void InstallProgramTexts(QCoreApplication& app)
{
    for (QTranslator* translator : installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed.clear();
    current = Choose(Stored(), QLocale::system().uiLanguages(), Available());
    if (current != Japanese)
        InstallTranslator(app, TranslationFolder + QStringLiteral("/zumirak_") + current + QStringLiteral(".qm"));
    // Names of months and weekdays (the date chooser's) in the interface's
    // language, as every other text, whatever the desktop's locale says.
    QLocale::setDefault(QLocale(current));
}

void Install(QApplication& app)
{
    InstallProgramTexts(app);
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (current == Japanese) {
        // The source texts need no translator; the buttons of message boxes
        // and file dialogs speak Japanese too, whatever the system's language.
        UseGothicForEveryWindow();
        InstallTranslator(app, qtTranslations + QStringLiteral("/qtbase_ja.qm"));
        return;
    }
    KeepDesktopFont();
    if (current != Fallback)  // Qt speaks English by itself
        InstallTranslator(app, qtTranslations + QStringLiteral("/qtbase_") + current + QStringLiteral(".qm"));
}

QString MenuCaption() { return QStringLiteral("言語 (&Language)"); }

QString NativeName(const QString& language)
{
    if (language == Japanese)
        return QStringLiteral("日本語");
    if (language == Fallback)
        return QStringLiteral("English");
    return QLocale(language).nativeLanguageName();
}

QString NextStartNote() { return QStringLiteral("次回の起動から (from the next start)"); }

} // namespace InterfaceLanguage
