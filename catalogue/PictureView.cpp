#include "catalogue/PictureView.h"

#include <QPainter>

namespace catalogue {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void PictureView::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
    emit pictureChanged();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (picture_.isNull() || width() <= 0 || height() <= 0) return;
    QSize size = picture_.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture_);
}

}  // namespace catalogue
