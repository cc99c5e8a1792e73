#include "app/AppStyle.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>
#include <QToolTip>

#include "app/TabDrawing.h"

QFont pixelFont(const char* family, int pixels, bool bold) {
    QFont f;
    f.setFamilies({QString::fromLatin1(family), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void applyVisualStyle(QApplication& app) {
    app.setStyle(new TabBadgeStyle(QStyleFactory::create(QStringLiteral("Fusion"))));

    QPalette pal;
    const QColor window(244, 238, 237);
    const QColor red(168, 22, 30);
    const QColor darkRed(112, 16, 22);
    pal.setColor(QPalette::Window, window);
    pal.setColor(QPalette::WindowText, QColor(40, 30, 30));
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::AlternateBase, QColor(250, 240, 240));
    pal.setColor(QPalette::Text, QColor(30, 24, 24));
    pal.setColor(QPalette::Button, QColor(232, 222, 221));
    pal.setColor(QPalette::ButtonText, QColor(40, 30, 30));
    pal.setColor(QPalette::BrightText, Qt::white);
    pal.setColor(QPalette::Highlight, red);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::Light, QColor(255, 250, 250));
    pal.setColor(QPalette::Midlight, QColor(236, 214, 214));
    pal.setColor(QPalette::Mid, QColor(140, 52, 58));   // tab under the mouse
    pal.setColor(QPalette::Dark, darkRed);               // other tabs
    pal.setColor(QPalette::Shadow, QColor(70, 10, 14));
    pal.setColor(QPalette::ToolTipBase, QColor(255, 250, 230));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    pal.setColor(QPalette::Link, red);
    pal.setColor(QPalette::PlaceholderText, QColor(140, 130, 130));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 140, 140));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 140, 140));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 140, 140));
    app.setPalette(pal);
    QToolTip::setPalette(pal);

    app.setFont(pixelFont("Tahoma", 13, true));
}
