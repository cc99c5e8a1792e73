#include "app/BusyIndicator.h"

#include <QPainter>
#include <cmath>

namespace {
constexpr int kDots = 8;
}

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
    setFixedSize(28, 27);
    timer_.setInterval(90);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kDots;
        update();
    });
}

void BusyIndicator::showEvent(QShowEvent*) { timer_.start(); }
void BusyIndicator::hideEvent(QHideEvent*) { timer_.stop(); }

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double radius = std::min(width(), height()) / 2.0 - 4;
    const QColor base = palette().color(QPalette::Highlight);
    for (int i = 0; i < kDots; ++i) {
        const double angle = 2 * M_PI * i / kDots;
        const int age = (frame_ - i + kDots) % kDots;  // 0 = the leading dot
        QColor c = base;
        c.setAlphaF(1.0 - age / double(kDots) * 0.85);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        const QPointF at = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        p.drawEllipse(at, 2.6, 2.6);
    }
}
