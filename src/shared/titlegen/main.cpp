// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the title picture into the PPM file named on the command line. Runs
// at build time on Qt's offscreen platform.
#include "shared/JapaneseFont.h"
#include "shared/titlegen/TitlePicture.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zumirak_titlegen <output.ppm>\n");
        return 2;
    }
    if (InstalledGothicFamily().isEmpty())
        std::fprintf(stderr, "zumirak_titlegen: no Japanese font installed, the title will lack its name\n");
    if (!DrawTitlePicture().save(QString::fromLocal8Bit(argv[1]), "PPM")) {
        std::fprintf(stderr, "zumirak_titlegen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
