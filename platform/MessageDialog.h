#pragma once
// The program's one message dialog: Turkish captions by kind, Turkish button texts,
// default and escape buttons, and the caller's first button at the head of the tab order.

#include <QMessageBox>
#include <memory>

#include "platform/Services.h"

namespace platform {

// Builds the dialog without showing it (tests inspect it).
std::unique_ptr<QMessageBox> buildMessageDialog(const MessageRequest& request, QWidget* parent = nullptr);
// Maps a clicked button of a built dialog to the modal result (6 Evet, 7 Hayır, 1 Tamam, ...).
int modalResultOf(const QMessageBox& box);
// Plays the kind's sound, shows the dialog modally and returns the modal result.
int runMessageDialog(const MessageRequest& request);

}  // namespace platform
