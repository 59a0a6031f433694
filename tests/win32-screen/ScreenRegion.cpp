// curvix-screen-region: compares a rectangle of the X screen with a PNG.
//   curvix-screen-region X Y WIDTH HEIGHT same|differs REFERENCE.png [SAVE.png]
// "same": every channel of every pixel within 1 of the reference's; "differs":
// more than that anywhere. The status is 0 when the claim holds, 1 when it
// does not (the first differing pixel and the count are printed), 2 when
// the screen or the file cannot be read. SAVE.png keeps what the screen
// showed.

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

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 7 && argc != 8) {
        std::fprintf(stderr, "usage: %s X Y WIDTH HEIGHT same|differs REFERENCE.png [SAVE.png]\n",
                     argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    const bool wantSame = std::strcmp(argv[5], "same") == 0;
    QScreen* screen = QGuiApplication::primaryScreen();
    const QImage expected =
        QImage(QString::fromLocal8Bit(argv[6])).convertToFormat(QImage::Format_RGB32);
    if (screen == nullptr || expected.isNull() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "cannot read the screen or %s\n", argv[6]);
        return 2;
    }
    const QImage shown =
        screen->grabWindow(0, x, y, width, height).toImage().convertToFormat(QImage::Format_RGB32);
    if (argc == 8)
        shown.save(QString::fromLocal8Bit(argv[7]));
    if (shown.size() != expected.size()) {
        std::printf("the screen's %dx%d at %d,%d is not the reference's %dx%d\n", shown.width(),
                    shown.height(), x, y, expected.width(), expected.height());
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
        std::printf("the screen shows the reference's pixels\n");
        return 1;
    }
    return 0;
}
