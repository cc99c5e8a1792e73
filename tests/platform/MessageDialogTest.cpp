#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FakeServices.h"
#include "platform/MessageDialog.h"

namespace {

using platform::MsgButton;
using platform::MsgKind;
using platform::bit;

QString u(const char* s) { return QString::fromUtf8(s); }

platform::MessageRequest question(MsgButton first = MsgButton::Yes) {
    return {u("Programdan Çıkmak İstiyor musunuz ?"), MsgKind::Confirmation, platform::kYesNo, first};
}

TEST(MessageDialog, AnswersOfTheQuestion) {
    // 6 for "Evet", 7 for "Hayır", 7 for Esc.
    const struct {
        const char* action;
        int result;
    } cases[] = {{"Evet", platform::mrYes}, {"Hayır", platform::mrNo}, {"Esc", platform::mrNo}};
    for (const auto& c : cases) {
        auto box = platform::buildMessageDialog(question());
        box->show();
        if (QString::fromUtf8(c.action) == QLatin1String("Esc")) {
            QTest::keyClick(box.get(), Qt::Key_Escape);
        } else {
            QPushButton* target = nullptr;
            for (QAbstractButton* b : box->buttons())
                if (b->text() == u(c.action)) target = qobject_cast<QPushButton*>(b);
            ASSERT_NE(target, nullptr) << c.action;
            QTest::mouseClick(target, Qt::LeftButton);
        }
        EXPECT_FALSE(box->isVisible()) << c.action;
        EXPECT_EQ(platform::modalResultOf(*box), c.result) << c.action;
    }
}

TEST(MessageDialog, CaptionsByKind) {
    const struct {
        MsgKind kind;
        const char* caption;
    } cases[] = {{MsgKind::Warning, "Uyarı"}, {MsgKind::Error, "Hata"}, {MsgKind::Information, "Bilgi"},
                 {MsgKind::Confirmation, "Soru"}};
    for (const auto& c : cases) {
        auto box = platform::buildMessageDialog({u("metin"), c.kind, platform::kOk, MsgButton::OK});
        EXPECT_EQ(box->windowTitle(), u(c.caption));
        EXPECT_EQ(box->text(), u("metin"));
    }
    QApplication::setApplicationName(QStringLiteral("Korvel Otomotiv B2B"));
    auto custom = platform::buildMessageDialog({u("metin"), MsgKind::Custom, platform::kOk, MsgButton::OK});
    EXPECT_EQ(custom->windowTitle(), QStringLiteral("Korvel Otomotiv B2B"));
}

TEST(MessageDialog, TurkishButtonCaptionsInOrder) {
    const platform::MsgButtons all = (1u << 12) - 1;
    auto box = platform::buildMessageDialog({u("metin"), MsgKind::Custom, all, MsgButton::OK});
    const struct {
        MsgButton button;
        const char* caption;
        int result;
    } cases[] = {
        {MsgButton::Yes, "Evet", 6},       {MsgButton::No, "Hayır", 7},
        {MsgButton::OK, "Tamam", 1},       {MsgButton::Cancel, "Vazgeç", 2},
        {MsgButton::Abort, "İptal", 3},    {MsgButton::Retry, "Tekrar", 4},
        {MsgButton::Ignore, "Atla", 5},    {MsgButton::YesToAll, "Tümüne Evet", 14},
        {MsgButton::NoToAll, "Tümüne Hayır", 13}, {MsgButton::Help, "Yardım", 9},
    };
    for (const auto& c : cases) {
        QPushButton* b = platform::dialogButton(*box, c.button);
        ASSERT_NE(b, nullptr) << c.caption;
        EXPECT_EQ(b->text(), u(c.caption));
        auto single = platform::buildMessageDialog({u("metin"), MsgKind::Custom, bit(c.button), c.button});
        single->show();
        QTest::mouseClick(platform::dialogButton(*single, c.button), Qt::LeftButton);
        EXPECT_EQ(platform::modalResultOf(*single), c.result) << c.caption;
    }
    EXPECT_EQ(box->buttons().size(), 12);
    EXPECT_NE(platform::dialogButton(*box, MsgButton::All), nullptr);
    EXPECT_NE(platform::dialogButton(*box, MsgButton::Close), nullptr);
}

TEST(MessageDialog, DefaultAndEscapeButtons) {
    const struct {
        platform::MsgButtons buttons;
        MsgButton defaultButton;
        int escapeResult;  // 0: Esc does nothing
    } cases[] = {
        {platform::kOk, MsgButton::OK, platform::mrOk},
        {platform::kYesNo, MsgButton::Yes, platform::mrNo},
        {platform::kYesNo | bit(MsgButton::Cancel), MsgButton::Yes, platform::mrCancel},
        {bit(MsgButton::OK) | bit(MsgButton::Cancel), MsgButton::OK, platform::mrCancel},
        {bit(MsgButton::Yes) | bit(MsgButton::OK), MsgButton::OK, platform::mrOk},
        {bit(MsgButton::Yes), MsgButton::Yes, 0},
    };
    for (const auto& c : cases) {
        auto box = platform::buildMessageDialog({u("metin"), MsgKind::Confirmation, c.buttons, c.defaultButton});
        EXPECT_EQ(box->defaultButton(), platform::dialogButton(*box, c.defaultButton)) << c.buttons;
        box->show();
        QTest::keyClick(box.get(), Qt::Key_Escape);
        if (c.escapeResult == 0) {
            EXPECT_TRUE(box->isVisible()) << c.buttons;
            EXPECT_EQ(box->clickedButton(), nullptr);
        } else {
            EXPECT_EQ(platform::modalResultOf(*box), c.escapeResult) << c.buttons;
        }
    }
}

// The buttons in the order Tab visits them, starting from the dialog.
std::vector<QPushButton*> tabOrder(QMessageBox& box) {
    std::vector<QPushButton*> out;
    QWidget* w = &box;
    for (int guard = 0; guard < 100; ++guard) {
        w = w->nextInFocusChain();
        if (w == &box) break;
        if (auto* b = qobject_cast<QPushButton*>(w)) out.push_back(b);
    }
    return out;
}

TEST(MessageDialog, FirstButtonLeadsTheTabOrder) {
    for (MsgButton first : {MsgButton::Yes, MsgButton::No}) {
        auto box = platform::buildMessageDialog(question(first));
        const auto order = tabOrder(*box);
        ASSERT_EQ(order.size(), 2u);
        EXPECT_EQ(order[0], platform::dialogButton(*box, first));
    }
}

TEST(MessageDialog, MessageFontSize) {
    platform::setMessageFontPixelSize(15);
    auto box = platform::buildMessageDialog(question());
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font().pixelSize(), 15);
    platform::setMessageFontPixelSize(0);
}

TEST(MessageDialog, RunPlaysTheKindsSoundAndReturnsTheAnswer) {
    const struct {
        MsgKind kind;
        std::vector<platform::SystemSound> sounds;
    } cases[] = {
        {MsgKind::Warning, {platform::SystemSound::Exclamation}},
        {MsgKind::Error, {platform::SystemSound::Stop}},
        {MsgKind::Information, {platform::SystemSound::Asterisk}},
        {MsgKind::Confirmation, {platform::SystemSound::Question}},
        {MsgKind::Custom, {}},
    };
    for (const auto& c : cases) {
        testing_support::ScopedFakeServices fake;
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                QTest::mouseClick(platform::dialogButton(*box, MsgButton::OK), Qt::LeftButton);
        });
        EXPECT_EQ(platform::runMessageDialog({u("metin"), c.kind, platform::kOk, MsgButton::OK}), platform::mrOk);
        EXPECT_EQ(fake->sounds, c.sounds);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
