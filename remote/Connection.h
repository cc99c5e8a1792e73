#pragma once
// The connection component: driver, parameters and one TCP connection to the application
// server while open. Every open is a new connection; nothing stays open between actions.
// A component is used by one thread at a time; background work uses its own clone().

#include <QMap>
#include <QString>
#include <functional>
#include <memory>

#include "wire/Client.h"

namespace remote {

// "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"
QString connectionFailedText();

inline constexpr int kConnectAttempts = 11;
inline constexpr int kRetryPauseMs = 500;

class Connection final {
public:
    // Waits between two attempts of BaglantiKur.
    using RetryPause = std::function<void()>;

    // The design values: host "localhost", port "9090", no transport filters.
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A closed copy with the same driver, parameters, timeouts and retry pause.
    std::unique_ptr<Connection> clone() const;

    QString connectionName() const { return connectionName_; }
    QString driverName() const { return driverName_; }
    void setDriverName(const QString& name);
    bool loginPrompt() const { return false; }

    const QMap<QString, QString>& params() const { return params_; }
    QString param(const QString& key) const { return params_.value(key); }
    void setParam(const QString& key, const QString& value) { params_.insert(key, value); }
    void setHostName(const QString& host) { setParam(QStringLiteral("HostName"), host); }
    void setPort(int port) { setParam(QStringLiteral("Port"), QString::number(port)); }

    int connectTimeoutMs() const { return connectTimeoutMs_; }
    void setConnectTimeoutMs(int ms) { connectTimeoutMs_ = ms; }
    int readTimeoutMs() const { return readTimeoutMs_; }
    void setReadTimeoutMs(int ms) { readTimeoutMs_ = ms; }

    const RetryPause& retryPause() const { return retryPause_; }
    // nullptr restores the default pause of kRetryPauseMs.
    void setRetryPause(RetryPause pause);

    // Where open() connects; throws wire::Error when the port parameter is not a port number.
    wire::Endpoint endpoint() const;

    // Opens a new TCP connection (closing any previous one). Throws with the failure's text.
    void open();
    void close();
    bool isOpen() const;
    // The open connection; throws when closed.
    wire::Client& client();

private:
    QString connectionName_;
    QString driverName_;
    QMap<QString, QString> params_;
    int connectTimeoutMs_ = 15000;
    int readTimeoutMs_ = 30000;
    RetryPause retryPause_;
    std::unique_ptr<wire::Client> client_;
};

// Closes the connection, then tries to open it up to kConnectAttempts times. Every failed
// attempt shows its error text in a plain box (on the user-interface thread, waiting until
// it is closed) and waits the connection's retry pause. With flag 1 a final failure also
// shows the connection-failed message. Returns true when the connection is open.
bool BaglantiKur(Connection& connection, int flag);

} // namespace remote
