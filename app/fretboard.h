#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

// A filled circle that marks one fretboard point.
class PointMarker : public QWidget {
public:
    explicit PointMarker(QWidget *parent);

    void setFillColor(const QColor &color);
    QColor fillColor() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
};

// The fretboard bitmap inside a one-pixel border; it holds the point
// markers and degree labels and shows a focus frame when tabbed to.
class FretboardPicture : public QLabel {
public:
    explicit FretboardPicture(QWidget *parent);

    // Converts a position inside the picture (twips) to widget pixels.
    static QRect inside(int left, int top, int width, int height);

protected:
    void paintEvent(QPaintEvent *event) override;
};

namespace board {
inline const QColor Yellow(255, 255, 0);
inline const QColor Red(255, 0, 0);
} // namespace board
