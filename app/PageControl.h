#pragma once
// The main window's page control: a tab widget whose tabs all have one fixed size.

#include <QTabBar>
#include <QTabWidget>

class FixedSizeTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit FixedSizeTabBar(QSize tabSize, QWidget* parent = nullptr) : QTabBar(parent), tabSize_(tabSize) {}

protected:
    QSize tabSizeHint(int) const override { return tabSize_; }
    QSize minimumTabSizeHint(int) const override { return tabSize_; }

private:
    QSize tabSize_;
};

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QSize tabSize, QWidget* parent = nullptr) : QTabWidget(parent) {
        setTabBar(new FixedSizeTabBar(tabSize, this));
    }
};
