#include "app/ProgramPictures.h"

QPixmap TitlePicture()
{
    return QPixmap(QStringLiteral(":/zumirak/title.png"));
}

QIcon ProgramIcon()
{
    return QIcon(QStringLiteral(":/zumirak/icon.png"));
}
