#pragma once
// How the catalogue's dialogs are run modally. Production runs QDialog::exec(); tests install
// a runner that drives the dialog and returns its result, so no real modal loop is entered.

#include <functional>

class QDialog;

namespace catalogue {

using ModalRunner = std::function<int(QDialog&)>;

// Runs the dialog modally (through the installed runner) and returns its result.
int execModal(QDialog& dialog);

// Installs a runner (nullptr: exec()); returns the previous one. UI thread only.
ModalRunner setModalRunner(ModalRunner runner);

// Installs a runner for the lifetime of the guard.
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(ModalRunner runner) : previous_(setModalRunner(std::move(runner))) {}
    ~ScopedModalRunner() { setModalRunner(std::move(previous_)); }
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

private:
    ModalRunner previous_;
};

}  // namespace catalogue
