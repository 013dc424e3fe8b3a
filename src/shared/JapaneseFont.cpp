#include "shared/JapaneseFont.h"

#include <QString>
#include <QStringList>

void InstallJapaneseFontSubstitutions()
{
    const QString family = QString::fromUtf16(GothicFamily);
    QFont::insertSubstitutions(family, {QStringLiteral("IPAPGothic"),
                                        QStringLiteral("IPA Pゴシック"),
                                        QStringLiteral("Noto Sans CJK JP"),
                                        QStringLiteral("IPAGothic")});
}

QFont GothicFont(double pointSize, bool bold)
{
    QFont font(QString::fromUtf16(GothicFamily));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
