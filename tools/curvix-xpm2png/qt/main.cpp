// curvix-xpm2png IN.xpm OUT.png [SIZE]: converts one icon image, keeping its
// transparent pixels; with SIZE, each pixel is repeated to make a square
// SIZE pixels wide (SIZE a multiple of the image's). Exit status 1 when
// either file fails; OUT is replaced only by a completely written image.
#include "WriteFileAtomically.h"

#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

int main(int argc, char* argv[]) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: curvix-xpm2png IN.xpm OUT.png [SIZE]\n", stderr);
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]), "XPM");
    if (image.isNull()) {
        std::fprintf(stderr, "curvix-xpm2png: cannot read %s\n", argv[1]);
        return 1;
    }
    const int size = argc == 4 ? std::atoi(argv[3]) : image.width();
    if (size <= 0 || size % image.width() != 0) {
        std::fprintf(stderr, "curvix-xpm2png: %s is no multiple of the image's size\n", argv[3]);
        return 2;
    }
    image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // Encoded in memory: QImage's own file writing does not see a write cut
    // short.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        std::fprintf(stderr, "curvix-xpm2png: cannot encode %s\n", argv[1]);
        return 1;
    }
    std::string cause;
    if (!curvix::WriteFileAtomically(
            argv[2], std::string_view(png.constData(), static_cast<std::size_t>(png.size())),
            cause)) {
        std::fprintf(stderr, "curvix-xpm2png: cannot write %s: %s\n", argv[2], cause.c_str());
        return 1;
    }
    return 0;
}
