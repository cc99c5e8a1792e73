#include "cart/Modal.h"

#include <QDialog>

#include "session/Async.h"

namespace cart {

namespace {
ModalRunner& installed() {
    static ModalRunner runner;
    return runner;
}
}  // namespace

int runModal(QDialog& dialog) {
    const ModalRunner runner = installed();
    return runner ? runner(dialog) : dialog.exec();
}

ModalRunner setModalRunner(ModalRunner runner) {
    ModalRunner previous = std::move(installed());
    installed() = std::move(runner);
    return previous;
}

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        session::showError(std::current_exception());
    }
}

}  // namespace cart
