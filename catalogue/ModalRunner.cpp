#include "catalogue/ModalRunner.h"

#include <QDialog>

namespace catalogue {

namespace {
ModalRunner& runnerSlot() {
    static ModalRunner runner;
    return runner;
}
}  // namespace

int execModal(QDialog& dialog) {
    if (const ModalRunner& r = runnerSlot()) return r(dialog);
    return dialog.exec();
}

ModalRunner setModalRunner(ModalRunner runner) {
    ModalRunner previous = std::move(runnerSlot());
    runnerSlot() = std::move(runner);
    return previous;
}

}  // namespace catalogue
