// Draws the fretboard bitmap and the guitar icon that the program ships.
// Usage: artgen OUTPUT_DIR   (writes fretboard.png and guitar.png)
//
// Both pictures use a fixed 16-colour palette and are drawn pixel by pixel
// without smoothing, so the output is the same on every run.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QVector>

#include <cmath>
#include <cstdio>

namespace {

// Palette indexes.
enum Colour : uint {
    Transparent, Black, White, WoodDark, Wood, WoodLight, WoodStreak, Nut, NutEdge,
    FretWire, FretShadow, Dot, DarkRed, Red, Grey, Chrome, PaletteSize
};

QVector<QRgb> palette()
{
    return {
        qRgba(0, 0, 0, 0),       qRgb(0, 0, 0),         qRgb(255, 255, 255),
        qRgb(92, 38, 22),        qRgb(128, 56, 32),     qRgb(150, 72, 40),
        qRgb(110, 46, 26),       qRgb(85, 85, 30),      qRgb(60, 60, 20),
        qRgb(215, 215, 200),     qRgb(150, 140, 120),   qRgb(240, 228, 196),
        qRgb(128, 0, 0),         qRgb(176, 24, 24),     qRgb(128, 128, 128),
        qRgb(200, 200, 200),
    };
}

QImage canvas(int width, int height, uint background)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette());
    image.fill(background);
    return image;
}

void fillRect(QImage &image, int x0, int y0, int x1, int y1, uint colour)
{
    for (int y = std::max(0, y0); y <= std::min(image.height() - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x)
            image.setPixel(x, y, colour);
}

void fillCircle(QImage &image, double cx, double cy, double r, uint colour)
{
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
            if (x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
                std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r)
                image.setPixel(x, y, colour);
}

// A small deterministic generator for the grain.
struct Lcg {
    uint32_t state;
    uint32_t next() { return state = state * 1664525u + 1013904223u; }
    double unit() { return (next() >> 8) / double(1u << 24); }
};

QImage fretboard()
{
    constexpr int W = 630, H = 91;
    QImage image = canvas(W, H, Wood);

    // Wood grain: long wavy streaks along the neck.
    Lcg rng{20261206u};
    for (int streak = 0; streak < 70; ++streak) {
        const double y0 = rng.unit() * H;
        const double amplitude = 0.6 + rng.unit() * 1.8;
        const double period = 90 + rng.unit() * 220;
        const double phase = rng.unit() * 6.283;
        const int x0 = int(rng.unit() * W * 0.8) - 60;
        const int length = 120 + int(rng.unit() * 420);
        const uint colour = streak % 3 == 0 ? WoodDark : (streak % 3 == 1 ? WoodStreak : WoodLight);
        for (int x = std::max(0, x0); x < std::min(W, x0 + length); ++x) {
            const int y = int(std::lround(y0 + amplitude * std::sin(phase + x * 6.283 / period)));
            if (y >= 0 && y < H)
                image.setPixel(x, y, colour);
        }
    }

    // Position dots between the strings (fret spaces 3, 5, 7, 9 and 12).
    const int wires[12] = {77, 130, 181, 232, 282, 332, 381, 427, 471, 515, 557, 599};
    auto spaceCentre = [&](int space) { return (wires[space - 2] + 2 + wires[space - 1]) / 2.0; };
    for (int space : {3, 5, 7, 9})
        fillCircle(image, spaceCentre(space), 45.0, 3.4, Dot);
    fillCircle(image, spaceCentre(12), 32.0, 3.4, Dot);
    fillCircle(image, spaceCentre(12), 58.0, 3.4, Dot);

    // Nut band at the left.
    fillRect(image, 2, 0, 29, H - 1, Nut);
    fillRect(image, 28, 0, 29, H - 1, NutEdge);

    // Fret wires, with a thin shadow on their right.
    for (int x : wires) {
        fillRect(image, x, 0, x + 1, H - 1, FretWire);
        fillRect(image, x + 2, 0, x + 2, H - 1, FretShadow);
    }

    // Six strings, string 1 at the top.
    for (int y : {12, 25, 38, 51, 64, 77})
        fillRect(image, 0, y, W - 1, y + 1, White);
    return image;
}

// A line of the given thickness, drawn as overlapping discs.
void thickLine(QImage &image, QPointF a, QPointF b, double radius, uint colour)
{
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    const int steps = std::max(1, int(length * 2));
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        fillCircle(image, a.x() + (b.x() - a.x()) * t, a.y() + (b.y() - a.y()) * t, radius, colour);
    }
}

QImage guitarIcon()
{
    QImage image = canvas(32, 32, Transparent);

    // Neck from the body (lower left) to the head (upper right).
    thickLine(image, {11, 21}, {26, 6}, 1.6, Black);
    thickLine(image, {11, 21}, {25.5, 6.5}, 1.0, DarkRed);
    // Frets on the neck.
    for (double t : {0.35, 0.5, 0.65, 0.8}) {
        const double x = 11 + 15 * t, y = 21 - 15 * t;
        image.setPixel(int(x), int(y) - 1, Chrome);
    }
    // Head with tuning pegs.
    thickLine(image, {26, 6}, {29.5, 2.5}, 1.8, Black);
    thickLine(image, {26, 6}, {29, 3}, 1.1, DarkRed);
    for (QPoint peg : {QPoint(26, 3), QPoint(28, 1), QPoint(29, 6), QPoint(31, 4)})
        image.setPixel(peg, Grey);

    // Body: a double-cutaway outline in black, filled white, with two
    // horns reaching up either side of the neck.
    struct Disc { double x, y, r; };
    const Disc body[] = {{9.0, 23.0, 6.6}, {12.0, 20.0, 5.0}, {10.6, 14.6, 2.0}, {17.4, 21.4, 2.0},
                         {11.2, 16.6, 2.6}, {15.4, 20.8, 2.6}};
    for (const Disc &d : body)
        fillCircle(image, d.x, d.y, d.r + 1.0, Black);
    for (const Disc &d : body)
        fillCircle(image, d.x, d.y, d.r, White);
    // Pickguard, pickups, bridge and control knobs.
    thickLine(image, {10.0, 18.0}, {14.0, 22.0}, 0.6, Black);
    thickLine(image, {7.5, 20.5}, {11.5, 24.5}, 0.6, Black);
    thickLine(image, {5.0, 23.5}, {8.5, 27.0}, 0.7, Grey);
    image.setPixel(11, 28, DarkRed);
    image.setPixel(13, 27, DarkRed);
    // Strings over the body up to the neck.
    thickLine(image, {6, 26}, {12, 20}, 0.3, Chrome);
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    static_assert(PaletteSize == 16, "the pictures are 16-colour");
    const bool ok = save(fretboard(), out.filePath(QStringLiteral("fretboard.png"))) &&
                    save(guitarIcon(), out.filePath(QStringLiteral("guitar.png")));
    return ok ? 0 : 1;
}
