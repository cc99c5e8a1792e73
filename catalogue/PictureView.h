#pragma once
// A picture area: draws its picture scaled proportionally to fit and centred; draws nothing
// (stays transparent) while it has no picture.

#include <QImage>
#include <QWidget>

namespace catalogue {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void clearPicture() { setPicture(QImage()); }
    const QImage& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

signals:
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace catalogue
