#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

// A filled circle that marks one fretboard point.
class PointMarker : public QWidget {
public:
    PointMarker(QWidget *parent, int string, int fret);

    void setFillColor(const QColor &color);
    QColor fillColor() const { return m_fill; }

    // What the point stands for, as a screen reader announces it, e.g.
    // "String 1, fret 8: C, degree 1, root". Worked out when asked for.
    void setMeaning(int note, int degree, bool root);
    QString spokenName() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    const int m_string, m_fret;
    int m_note = 0, m_degree = 0;
    bool m_root = false;
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
