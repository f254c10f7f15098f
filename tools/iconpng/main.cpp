// keno_iconpng OUTDIR SIZE...: writes the program's own icon, as the game paints it, to
// OUTDIR/SIZExSIZE/apps/keno22.png for the desktop's icon theme. Runs on the build host, without a display.
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include "widgets/KenoIcon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: keno_iconpng OUTDIR SIZE...\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");  // a build machine has no display, and needs none
    QGuiApplication application(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "keno_iconpng: not an icon size: %s\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        const QString file = folder + QStringLiteral("/keno22.png");
        if (!QDir().mkpath(folder) || !keno::KenoIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "keno_iconpng: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
