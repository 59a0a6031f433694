// curvix-image-check: compares pictures, for the Windows program's checks
// under Wine against curvix-render's.
//   curvix-image-check screen X Y WIDTH HEIGHT same|differs REFERENCE [SAVE.png]
//   curvix-image-check files PICTURE REFERENCE
// "screen" takes a rectangle of the X screen, "files" a picture file (PNG,
// PPM). "same": every channel of every pixel within 1 of the reference's;
// "differs": more than that somewhere. The status is 0 when the claim
// holds, 1 when it does not (the count and the first differing pixel are
// printed), 2 when a picture cannot be read. SAVE.png keeps what the
// screen showed.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Difference {
    long count = 0;
    int x = -1;
    int y = -1;
    QRgb shown = 0;
    QRgb expected = 0;
};

int Channel(QRgb pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

Difference Compare(const QImage& shown, const QImage& expected) {
    Difference difference;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            bool same = true;
            for (const int shift : {16, 8, 0})
                same = same && std::abs(Channel(a, shift) - Channel(b, shift)) <= 1;
            if (same)
                continue;
            if (difference.count++ == 0) {
                difference.x = x;
                difference.y = y;
                difference.shown = a;
                difference.expected = b;
            }
        }
    }
    return difference;
}

QImage Read(const char* path) {
    return QImage(QString::fromLocal8Bit(path)).convertToFormat(QImage::Format_RGB32);
}

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s screen X Y WIDTH HEIGHT same|differs REFERENCE [SAVE.png]\n"
                 "       %s files PICTURE REFERENCE\n",
                 program, program);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool screenMode = argc >= 8 && argc <= 9 && std::strcmp(argv[1], "screen") == 0;
    const bool filesMode = argc == 4 && std::strcmp(argv[1], "files") == 0;
    if (!screenMode && !filesMode)
        return Usage(argv[0]);
    QGuiApplication app(argc, argv);
    QImage shown;
    QImage expected;
    bool wantSame = true;
    if (filesMode) {
        shown = Read(argv[2]);
        expected = Read(argv[3]);
        if (shown.isNull() || expected.isNull()) {
            std::fprintf(stderr, "cannot read %s or %s\n", argv[2], argv[3]);
            return 2;
        }
    } else {
        const int width = std::atoi(argv[4]);
        const int height = std::atoi(argv[5]);
        wantSame = std::strcmp(argv[6], "same") == 0;
        QScreen* screen = QGuiApplication::primaryScreen();
        expected = Read(argv[7]);
        if (screen == nullptr || expected.isNull() || width <= 0 || height <= 0) {
            std::fprintf(stderr, "cannot read the screen or %s\n", argv[7]);
            return 2;
        }
        shown = screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]), width, height)
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32);
        if (argc == 9)
            shown.save(QString::fromLocal8Bit(argv[8]));
    }
    if (shown.size() != expected.size()) {
        std::printf("the picture's %dx%d is not the reference's %dx%d\n", shown.width(),
                    shown.height(), expected.width(), expected.height());
        return 1;
    }
    const Difference difference = Compare(shown, expected);
    if (wantSame && difference.count != 0) {
        std::printf("%ld pixels differ by more than 1; the first at %d,%d: #%06x shown, #%06x "
                    "expected\n",
                    difference.count, difference.x, difference.y, difference.shown & 0xFFFFFF,
                    difference.expected & 0xFFFFFF);
        return 1;
    }
    if (!wantSame && difference.count == 0) {
        std::printf("the picture has the reference's pixels\n");
        return 1;
    }
    return 0;
}
