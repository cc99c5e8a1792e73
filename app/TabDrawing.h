#pragma once
// Page tab captions with count badges. A caption is a plain title or "<count>=<title>"; the tab
// shows the title and, for a count above 0, "(count)" in red at its top right.

#include <QProxyStyle>
#include <QString>

// A tab caption split into its count and title.
struct TSonuc {
    int sayi = 0;     // 0 when the caption has no "="
    QString baslik;   // the title; the whole caption when it has no "="
};

// Splits a caption at its first "=": the count before it, at most 100 characters of the title
// after it. A count that is not a whole number counts as 0.
TSonuc parseTabCaption(const QString& caption);

// Writes a caption in the form parseTabCaption reads ("3=Sepet"; a count of 0 gives "0=Sepet").
QString tabCaption(int count, const QString& title);

inline constexpr int kTabTitleMaxLength = 100;

// The program's tab drawing: tab shapes in the window's colours, the title centred with word
// wrap and the count badge. Installed as the application style, it draws every tab bar.
class TabBadgeStyle : public QProxyStyle {
public:
    explicit TabBadgeStyle(QStyle* base = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;

    static QColor badgeColor() { return QColor(255, 0, 0); }
};
