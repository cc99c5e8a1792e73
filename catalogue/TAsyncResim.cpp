#include "catalogue/TAsyncResim.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace catalogue {

const char* resimBicimi(const QString& contentType) {
    const QString kind = contentType.mid(6).toLower();
    if (kind == QLatin1String("png")) return "PNG";
    if (kind == QLatin1String("bmp")) return "BMP";
    if (kind == QLatin1String("jpeg") || kind == QLatin1String("jpg")) return "JPG";
    return nullptr;
}

QImage resimCoz(const QString& contentType, const QByteArray& body) {
    const char* format = resimBicimi(contentType);
    if (!format || body.isEmpty()) return {};
    return QImage::fromData(body, format);
}

TAsyncResim::TAsyncResim(QWidget* AOwner) : PictureView(AOwner), FHTTPClient(new QNetworkAccessManager(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TAsyncResim::~TAsyncResim() {
    iptal = true;
    if (FHTTPRequest) {
        QNetworkReply* reply = FHTTPRequest;
        FHTTPRequest = nullptr;
        reply->disconnect(this);
        reply->abort();
        delete reply;
    }
}

void TAsyncResim::SetUrl(const QString& Value) {
    if (Value == FUrl) return;
    FUrl = Value;
    if (FUrl.isEmpty()) return;
    if (FHTTPRequest) {
        // The newer address wins; the older transfer is dropped.
        QNetworkReply* old = FHTTPRequest;
        FHTTPRequest = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
    QNetworkRequest request{QUrl(FUrl)};
    QNetworkReply* reply = FHTTPClient->get(request);
    FHTTPRequest = reply;
    ++started_;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (iptal) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { requestFinished(reply); });
}

void TAsyncResim::requestFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != FHTTPRequest) return;
    FHTTPRequest = nullptr;
    if (iptal) return;
    const QByteArray body = reply->readAll();
    if (!body.isEmpty()) {
        const QImage image = resimCoz(QString::fromLatin1(reply->rawHeader("Content-Type")), body);
        if (!image.isNull()) setPicture(image);
    }
    emit transferFinished();
}

}  // namespace catalogue
