#include "session/ExternalIp.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "session/ServerEndpoints.h"

namespace session {

namespace {

// Longer than any address written as text, with room for a line break or two.
constexpr qint64 kMaxAnswer = 256;

bool requestOnce(QNetworkAccessManager& manager, const IpLookup& lookup, QString& answer) {
    QNetworkRequest request{QUrl(lookup.url)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    bool tooLong = false;
    // The connect time-out until the request is out, then the read time-out between data.
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
    timeout.start(lookup.connectTimeoutMs);
    QObject::connect(reply, &QNetworkReply::requestSent, &timeout, [&] { timeout.start(lookup.readTimeoutMs); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        timeout.start(lookup.readTimeoutMs);
        if (received > kMaxAnswer) {
            tooLong = true;
            reply->abort();
        }
    });
    if (!reply->isFinished()) loop.exec();
    const bool ok = !tooLong && reply->error() == QNetworkReply::NoError;
    if (ok) answer = QString::fromUtf8(reply->readAll()).trimmed();
    delete reply;
    return ok;
}

}  // namespace

QString lookUpExternalIp(const IpLookup& lookup) {
    QNetworkAccessManager manager;
    for (int attempt = 0; attempt < lookup.attempts; ++attempt) {
        if (attempt > 0 && lookup.pauseMs > 0) QThread::msleep(static_cast<unsigned long>(lookup.pauseMs));
        QString answer;
        if (requestOnce(manager, lookup, answer)) return answer;
    }
    return {};
}

QString DisIpAl() {
    const EndpointSettings s = endpointSettings();
    IpLookup lookup;
    lookup.url = s.externalIpUrl;
    lookup.attempts = s.ipLookupAttempts;
    lookup.readTimeoutMs = s.ipLookupReadTimeoutMs;
    lookup.connectTimeoutMs = s.ipLookupConnectTimeoutMs;
    lookup.pauseMs = s.ipLookupPauseMs;
    return lookUpExternalIp(lookup);
}

}  // namespace session
