// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/degreelabel.h"
#include "widgets/pointmarker.h"

#include <QPixmap>
#include <QWidget>

#include <deque>

// The fretboard picture inside a one-pixel border, with its point markers
// and their degree labels, all painted here in one pass: the picture, then
// every marker, then every label above them. The picture keeps its colours
// while the window is disabled. With the focus, the arrow keys walk over
// the points, and the focus and the point reached are marked.
class FretboardView : public QWidget {
    Q_OBJECT

public:
    static inline const QColor Yellow{255, 255, 0};
    static inline const QColor Red{255, 0, 0};

    explicit FretboardView(QWidget *parent = nullptr);

    // Converts a position inside the picture (twips) to widget pixels.
    static QRect inside(int left, int top, int width, int height);

    // Items are painted in the order they were added, markers below labels.
    PointMarker *addMarker(const QRect &geometry, int string, int fret);
    DegreeLabel *addLabel(const QRect &geometry);

    const std::deque<PointMarker> &markers() const { return m_markers; }
    void setLabelFont(const QFont &font) { m_labelFont = font; }

    // The point the arrow keys reached, string by string and fret by fret;
    // none until the first arrow key.
    const PointMarker *currentPoint() const;

signals:
    // The arrow keys reached a point, or, with an edge text ("No fret below
    // 0"), found the edge of the board there.
    void pointReached(const PointMarker *point, const QString &edge);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QPixmap m_picture;
    QFont m_labelFont;
    std::deque<PointMarker> m_markers; // stable addresses
    std::deque<DegreeLabel> m_labels;
    int m_current = -1; // index into m_markers
};
