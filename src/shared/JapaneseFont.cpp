// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/JapaneseFont.h"

#include <QApplication>
#include <QFontDatabase>
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

} // namespace

void KeepDesktopFont() { desktopFontKept = true; }

QString InstalledGothicFamily()
{
    if (desktopFontKept)
        return QString();
    static const QString family = FindGothicFamily();
    return family;
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
