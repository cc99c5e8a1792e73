#pragma once
// A picture control that loads its picture from a web address in the background. Setting a
// new address starts a GET; the answer is shown when its Content-Type names a picture format
// the control knows and the body decodes. Failures stay silent: the control just shows no
// picture (it is transparent, so whatever lies below shows through). Destroying the control
// abandons a running transfer; nothing of it arrives afterwards.

#include <QPointer>
#include <QString>

#include "catalogue/PictureView.h"

class QNetworkAccessManager;
#include <QNetworkReply>

namespace catalogue {

// The picture format a Content-Type value selects: its first six characters ("image/") are
// dropped and the rest, lower-cased, must be exactly "png", "bmp", "jpeg" or "jpg". Returns
// the Qt format name ("PNG", "BMP", "JPG") or nullptr when the value selects nothing (also a
// known type followed by a parameter such as a character set).
const char* resimBicimi(const QString& contentType);

// The picture in the body decoded by the Content-Type rule; a null image when nothing fits.
QImage resimCoz(const QString& contentType, const QByteArray& body);

class TAsyncResim : public PictureView {
    Q_OBJECT
    Q_PROPERTY(QString Url READ Url WRITE SetUrl)
public:
    explicit TAsyncResim(QWidget* AOwner = nullptr);
    ~TAsyncResim() override;

    QString Url() const { return FUrl; }
    // A new, non-empty address starts loading it; the same address again does nothing.
    void SetUrl(const QString& Value);

    // Whether a transfer is running (tests).
    bool loading() const { return FHTTPRequest != nullptr; }
    // Transfers started so far (tests).
    int transfersStarted() const { return started_; }

signals:
    // A transfer ended, with or without a picture.
    void transferFinished();

private:
    void requestFinished(QNetworkReply* reply);

    QString FUrl;
    QNetworkAccessManager* FHTTPClient = nullptr;
    QPointer<QNetworkReply> FHTTPRequest;
    bool iptal = false;
    int started_ = 0;
};

}  // namespace catalogue
