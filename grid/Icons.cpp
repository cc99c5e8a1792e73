#include "grid/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace grid {

namespace {

const QColor kGreen(46, 160, 67);
const QColor kRed(208, 48, 48);
const QColor kBlue(40, 110, 210);
const QColor kOrange(240, 140, 30);
const QColor kYellow(235, 200, 40);

void ball(QPainter* p, const QRectF& r, const QColor& c) {
    QRadialGradient g(r.center() - QPointF(r.width() / 6, r.height() / 6), r.width() / 1.6);
    g.setColorAt(0, c.lighter(170));
    g.setColorAt(1, c.darker(115));
    p->setPen(QPen(c.darker(150), 1));
    p->setBrush(g);
    p->drawEllipse(r.adjusted(1, 1, -1, -1));
}

void truck(QPainter* p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    p->setPen(QPen(QColor(60, 60, 60), 1));
    p->setBrush(QColor(70, 120, 200));
    p->drawRect(QRectF(r.left() + w * 0.05, r.top() + h * 0.25, w * 0.55, h * 0.45));  // box
    p->setBrush(QColor(220, 60, 50));
    QPainterPath cab;
    cab.moveTo(r.left() + w * 0.62, r.top() + h * 0.38);
    cab.lineTo(r.left() + w * 0.82, r.top() + h * 0.38);
    cab.lineTo(r.left() + w * 0.95, r.top() + h * 0.55);
    cab.lineTo(r.left() + w * 0.95, r.top() + h * 0.70);
    cab.lineTo(r.left() + w * 0.62, r.top() + h * 0.70);
    cab.closeSubpath();
    p->drawPath(cab);
    p->setBrush(QColor(40, 40, 40));
    const qreal d = w * 0.2;
    p->drawEllipse(QRectF(r.left() + w * 0.12, r.top() + h * 0.66, d, d));
    p->drawEllipse(QRectF(r.left() + w * 0.68, r.top() + h * 0.66, d, d));
}

void clipboard(QPainter* p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    p->setPen(QPen(QColor(150, 120, 20), 1));
    p->setBrush(kYellow);
    p->drawRoundedRect(QRectF(r.left() + w * 0.18, r.top() + h * 0.12, w * 0.64, h * 0.82), 2, 2);
    p->setBrush(QColor(120, 120, 120));
    p->drawRect(QRectF(r.left() + w * 0.36, r.top() + h * 0.05, w * 0.28, h * 0.14));
    p->setPen(QPen(QColor(110, 90, 20), 1));
    for (int i = 0; i < 3; ++i) {
        const qreal y = r.top() + h * (0.38 + 0.17 * i);
        p->drawLine(QPointF(r.left() + w * 0.3, y), QPointF(r.left() + w * 0.7, y));
    }
}

void telephone(QPainter* p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    p->setPen(QPen(kOrange.darker(150), 1));
    p->setBrush(kOrange);
    // handset
    p->drawRoundedRect(QRectF(r.left() + w * 0.1, r.top() + h * 0.12, w * 0.8, h * 0.22), 3, 3);
    // body
    QPainterPath body;
    body.moveTo(r.left() + w * 0.3, r.top() + h * 0.34);
    body.lineTo(r.left() + w * 0.7, r.top() + h * 0.34);
    body.lineTo(r.left() + w * 0.9, r.top() + h * 0.9);
    body.lineTo(r.left() + w * 0.1, r.top() + h * 0.9);
    body.closeSubpath();
    p->drawPath(body);
    p->setBrush(Qt::white);
    p->drawEllipse(QRectF(r.left() + w * 0.38, r.top() + h * 0.5, w * 0.24, h * 0.24));
}

void camera(QPainter* p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    p->setPen(QPen(QColor(40, 40, 40), 1));
    p->setBrush(QColor(90, 90, 100));
    p->drawRect(QRectF(r.left() + w * 0.32, r.top() + h * 0.2, w * 0.3, h * 0.15));
    p->drawRoundedRect(QRectF(r.left() + w * 0.08, r.top() + h * 0.32, w * 0.84, h * 0.52), 2, 2);
    p->setBrush(QColor(150, 200, 240));
    p->drawEllipse(QRectF(r.left() + w * 0.34, r.top() + h * 0.4, w * 0.32, h * 0.36));
}

void tick(QPainter* p, const QRectF& r) {
    const qreal w = r.width(), h = r.height();
    QPainterPath path;
    path.moveTo(r.left() + w * 0.12, r.top() + h * 0.55);
    path.lineTo(r.left() + w * 0.40, r.top() + h * 0.82);
    path.lineTo(r.left() + w * 0.90, r.top() + h * 0.22);
    p->setPen(QPen(kGreen, qMax<qreal>(2.0, w / 7), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    p->drawPath(path);
}

void paintStockState(QPainter* p, const QRectF& r, int code) {
    switch (code) {
    case kStockStateEmpty: ball(p, r, kOrange); break;
    case StockNone: ball(p, r, kRed); break;
    case StockAvailable: ball(p, r, kGreen); break;
    case StockCallUs: telephone(p, r); break;
    case StockOnTheWay: truck(p, r); break;
    case StockSpecialOrder: ball(p, r, kBlue); break;
    case StockInProcurement: clipboard(p, r); break;
    default: break;
    }
}

}  // namespace

QString stockStateMeaning(int code) {
    switch (code) {
    case StockNone: return QStringLiteral("Yok");
    case StockAvailable: return QStringLiteral("Var");
    case StockCallUs: return QStringLiteral("Telefon Açınız");
    case StockOnTheWay: return QStringLiteral("Yolda");
    case StockSpecialOrder: return QStringLiteral("Özel Sipariş");
    case StockInProcurement: return QStringLiteral("Tedarik Sürecinde");
    default: return {};
    }
}

int iconCode(IconSet set, const data::Cell& cell) {
    if (data::cellIsNull(cell)) return kStockStateEmpty;
    if (set == IconSet::Warehouse) {
        if (!std::holds_alternative<std::string>(cell)) return -2;
        const auto text = QString::fromStdString(std::get<std::string>(cell)).trimmed();
        if (text.compare(QLatin1String("VAR"), Qt::CaseInsensitive) == 0) return 1;
        if (text.compare(QLatin1String("YOK"), Qt::CaseInsensitive) == 0) return 0;
        return -2;
    }
    try {
        return static_cast<int>(data::cellToInteger(cell));
    } catch (const std::exception&) {
        return -2;
    }
}

bool hasIcon(IconSet set, const data::Cell& cell) {
    const int code = iconCode(set, cell);
    switch (set) {
    case IconSet::StockState: return code == kStockStateEmpty || (code >= 0 && code <= 5);
    case IconSet::Warehouse: return code == 0 || code == 1;
    case IconSet::Camera:
    case IconSet::Tick: return code == 1;
    case IconSet::None: return false;
    }
    return false;
}

QString iconMeaning(IconSet set, const data::Cell& cell) {
    const int code = iconCode(set, cell);
    switch (set) {
    case IconSet::StockState: return stockStateMeaning(code);
    case IconSet::Warehouse:
        return code == 1 ? QStringLiteral("Depoda var") : code == 0 ? QStringLiteral("Depoda yok") : QString();
    case IconSet::Camera: return code == 1 ? QStringLiteral("Resim var") : QString();
    case IconSet::Tick: return code == 1 ? QStringLiteral("Evet") : QString();
    case IconSet::None: break;
    }
    return {};
}

void paintIcon(QPainter* painter, const QRect& rect, IconSet set, const data::Cell& cell, int size) {
    if (!hasIcon(set, cell)) return;
    const int s = qMin(size, qMin(rect.width(), rect.height()) - 2);
    if (s <= 2) return;
    const QRectF r(rect.left() + (rect.width() - s) / 2.0, rect.top() + (rect.height() - s) / 2.0, s, s);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const int code = iconCode(set, cell);
    switch (set) {
    case IconSet::StockState: paintStockState(painter, r, code); break;
    case IconSet::Warehouse: ball(painter, r, code == 1 ? kGreen : kRed); break;
    case IconSet::Camera: camera(painter, r); break;
    case IconSet::Tick: tick(painter, r); break;
    case IconSet::None: break;
    }
    painter->restore();
}

QPixmap stockStatePixmap(int code, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const data::Cell cell = code == kStockStateEmpty ? data::Cell{} : data::Cell{std::int64_t{code}};
    paintIcon(&p, QRect(0, 0, size, size), IconSet::StockState, cell, size);
    return pm;
}

}  // namespace grid
