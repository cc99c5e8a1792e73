#pragma once
// A small animated busy picture (a turning ring of dots) shown while a page loads in the
// background. It animates only while visible.

#include <QTimer>
#include <QWidget>

class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {28, 27}; }
    int frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QTimer timer_;
    int frame_ = 0;
};
