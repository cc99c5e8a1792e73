#pragma once
// A tiny HTTP server on 127.0.0.1 for tests, served by the thread that created it (its event
// loop must run while a client waits). Answers GET requests by path as scripted and records
// the request headers.

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

namespace testing_support {

class HttpResponder final : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        bool withLength = true;  // false: no Content-Length, the body ends when the connection closes
        QByteArray contentType = "application/octet-stream";
        QByteArray location = {};  // a redirect's target
        int partDelayMs = 0;       // a pause before each part of the body (a slow server)
        qsizetype partSize = 64 * 1024;
        QByteArray extraHeaders = {};  // whole lines, each ending in "\r\n"
    };
    struct Request {
        QByteArray path;
        QMap<QByteArray, QByteArray> headers;  // names in lower case
    };

    HttpResponder() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { onData(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    quint16 port() const { return server_.serverPort(); }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
    }
    void on(const QByteArray& path, Reply reply) {
        replies_[path] = [reply] { return reply; };
    }
    // The reply is made when the request arrives.
    void on(const QByteArray& path, std::function<Reply()> make) { replies_[path] = std::move(make); }

    QList<Request> requests;

private:
    void onData(QTcpSocket* s) {
        QByteArray& buffer = buffers_[s];
        buffer += s->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffers_.remove(s);
        Request request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.path = QUrl::fromEncoded(first.value(1)).path().toUtf8();
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0) request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        requests << request;
        const bool known = replies_.contains(request.path);
        const Reply reply = known ? replies_.value(request.path)() : Reply{404, "not found", true, "text/plain"};
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + (reply.status == 200 ? " OK" : reply.status == 302 ? " Found" : " Error") +
                          "\r\nContent-Type: " + reply.contentType + "\r\nConnection: close\r\n";
        head += reply.extraHeaders;
        if (!reply.location.isEmpty()) head += "Location: " + reply.location + "\r\n";
        if (reply.withLength) head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        s->write(head + "\r\n");
        // The body in parts, each once the previous one has gone, so that a client sees progress.
        auto rest = std::make_shared<QByteArray>(reply.body);
        const qsizetype part = reply.partSize;
        auto sendPart = [s, rest, part] {
            if (s->bytesToWrite() > 0) return;
            if (rest->isEmpty()) {
                s->disconnectFromHost();
                return;
            }
            s->write(rest->left(part));
            rest->remove(0, std::min(part, rest->size()));
        };
        const int delay = reply.partDelayMs;
        QObject::connect(s, &QTcpSocket::bytesWritten, s, [s, sendPart, delay] {
            if (delay > 0) QTimer::singleShot(delay, s, sendPart);
            else sendPart();
        });
        sendPart();
    }

    QTcpServer server_;
    QMap<QByteArray, std::function<Reply()>> replies_;
    QMap<QTcpSocket*, QByteArray> buffers_;
};

}  // namespace testing_support
