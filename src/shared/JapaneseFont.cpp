// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/JapaneseFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>

namespace {

bool desktopFontKept = false;

QString FindGothicFamily()
{
    // Compared with the list of installed families: asking for a family by
    // name that is not installed would start the slow search we avoid.
    const QStringList installed = QFontDatabase::families();
    const QString wanted[] = {QString::fromUtf16(GothicFamily), QStringLiteral("IPAPGothic"),
                              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")};
    for (const QString& family : wanted) {
        if (installed.contains(family))
            return family;
    }
    return QFontDatabase::families(QFontDatabase::Japanese).value(0);
}

QString FindGothicFamilyOnce()
{
    static const QString family = FindGothicFamily();
    return family;
}

// A face made for Latin text with letters of their own widths: the
// desktop's own when it is one, else the first installed of a short list.
// A face made for Japanese is not taken, whatever it says of its widths: its
// Latin letters are the typewriter's of the Gothic.
QString FindLatinFamily()
{
    const QFontInfo desktop(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    if (!desktop.fixedPitch() && !QFontDatabase::writingSystems(desktop.family()).contains(QFontDatabase::Japanese))
        return desktop.family();
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Noto Sans", "DejaVu Sans", "Liberation Sans", "Nimbus Sans", "FreeSans"}) {
        if (installed.contains(QLatin1String(family)))
            return QLatin1String(family);
    }
    return desktop.family();
}

} // namespace

void KeepDesktopFont()
{
    desktopFontKept = true;
    // A Japanese desktop's font is often a Gothic of fixed widths, whose
    // Latin letters look typed and whose quotes are as wide as a kanji
    // ("B' z"): English asks for a proportional Latin face first, and the
    // Gothic after it for the Japanese of names and stage titles.
    static const QString latin = FindLatinFamily();
    QStringList families{latin};
    if (const QString gothic = FindGothicFamilyOnce(); !gothic.isEmpty() && gothic != families.front())
        families << gothic;
    QFont font = QApplication::font();
    font.setFamilies(families);
    QApplication::setFont(font);
}

QString InstalledGothicFamily()
{
    if (desktopFontKept)
        return QString();
    return FindGothicFamilyOnce();
}

void UseGothicForEveryWindow()
{
    const QString family = InstalledGothicFamily();
    if (family.isEmpty())
        return;
    QFont font = QApplication::font();
    font.setFamilies({family});
    QApplication::setFont(font);
}

QFont GothicFont(double pointSize, bool bold)
{
    QFont font = QGuiApplication::font();
    const QString family = InstalledGothicFamily();
    if (!family.isEmpty())
        font.setFamilies({family});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
