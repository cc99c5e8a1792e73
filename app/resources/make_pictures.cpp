// Draws the program's pictures into PNG files: make_pictures <output folder>.
// The files are kept in the repository; run this again only to change a picture.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace {

const QColor kRed(176, 24, 32);
const QColor kDarkRed(110, 12, 18);
const QColor kInk(52, 58, 68);
const QColor kSteel(96, 110, 128);

QString outDir;

void save(const QString& name, int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    draw(p);
    p.end();
    img.save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QFont font(int px, bool bold = true) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// A gear outline: teeth around a ring.
QPainterPath gear(QPointF c, double outer, double inner, int teeth) {
    QPainterPath path;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = M_PI * i / teeth;
        const double a1 = M_PI * (i + 1) / teeth;
        const double r = (i % 2 == 0) ? outer : inner;
        const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
        const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
        if (i == 0) path.moveTo(p0);
        else path.lineTo(p0);
        path.lineTo(p1);
    }
    path.closeSubpath();
    return path;
}

void logo(QPainter& p) {
    // Emblem: a red gear with a white wheel hub, then the name.
    QPainterPath g = gear({50, 50}, 42, 34, 12);
    QRadialGradient rg(QPointF(44, 40), 48);
    rg.setColorAt(0, kRed.lighter(130));
    rg.setColorAt(1, kDarkRed);
    p.fillPath(g, rg);
    p.setPen(QPen(Qt::white, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 50), 20, 20);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(50, 50), 7, 7);
    for (int i = 0; i < 5; ++i) {
        const double a = 2 * M_PI * i / 5 - M_PI / 2;
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(50, 50), QPointF(50 + std::cos(a) * 18, 50 + std::sin(a) * 18));
    }
    p.setPen(kDarkRed);
    p.setFont(font(38));
    p.drawText(QRect(104, 8, 296, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("KORVEL"));
    p.setPen(kInk);
    p.setFont(font(25));
    p.drawText(QRect(106, 52, 296, 34), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("OTOMOTİV"));
    p.setPen(QPen(kRed, 3));
    p.drawLine(106, 90, 396, 90);
    p.setPen(kSteel);
    p.setFont(font(11, false));
    p.drawText(QRect(250, 56, 148, 30), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("B2B"));
}

void magnifier(QPainter& p, double s, QColor color) {
    p.setPen(QPen(color, s * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(s * 0.42, s * 0.42), s * 0.27, s * 0.27);
    p.setPen(QPen(color, s * 0.17, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.62, s * 0.62), QPointF(s * 0.88, s * 0.88));
}

void menuButton(QPainter& p) {
    QPainterPath g = gear({24, 24}, 21, 16, 10);
    p.fillPath(g, kSteel);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24, 24), 11, 11);
    p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(18, 19 + i * 5), QPointF(30, 19 + i * 5));
}

void clear(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 8), QPointF(8, 16));
}

// Tab icons, 24 x 24, white lines so they read on the dark tabs.
void tabList(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        p.drawPoint(QPointF(5, 6 + i * 4.5));
        p.drawLine(QPointF(9, 6 + i * 4.5), QPointF(20, 6 + i * 4.5));
    }
}

void tabCart(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(2, 4);
    path.lineTo(6, 4);
    path.lineTo(9, 15);
    path.lineTo(19, 15);
    path.lineTo(21, 7);
    path.lineTo(7, 7);
    p.drawPath(path);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 19), 1.6, 1.6);
    p.drawEllipse(QPointF(18, 19), 1.6, 1.6);
}

void tabOrders(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 4, 14, 17), 2, 2);
    p.drawRect(QRectF(9, 2, 6, 4));
    p.drawLine(QPointF(8, 11), QPointF(16, 11));
    p.drawLine(QPointF(8, 15), QPointF(14, 15));
}

void tabStatement(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 3, 16, 18));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(6, 8 + i * 4), QPointF(10, 8 + i * 4));
        p.drawLine(QPointF(14, 8 + i * 4), QPointF(18, 8 + i * 4));
    }
}

void tabNew(QPainter& p) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = M_PI * i / 5 - M_PI / 2;
        const double r = i % 2 == 0 ? 10.5 : 4.5;
        const QPointF pt(12 + std::cos(a) * r, 12.5 + std::sin(a) * r);
        if (i == 0) star.moveTo(pt);
        else star.lineTo(pt);
    }
    star.closeSubpath();
    p.fillPath(star, QColor(255, 214, 64));
    p.setPen(QPen(Qt::white, 1));
    p.drawPath(star);
}

void tabCampaign(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tag;
    tag.moveTo(3, 3);
    tag.lineTo(12, 3);
    tag.lineTo(21, 12);
    tag.lineTo(12, 21);
    tag.lineTo(3, 12);
    tag.closeSubpath();
    p.drawPath(tag);
    p.setFont(font(9));
    p.drawText(QRectF(6, 7, 13, 11), Qt::AlignCenter, QStringLiteral("%"));
}

void tabNotices(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath horn;
    horn.moveTo(4, 9);
    horn.lineTo(9, 9);
    horn.lineTo(18, 4);
    horn.lineTo(18, 20);
    horn.lineTo(9, 15);
    horn.lineTo(4, 15);
    horn.closeSubpath();
    p.drawPath(horn);
    p.drawLine(QPointF(8, 15), QPointF(10, 21));
    p.drawLine(QPointF(21, 10), QPointF(21, 14));
}

void tabBalances(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(12, 3), QPointF(12, 20));
    p.drawLine(QPointF(4, 6), QPointF(20, 6));
    p.drawLine(QPointF(7, 21), QPointF(17, 21));
    p.drawArc(QRectF(1, 8, 8, 6), 180 * 16, 180 * 16);
    p.drawArc(QRectF(15, 8, 8, 6), 180 * 16, 180 * 16);
    p.drawLine(QPointF(4, 6), QPointF(1.5, 11));
    p.drawLine(QPointF(4, 6), QPointF(8.5, 11));
    p.drawLine(QPointF(20, 6), QPointF(15.5, 11));
    p.drawLine(QPointF(20, 6), QPointF(22.5, 11));
}

void tabPos(QPainter& p) {
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 5, 20, 14), 2, 2);
    p.fillRect(QRectF(2, 8, 20, 3), Qt::white);
    p.drawLine(QPointF(5, 15), QPointF(10, 15));
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    save(QStringLiteral("logo"), 402, 100, logo);
    save(QStringLiteral("magnifier"), 32, 32, [](QPainter& p) { magnifier(p, 32, kInk); });
    save(QStringLiteral("search"), 24, 24, [](QPainter& p) { magnifier(p, 24, kRed); });
    save(QStringLiteral("clear"), 24, 24, clear);
    save(QStringLiteral("menu"), 48, 48, menuButton);
    save(QStringLiteral("tab_stock"), 24, 24, tabList);
    save(QStringLiteral("tab_cart"), 24, 24, tabCart);
    save(QStringLiteral("tab_orders"), 24, 24, tabOrders);
    save(QStringLiteral("tab_statement"), 24, 24, tabStatement);
    save(QStringLiteral("tab_new"), 24, 24, tabNew);
    save(QStringLiteral("tab_campaign"), 24, 24, tabCampaign);
    save(QStringLiteral("tab_notices"), 24, 24, tabNotices);
    save(QStringLiteral("tab_balances"), 24, 24, tabBalances);
    save(QStringLiteral("tab_pos"), 24, 24, tabPos);
    return 0;
}
