#pragma once
// The program's one message dialog: Turkish captions by kind, Turkish button texts,
// default and escape buttons, and the caller's first button at the head of the tab order.

#include <QMessageBox>
#include <memory>

#include "platform/Services.h"

namespace platform {

// Builds the dialog without showing it (tests inspect and click it).
std::unique_ptr<QMessageBox> buildMessageDialog(const MessageRequest& request, QWidget* parent = nullptr);
// The modal result of a built dialog after it closed (6 Evet, 7 Hayır, 1 Tamam, ...); 2 when
// it closed without a button.
int modalResultOf(const QMessageBox& box);
// The button of a built dialog for a button kind, or nullptr.
QPushButton* dialogButton(const QMessageBox& box, MsgButton button);
// Plays the kind's sound, shows the dialog modally and returns the modal result.
int runMessageDialog(const MessageRequest& request);

// Pixel size of the dialog's message text (the main window sets it at start); 0 keeps the
// application font.
void setMessageFontPixelSize(int pixels);
int messageFontPixelSize();

}  // namespace platform
