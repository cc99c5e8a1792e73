#include "app/LegendIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

QPixmap stockLegendPixmap(int code, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double s = size;
    const QRectF disc(1, 1, s - 2, s - 2);
    const QPen white(Qt::white, s / 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto fillDisc = [&](QColor c) {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(disc);
        p.setBrush(Qt::NoBrush);
        p.setPen(white);
    };
    switch (code) {
    case 1:  // in stock: a tick
        fillDisc(QColor(46, 160, 67));
        p.drawPolyline(QPolygonF({{s * .28, s * .52}, {s * .44, s * .68}, {s * .72, s * .34}}));
        break;
    case 2:  // call us: a handset
        fillDisc(QColor(230, 126, 34));
        p.setPen(QPen(Qt::white, s / 6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(s * .28, s * .28, s * .44, s * .44), 200 * 16, 140 * 16);
        break;
    case 3: {  // on the way: a lorry
        fillDisc(QColor(41, 128, 185));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * .2, s * .35, s * .38, s * .25));
        p.drawRect(QRectF(s * .58, s * .44, s * .2, s * .16));
        p.drawEllipse(QPointF(s * .33, s * .66), s * .07, s * .07);
        p.drawEllipse(QPointF(s * .68, s * .66), s * .07, s * .07);
        break;
    }
    case 4: {  // special order: a star
        fillDisc(QColor(142, 68, 173));
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double a = M_PI * i / 5 - M_PI / 2;
            const double r = (i % 2 == 0 ? .34 : .15) * s;
            const QPointF pt(s / 2 + std::cos(a) * r, s / 2 + std::sin(a) * r);
            if (i == 0) star.moveTo(pt);
            else star.lineTo(pt);
        }
        star.closeSubpath();
        p.fillPath(star, Qt::white);
        break;
    }
    case 5:  // in procurement: an hourglass
        fillDisc(QColor(212, 172, 13));
        p.drawPolygon(QPolygonF({{s * .32, s * .25}, {s * .68, s * .25}, {s * .32, s * .75}, {s * .68, s * .75}}));
        break;
    default:  // none: a cross
        fillDisc(QColor(192, 57, 43));
        p.drawLine(QPointF(s * .32, s * .32), QPointF(s * .68, s * .68));
        p.drawLine(QPointF(s * .68, s * .32), QPointF(s * .32, s * .68));
        break;
    }
    return pm;
}
