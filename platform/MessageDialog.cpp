#include "platform/MessageDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace platform {

namespace {

struct ButtonInfo {
    MsgButton button;
    QMessageBox::StandardButton standard;
    const char* caption;  // nullptr keeps the platform's caption
    int result;
};

const ButtonInfo kButtons[] = {
    {MsgButton::Yes, QMessageBox::Yes, "Evet", mrYes},
    {MsgButton::No, QMessageBox::No, "Hayır", mrNo},
    {MsgButton::OK, QMessageBox::Ok, "Tamam", mrOk},
    {MsgButton::Cancel, QMessageBox::Cancel, "Vazgeç", mrCancel},
    {MsgButton::Abort, QMessageBox::Abort, "İptal", mrAbort},
    {MsgButton::Retry, QMessageBox::Retry, "Tekrar", mrRetry},
    {MsgButton::Ignore, QMessageBox::Ignore, "Atla", mrIgnore},
    {MsgButton::All, QMessageBox::YesToAll, nullptr, mrAll},
    {MsgButton::NoToAll, QMessageBox::NoToAll, "Tümüne Hayır", mrNoToAll},
    {MsgButton::YesToAll, QMessageBox::SaveAll, "Tümüne Evet", mrYesToAll},
    {MsgButton::Help, QMessageBox::Help, "Yardım", mrHelp},
    {MsgButton::Close, QMessageBox::Close, nullptr, mrClose},
};

const ButtonInfo* infoOf(QMessageBox::StandardButton sb) {
    for (const auto& b : kButtons)
        if (b.standard == sb) return &b;
    return nullptr;
}

}  // namespace

std::unique_ptr<QMessageBox> buildMessageDialog(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setText(request.text);
    switch (request.kind) {
    case MsgKind::Warning: box->setIcon(QMessageBox::Warning); box->setWindowTitle(QStringLiteral("Uyarı")); break;
    case MsgKind::Error: box->setIcon(QMessageBox::Critical); box->setWindowTitle(QStringLiteral("Hata")); break;
    case MsgKind::Information: box->setIcon(QMessageBox::Information); box->setWindowTitle(QStringLiteral("Bilgi")); break;
    case MsgKind::Confirmation: box->setIcon(QMessageBox::Question); box->setWindowTitle(QStringLiteral("Soru")); break;
    case MsgKind::Custom: box->setWindowTitle(QApplication::applicationName()); break;
    }
    QFont f = box->font();
    f.setPointSizeF(11.25);  // 15 px
    box->setFont(f);
    QPushButton* firstButton = nullptr;
    for (const auto& b : kButtons) {
        if (!(request.buttons & bit(b.button))) continue;
        QPushButton* pb = box->addButton(b.standard);
        if (b.caption) pb->setText(QString::fromUtf8(b.caption));
        if (b.button == request.first) firstButton = pb;
    }
    // Default: OK, else Yes. Escape: Cancel, else No, else OK.
    auto find = [&](QMessageBox::StandardButton sb) { return box->button(sb); };
    if (auto* d = find(QMessageBox::Ok)) box->setDefaultButton(qobject_cast<QPushButton*>(d));
    else if (auto* y = find(QMessageBox::Yes)) box->setDefaultButton(qobject_cast<QPushButton*>(y));
    if (auto* c = find(QMessageBox::Cancel)) box->setEscapeButton(c);
    else if (auto* n = find(QMessageBox::No)) box->setEscapeButton(n);
    else if (auto* o = find(QMessageBox::Ok)) box->setEscapeButton(o);
    if (firstButton) {
        // Put the first button at the head of the tab order.
        const auto buttons = box->buttons();
        QWidget* prev = firstButton;
        for (QAbstractButton* b : buttons) {
            if (b == firstButton) continue;
            QWidget::setTabOrder(prev, b);
            prev = b;
        }
    }
    return box;
}

int modalResultOf(const QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return mrCancel;
    const auto* info = infoOf(box.standardButton(clicked));
    return info ? info->result : mrCancel;
}

int runMessageDialog(const MessageRequest& request) {
    switch (request.kind) {
    case MsgKind::Warning: services().playSound(SystemSound::Exclamation); break;
    case MsgKind::Error: services().playSound(SystemSound::Stop); break;
    case MsgKind::Information: services().playSound(SystemSound::Asterisk); break;
    case MsgKind::Confirmation: services().playSound(SystemSound::Question); break;
    case MsgKind::Custom: break;
    }
    auto box = buildMessageDialog(request, QApplication::activeWindow());
    box->exec();
    return modalResultOf(*box);
}

}  // namespace platform
