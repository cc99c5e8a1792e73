#include "cart/OverdueWarning.h"

#include <QLabel>
#include <thread>

#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "remote/UiThread.h"

namespace cart {

QString overdueWarningText(remote::Connection& connection, int carino) {
    QString text;
    if (!remote::BaglantiKur(connection, 0)) return text;
    try {
        remote::TServerMethods1Client proxy(connection);
        text = proxy.CariVadeGunGecmismiBul(carino);
    } catch (...) {
        text.clear();
    }
    connection.close();
    return text;
}

OverdueWarning::OverdueWarning(QLabel* label) : label_(label), shared_(std::make_shared<Shared>()) {}

int OverdueWarning::running() const { return shared_->running.load(); }

void OverdueWarning::start(const remote::Connection& mainConnection, int carino) {
    const unsigned generation = ++shared_->generation;
    ++shared_->running;
    std::shared_ptr<remote::Connection> connection = mainConnection.clone();
    std::thread([connection, carino, generation, shared = shared_, label = label_] {
        try {
            const QString text = overdueWarningText(*connection, carino);
            remote::runOnUiThread([&] {
                if (shared->generation.load() == generation && label) label->setText(text);
            });
        } catch (...) {
            // The label is gone or the program is ending; nothing is left to update.
        }
        --shared->running;
    }).detach();
}

}  // namespace cart
