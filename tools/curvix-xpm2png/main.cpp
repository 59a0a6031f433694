// curvix-xpm2png IN.xpm OUT.png: converts one icon image, keeping its
// transparent pixels. Exit status 1 when either file fails.
#include <QImage>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: curvix-xpm2png IN.xpm OUT.png\n", stderr);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]), "XPM");
    if (image.isNull()) {
        std::fprintf(stderr, "curvix-xpm2png: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "curvix-xpm2png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
