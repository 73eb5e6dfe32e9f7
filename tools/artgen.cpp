// SPDX-License-Identifier: GPL-3.0-or-later
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

// A picture drawn in design pixels and stored at `scale` device pixels to
// each, so the same drawing gives the normal and the high-density file.
class Canvas {
public:
    Canvas(int width, int height, double scale, uint background)
        : k(scale), image(int(std::lround(width * scale)), int(std::lround(height * scale)),
                          QImage::Format_Indexed8)
    {
        image.setColorTable(palette());
        image.fill(background);
    }

    // Inclusive rectangle of design pixels.
    void fillRect(int x0, int y0, int x1, int y1, uint colour)
    {
        fillDevice(int(std::lround(x0 * k)), int(std::lround(y0 * k)),
                   int(std::lround((x1 + 1) * k)) - 1, int(std::lround((y1 + 1) * k)) - 1, colour);
    }

    void dot(int x, int y, uint colour) { fillRect(x, y, x, y, colour); }

    void fillCircle(double cx, double cy, double r, uint colour)
    {
        cx *= k, cy *= k, r *= k;
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
                if (inside(x, y) && std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r)
                    image.setPixel(x, y, colour);
    }

    // A line of the given half-thickness, drawn as overlapping discs.
    void thickLine(QPointF a, QPointF b, double radius, uint colour)
    {
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const int steps = std::max(1, int(length * 2 * k));
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            fillCircle(a.x() + (b.x() - a.x()) * t, a.y() + (b.y() - a.y()) * t, radius, colour);
        }
    }

    // A one-pixel-high curve y(x) across design columns x0..x1.
    template <typename Curve>
    void curve(int x0, int x1, Curve y, uint colour)
    {
        for (int dx = int(x0 * k); dx < int((x1 + 1) * k); ++dx) {
            const int top = int(std::lround(y(dx / k) * k));
            fillDevice(dx, top, dx, top + int(std::lround(k)) - 1, colour);
        }
    }

    const double k;
    QImage image;

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < image.width() && y < image.height(); }

    void fillDevice(int x0, int y0, int x1, int y1, uint colour)
    {
        for (int y = std::max(0, y0); y <= std::min(image.height() - 1, y1); ++y)
            for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x)
                image.setPixel(x, y, colour);
    }
};

// A small deterministic generator for the grain.
struct Lcg {
    uint32_t state;
    uint32_t next() { return state = state * 1664525u + 1013904223u; }
    double unit() { return (next() >> 8) / double(1u << 24); }
};

QImage fretboard(double scale)
{
    constexpr int W = 630, H = 91;
    Canvas c(W, H, scale, Wood);

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
        c.curve(std::max(0, x0), std::min(W, x0 + length) - 1,
                [&](double x) { return y0 + amplitude * std::sin(phase + x * 6.283 / period); },
                colour);
    }

    // Position dots between the strings (fret spaces 3, 5, 7, 9 and 12).
    const int wires[12] = {77, 130, 181, 232, 282, 332, 381, 427, 471, 515, 557, 599};
    auto spaceCentre = [&](int space) { return (wires[space - 2] + 2 + wires[space - 1]) / 2.0; };
    for (int space : {3, 5, 7, 9})
        c.fillCircle(spaceCentre(space), 45.0, 3.4, Dot);
    c.fillCircle(spaceCentre(12), 32.0, 3.4, Dot);
    c.fillCircle(spaceCentre(12), 58.0, 3.4, Dot);

    // Nut band at the left.
    c.fillRect(2, 0, 29, H - 1, Nut);
    c.fillRect(28, 0, 29, H - 1, NutEdge);

    // Fret wires, with a thin shadow on their right.
    for (int x : wires) {
        c.fillRect(x, 0, x + 1, H - 1, FretWire);
        c.fillRect(x + 2, 0, x + 2, H - 1, FretShadow);
    }

    // Six strings, string 1 at the top.
    for (int y : {12, 25, 38, 51, 64, 77})
        c.fillRect(0, y, W - 1, y + 1, White);
    return c.image;
}

QImage guitarIcon(double scale)
{
    Canvas c(32, 32, scale, Transparent);

    // Neck from the body (lower left) to the head (upper right).
    c.thickLine({11, 21}, {26, 6}, 1.6, Black);
    c.thickLine({11, 21}, {25.5, 6.5}, 1.0, DarkRed);
    for (double t : {0.35, 0.5, 0.65, 0.8}) // frets
        c.dot(int(11 + 15 * t), int(21 - 15 * t) - 1, Chrome);
    // Head with tuning pegs.
    c.thickLine({26, 6}, {29.5, 2.5}, 1.8, Black);
    c.thickLine({26, 6}, {29, 3}, 1.1, DarkRed);
    for (QPoint peg : {QPoint(26, 3), QPoint(28, 1), QPoint(29, 6), QPoint(31, 4)})
        c.dot(peg.x(), peg.y(), Grey);

    // Body: a double-cutaway outline in black, filled white, with two
    // horns reaching up either side of the neck.
    struct Disc { double x, y, r; };
    const Disc body[] = {{9.0, 23.0, 6.6}, {12.0, 20.0, 5.0}, {10.6, 14.6, 2.0}, {17.4, 21.4, 2.0},
                         {11.2, 16.6, 2.6}, {15.4, 20.8, 2.6}};
    for (const Disc &d : body)
        c.fillCircle(d.x, d.y, d.r + 1.0, Black);
    for (const Disc &d : body)
        c.fillCircle(d.x, d.y, d.r, White);
    // Pickups, bridge and control knobs.
    c.thickLine({10.0, 18.0}, {14.0, 22.0}, 0.6, Black);
    c.thickLine({7.5, 20.5}, {11.5, 24.5}, 0.6, Black);
    c.thickLine({5.0, 23.5}, {8.5, 27.0}, 0.7, Grey);
    c.dot(11, 28, DarkRed);
    c.dot(13, 27, DarkRed);
    // Strings over the body up to the neck.
    c.thickLine({6, 26}, {12, 20}, 0.3, Chrome);
    return c.image;
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen RESOURCE_DIR ICON_THEME_DIR\n");
        return 2;
    }
    static_assert(PaletteSize == 16, "the pictures are 16-colour");
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    const QDir theme(QString::fromLocal8Bit(argv[2]));

    bool ok = save(fretboard(1), resources.filePath(QStringLiteral("fretboard.png"))) &&
              save(fretboard(2), resources.filePath(QStringLiteral("fretboard@2x.png"))) &&
              save(guitarIcon(1), resources.filePath(QStringLiteral("guitar.png"))) &&
              save(guitarIcon(2), resources.filePath(QStringLiteral("guitar@2x.png")));

    // The launcher icon in the sizes of the hicolor theme. 16 pixels is too
    // small to draw the outline at, so it is reduced from the 32-pixel one.
    const struct { int size; QImage image; } icons[] = {
        {16, guitarIcon(1).convertToFormat(QImage::Format_ARGB32)
                 .scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)},
        {32, guitarIcon(1)},
        {48, guitarIcon(1.5)},
        {128, guitarIcon(4)},
    };
    for (const auto &icon : icons) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(icon.size);
        ok = ok && theme.mkpath(dir) &&
             save(icon.image, theme.filePath(dir + QStringLiteral("/org.fretsight.FretSight.png")));
    }
    return ok ? 0 : 1;
}
