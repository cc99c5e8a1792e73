#pragma once
// The overdue-balance check of the cart page: asks the server on a thread of its own and puts
// its answer into the warning label on the user-interface thread. Each start supersedes the
// earlier ones: an answer that arrives after a newer check was started is dropped.

#include <QPointer>
#include <atomic>
#include <memory>

class QLabel;

namespace remote {
class Connection;
}

namespace cart {

class OverdueWarning final {
public:
    explicit OverdueWarning(QLabel* label);

    // Starts a check for the customer over a copy of the main connection (UI thread).
    void start(const remote::Connection& mainConnection, int carino);
    // Checks whose thread has not finished yet.
    int running() const;

private:
    struct Shared {
        std::atomic<unsigned> generation{0};
        std::atomic<int> running{0};
    };
    QPointer<QLabel> label_;
    std::shared_ptr<Shared> shared_;
};

// CariVadeGunGecmismiBul over the connection, opened with BaglantiKur flag 0; empty on any
// failure.
QString overdueWarningText(remote::Connection& connection, int carino);

}  // namespace cart
