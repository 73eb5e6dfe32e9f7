#include "fretboard.h"

#include "app/ui.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFocusRect>

PointMarker::PointMarker(QWidget *parent, int string, int fret)
    : QWidget(parent), m_fill(board::Yellow), m_string(string), m_fret(fret)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PointMarker::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    update();
}

void PointMarker::setMeaning(int note, int degree, bool root)
{
    m_note = note;
    m_degree = degree;
    m_root = root;
}

QString PointMarker::spokenName() const
{
    if (m_degree == 0)
        return QString();
    return QStringLiteral("String %1, fret %2: %3, degree %4%5")
        .arg(m_string)
        .arg(m_fret)
        .arg(ui::noteName(m_note))
        .arg(m_degree)
        .arg(m_root ? QStringLiteral(", root") : QString());
}

void PointMarker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_fill.darker(220), 1.0));
    painter.setBrush(m_fill);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

FretboardPicture::FretboardPicture(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setPixmap(ui::picture(QStringLiteral("fretboard")));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::TabFocus);
}

QRect FretboardPicture::inside(int left, int top, int width, int height)
{
    // Child positions are measured from inside the border.
    return ui::twips(left, top, width, height).translated(1, 1);
}

void FretboardPicture::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
