#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTabBar>

#include "app/PageControl.h"
#include "app/TabDrawing.h"

namespace {

TEST(TabCaption, SplitsCountAndTitle) {
    const struct {
        const char* caption;
        int count;
        const char* title;
    } cases[] = {
        {"3=Sepet", 3, "Sepet"},
        {"0=Sepet", 0, "Sepet"},
        {"Sepet", 0, "Sepet"},
        {"12=Yeni Stoklar", 12, "Yeni Stoklar"},
        {"5=a=b", 5, "a=b"},         // only the first "=" splits
        {"=Duyurular", 0, "Duyurular"},
        {"x=Duyurular", 0, "Duyurular"},  // a count that is no number counts as 0
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        const TSonuc r = parseTabCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(r.sayi, c.count) << c.caption;
        EXPECT_EQ(r.baslik, QString::fromUtf8(c.title)) << c.caption;
    }
}

TEST(TabCaption, TitleCutAt100Characters) {
    const QString longTitle = QString(100, QLatin1Char('A')) + QStringLiteral("BCD");
    const TSonuc r = parseTabCaption(QStringLiteral("7=") + longTitle);
    EXPECT_EQ(r.sayi, 7);
    EXPECT_EQ(r.baslik, QString(100, QLatin1Char('A')));
    EXPECT_EQ(parseTabCaption(tabCaption(4, QStringLiteral("Sepet"))).sayi, 4);
}

// The badge's pure red; the tabs' own reds stay well below it.
bool isBadgeRed(const QColor& c) { return c.red() >= 235 && c.green() <= 50 && c.blue() <= 50; }

// Renders a tab bar with one tab and counts pure badge-red pixels in its top right quarter.
int redPixelsOfTab(const QString& caption, QTabBar::Shape shape = QTabBar::RoundedNorth) {
    PageControl pages(QSize(120, 45));
    pages.setTabPosition(shape == QTabBar::RoundedWest ? QTabWidget::West : QTabWidget::North);
    pages.addTab(new QWidget, caption);
    pages.addTab(new QWidget, QStringLiteral("Diğer"));
    pages.resize(400, 200);
    pages.show();
    QTabBar* bar = pages.tabBar();
    const QRect tab = bar->tabRect(0);
    QImage image(bar->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    bar->render(&image);
    int red = 0;
    for (int y = tab.top(); y <= tab.bottom(); ++y)
        for (int x = tab.left(); x <= tab.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (isBadgeRed(c)) ++red;
        }
    return red;
}

TEST(TabBadge, RedCountOnlyForPositiveCounts) {
    EXPECT_GT(redPixelsOfTab(QStringLiteral("3=Sepet")), 10);
    EXPECT_EQ(redPixelsOfTab(QStringLiteral("0=Sepet")), 0);
    EXPECT_EQ(redPixelsOfTab(QStringLiteral("Sepet")), 0);
    // Side tabs draw the title only.
    EXPECT_EQ(redPixelsOfTab(QStringLiteral("3=Sepet"), QTabBar::RoundedWest), 0);
}

TEST(TabBadge, BadgeSitsAtTheTopRight) {
    PageControl pages(QSize(120, 45));
    pages.addTab(new QWidget, QStringLiteral("9=Sepet"));
    pages.resize(300, 150);
    pages.show();
    QTabBar* bar = pages.tabBar();
    const QRect tab = bar->tabRect(0);
    QImage image(bar->size(), QImage::Format_RGB32);
    bar->render(&image);
    QRect box;
    for (int y = tab.top(); y <= tab.bottom(); ++y)
        for (int x = tab.left(); x <= tab.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (isBadgeRed(c)) box |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(box.isNull());
    EXPECT_GT(box.left(), tab.center().x());
    EXPECT_LT(box.bottom(), tab.center().y());
}

TEST(TabBadge, TitleTextIsDrawnWithoutTheCount) {
    // The same title with and without a zero count draws the same pixels.
    auto render = [](const QString& caption) {
        PageControl pages(QSize(120, 45));
        pages.addTab(new QWidget, caption);
        pages.resize(300, 150);
        pages.show();
        QImage image(pages.tabBar()->size(), QImage::Format_RGB32);
        pages.tabBar()->render(&image);
        return image.copy(pages.tabBar()->tabRect(0));
    };
    EXPECT_EQ(render(QStringLiteral("0=Sepet")), render(QStringLiteral("Sepet")));
    EXPECT_NE(render(QStringLiteral("Sepet")), render(QStringLiteral("Kasa")));
}

}  // namespace
