#pragma once
// How the cart's windows run their modal dialogs and report errors of their handlers.

#include <functional>

class QDialog;

namespace cart {

// Shows a dialog modally and returns its result (QDialog::Accepted or Rejected). Tests install
// a runner that drives the dialog object instead of entering a modal loop.
using ModalRunner = std::function<int(QDialog&)>;
int runModal(QDialog& dialog);
// Installs a runner; nullptr restores exec(). Returns the previous one.
ModalRunner setModalRunner(ModalRunner runner);

// Runs a handler; an exception it raises goes to the application's error display, so it never
// crosses the event loop.
void guarded(const std::function<void()>& handler);

}  // namespace cart
