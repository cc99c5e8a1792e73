#include "platform/MessageDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace platform {

namespace {

struct ButtonInfo {
    MsgButton button;
    const char* caption;
    int result;
};

// In the platform's order, which is also the order on screen.
const ButtonInfo kButtons[] = {
    {MsgButton::Yes, "Evet", mrYes},
    {MsgButton::No, "Hayır", mrNo},
    {MsgButton::OK, "Tamam", mrOk},
    {MsgButton::Cancel, "Vazgeç", mrCancel},
    {MsgButton::Abort, "İptal", mrAbort},
    {MsgButton::Retry, "Tekrar", mrRetry},
    {MsgButton::Ignore, "Atla", mrIgnore},
    {MsgButton::All, "&All", mrAll},  // keeps the platform's caption
    {MsgButton::NoToAll, "Tümüne Hayır", mrNoToAll},
    {MsgButton::YesToAll, "Tümüne Evet", mrYesToAll},
    {MsgButton::Help, "Yardım", mrHelp},
    {MsgButton::Close, "&Close", mrClose},  // keeps the platform's caption
};

constexpr const char* kResultProperty = "modalResult";
constexpr const char* kKindProperty = "msgButton";

int fontPixels = 0;

// Without a Cancel, No or OK button Esc answers nothing (the dialog would otherwise take its
// only button as the answer).
class SwallowEscape : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void setMessageFontPixelSize(int pixels) { fontPixels = pixels; }
int messageFontPixelSize() { return fontPixels; }

std::unique_ptr<QMessageBox> buildMessageDialog(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setTextFormat(Qt::PlainText);
    box->setText(request.text);
    switch (request.kind) {
    case MsgKind::Warning: box->setIcon(QMessageBox::Warning); box->setWindowTitle(QStringLiteral("Uyarı")); break;
    case MsgKind::Error: box->setIcon(QMessageBox::Critical); box->setWindowTitle(QStringLiteral("Hata")); break;
    case MsgKind::Information: box->setIcon(QMessageBox::Information); box->setWindowTitle(QStringLiteral("Bilgi")); break;
    case MsgKind::Confirmation: box->setIcon(QMessageBox::Question); box->setWindowTitle(QStringLiteral("Soru")); break;
    case MsgKind::Custom: box->setWindowTitle(QApplication::applicationName()); break;
    }
    if (fontPixels > 0) {
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            QFont f = label->font();
            f.setPixelSize(fontPixels);
            label->setFont(f);
        }
    }
    QPushButton* firstButton = nullptr;
    std::vector<QPushButton*> added;
    for (const auto& b : kButtons) {
        if (!(request.buttons & bit(b.button))) continue;
        auto* pb = new QPushButton(QString::fromUtf8(b.caption));
        pb->setProperty(kResultProperty, b.result);
        pb->setProperty(kKindProperty, static_cast<int>(b.button));
        // One role for all keeps the buttons in the platform's order.
        box->addButton(pb, QMessageBox::ActionRole);
        added.push_back(pb);
        if (b.button == request.first) firstButton = pb;
    }
    // Default: OK, else Yes. Escape: Cancel, else No, else OK.
    if (auto* ok = dialogButton(*box, MsgButton::OK)) box->setDefaultButton(ok);
    else if (auto* yes = dialogButton(*box, MsgButton::Yes)) box->setDefaultButton(yes);
    if (auto* c = dialogButton(*box, MsgButton::Cancel)) box->setEscapeButton(c);
    else if (auto* n = dialogButton(*box, MsgButton::No)) box->setEscapeButton(n);
    else if (auto* o = dialogButton(*box, MsgButton::OK)) box->setEscapeButton(o);
    else box->installEventFilter(new SwallowEscape(box.get()));
    if (firstButton) {
        QWidget* prev = firstButton;
        for (QPushButton* b : added) {
            if (b == firstButton) continue;
            QWidget::setTabOrder(prev, b);
            prev = b;
        }
    }
    return box;
}

QPushButton* dialogButton(const QMessageBox& box, MsgButton button) {
    for (QAbstractButton* b : box.buttons()) {
        const QVariant kind = b->property(kKindProperty);
        if (kind.isValid() && kind.toInt() == static_cast<int>(button)) return qobject_cast<QPushButton*>(b);
    }
    return nullptr;
}

int modalResultOf(const QMessageBox& box) {
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return mrCancel;
    const QVariant result = clicked->property(kResultProperty);
    return result.isValid() ? result.toInt() : mrCancel;
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
