#include "app/TabDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionTab>
#include <QTabBar>

TSonuc parseTabCaption(const QString& caption) {
    TSonuc out;
    const int eq = caption.indexOf(QLatin1Char('='));
    if (eq < 0) {
        out.baslik = caption;
        return out;
    }
    bool ok = false;
    const int count = caption.left(eq).trimmed().toInt(&ok);
    out.sayi = ok ? count : 0;
    out.baslik = caption.mid(eq + 1, kTabTitleMaxLength);
    return out;
}

QString tabCaption(int count, const QString& title) { return QString::number(count) + QLatin1Char('=') + title; }

namespace {

bool isVertical(QTabBar::Shape shape) {
    switch (shape) {
    case QTabBar::RoundedWest:
    case QTabBar::RoundedEast:
    case QTabBar::TriangularWest:
    case QTabBar::TriangularEast: return true;
    default: return false;
    }
}

bool isWest(QTabBar::Shape shape) { return shape == QTabBar::RoundedWest || shape == QTabBar::TriangularWest; }

}  // namespace

TabBadgeStyle::TabBadgeStyle(QStyle* base) : QProxyStyle(base) {}

int TabBadgeStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    // The tab drawing wraps the whole title itself; the bar must not cut it short.
    if (hint == SH_TabBar_ElideMode) return Qt::ElideNone;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QSize TabBadgeStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_TabBarTab) {
        // Room for the count badge next to the title.
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
            const TSonuc parsed = parseTabCaption(tab->text);
            if (parsed.sayi > 0 && !isVertical(tab->shape))
                s.rwidth() += tab->fontMetrics.horizontalAdvance(QStringLiteral("(%1)").arg(parsed.sayi));
        }
    }
    return s;
}

void TabBadgeStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    if (!tab || (element != CE_TabBarTabShape && element != CE_TabBarTabLabel)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const bool selected = tab->state & State_Selected;
    const bool hover = (tab->state & State_MouseOver) && (tab->state & State_Enabled);

    if (element == CE_TabBarTabShape) {
        // One look for the selected tab, one for the tab under the mouse, one for the others.
        const QPalette& pal = tab->palette;
        QColor fill = pal.color(QPalette::Dark);
        if (selected) fill = pal.color(QPalette::Highlight);
        else if (hover) fill = pal.color(QPalette::Mid);
        QRect r = tab->rect.adjusted(1, 1, -1, 0);
        if (!selected && !isVertical(tab->shape)) r.adjust(0, 2, 0, 0);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        QPainterPath path;
        path.addRoundedRect(QRectF(r), 4, 4);
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, fill.lighter(125));
        gradient.setColorAt(1, fill);
        painter->fillPath(path, gradient);
        painter->setPen(QPen(pal.color(QPalette::Shadow), 1));
        painter->drawPath(path);
        painter->restore();
        return;
    }

    const TSonuc parsed = parseTabCaption(tab->text);
    const QColor textColor = tab->palette.color(QPalette::HighlightedText);
    QRect area = tab->rect;
    painter->save();
    painter->setPen(textColor);

    if (isVertical(tab->shape)) {
        // Rotated title, centred; no badge.
        painter->translate(area.center());
        painter->rotate(isWest(tab->shape) ? -90 : 90);
        const QRect rotated(-area.height() / 2, -area.width() / 2, area.height(), area.width());
        painter->drawText(rotated, Qt::AlignCenter | Qt::TextWordWrap, parsed.baslik);
        painter->restore();
        return;
    }

    // The icon 3 px from the leading edge, the text after it.
    if (!tab->icon.isNull()) {
        const QSize iconSize = tab->iconSize.isValid() ? tab->iconSize : QSize(16, 16);
        const QRect iconRect(area.left() + 3, area.top() + (area.height() - iconSize.height()) / 2, iconSize.width(),
                             iconSize.height());
        tab->icon.paint(painter, iconRect, Qt::AlignCenter,
                        (tab->state & State_Enabled) ? QIcon::Normal : QIcon::Disabled);
        area.setLeft(iconRect.right() + 1);
    }
    QRect textRect = area.adjusted(0, 5, 0, -5);
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, parsed.baslik);
    if (parsed.sayi > 0) {
        const QString badge = QStringLiteral("(%1)").arg(parsed.sayi);
        const QRect badgeArea = textRect.adjusted(2, -3, -2, 3);
        const QFontMetrics fm(painter->font());
        QRect badgeRect = fm.boundingRect(badgeArea, Qt::AlignRight | Qt::AlignTop, badge);
        // A light plate under the count keeps the red readable on dark tabs.
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(255, 255, 255, 230));
        painter->drawRoundedRect(badgeRect.adjusted(-2, 0, 1, 0), 3, 3);
        painter->setPen(badgeColor());
        painter->drawText(badgeArea, Qt::AlignRight | Qt::AlignTop, badge);
    }
    painter->restore();
}
