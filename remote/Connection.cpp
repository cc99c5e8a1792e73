#include "remote/Connection.h"

#include <QThread>
#include <exception>

#include "platform/Services.h"
#include "remote/UiThread.h"

namespace remote {

QString connectionFailedText() {
    return QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
}

namespace {
void defaultPause() {
    QThread::msleep(kRetryPauseMs);
}
} // namespace

Connection::Connection()
    : connectionName_(QStringLiteral("DataSnapCONNECTION")), driverName_(QStringLiteral("DataSnap")),
      retryPause_(defaultPause) {
    params_.insert(QStringLiteral("DriverName"), driverName_);
    params_.insert(QStringLiteral("DriverUnit"), QStringLiteral("Data.DBXDataSnap"));
    params_.insert(QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip"));
    params_.insert(QStringLiteral("Port"), QStringLiteral("9090"));
    params_.insert(QStringLiteral("HostName"), QStringLiteral("localhost"));
    params_.insert(QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/"));
    params_.insert(QStringLiteral("DSProxyPort"), QStringLiteral("8090"));
    params_.insert(QStringLiteral("Filters"), QStringLiteral("{}"));
}

Connection::~Connection() {
    close();
}

std::unique_ptr<Connection> Connection::clone() const {
    auto c = std::make_unique<Connection>();
    c->connectionName_ = connectionName_;
    c->driverName_ = driverName_;
    c->params_ = params_;
    c->connectTimeoutMs_ = connectTimeoutMs_;
    c->readTimeoutMs_ = readTimeoutMs_;
    c->retryPause_ = retryPause_;
    return c;
}

void Connection::setDriverName(const QString& name) {
    driverName_ = name;
    params_.insert(QStringLiteral("DriverName"), name);
}

void Connection::setRetryPause(RetryPause pause) {
    retryPause_ = pause ? std::move(pause) : RetryPause(defaultPause);
}

wire::Endpoint Connection::endpoint() const {
    wire::Endpoint e;
    e.host = param(QStringLiteral("HostName")).trimmed().toStdString();
    bool ok = false;
    const QString portText = param(QStringLiteral("Port")).trimmed();
    const uint port = portText.toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        throw wire::Error("Invalid port number: \"" + portText.toStdString() + "\"");
    if (e.host.empty()) throw wire::Error("No host name given");
    e.port = static_cast<std::uint16_t>(port);
    e.connectTimeoutMs = connectTimeoutMs_;
    e.readTimeoutMs = readTimeoutMs_;
    return e;
}

void Connection::open() {
    close();
    const wire::Endpoint e = endpoint();
    auto c = std::make_unique<wire::Client>();
    c->connect(e);
    client_ = std::move(c);
}

void Connection::close() {
    if (!client_) return;
    auto c = std::move(client_);
    try {
        c->close();
    } catch (...) {
        // Closing never fails from the caller's point of view.
    }
}

bool Connection::isOpen() const {
    return client_ && client_->connected();
}

wire::Client& Connection::client() {
    if (!isOpen()) throw wire::Error("The connection is not open");
    return *client_;
}

bool BaglantiKur(Connection& connection, int flag) {
    connection.close();
    bool opened = false;
    for (int attempt = 0; attempt < kConnectAttempts && !opened; ++attempt) {
        QString failure;
        try {
            connection.open();
            opened = true;
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        } catch (...) {
            failure = QStringLiteral("Unknown error");
        }
        if (opened) break;
        runOnUiThread([&] { platform::services().showPlainBox(failure); });
        connection.close();
        connection.retryPause()();
    }
    if (!opened && flag == 1) {
        runOnUiThread([] {
            platform::MessageRequest r;
            r.text = connectionFailedText();
            r.kind = platform::MsgKind::Error;
            r.buttons = platform::kOk;
            r.first = platform::MsgButton::OK;
            platform::services().showMessage(r);
        });
    }
    return opened;
}

} // namespace remote
