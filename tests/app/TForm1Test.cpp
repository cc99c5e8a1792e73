#include <gtest/gtest.h>

#include <QApplication>
#include <QTabBar>
#include <QTest>

#include "FakeServices.h"
#include "app/TForm1.h"
#include "platform/Identity.h"
#include "session/Endpoints.h"

namespace {

using testing_support::ScopedFakeServices;

QString u(const char* s) { return QString::fromUtf8(s); }

TEST(TForm1, PagesInTabOrderWithCaptionsAndIndicators) {
    TForm1 form;
    const QStringList names = {"sstoklistesi", "ssepet",          "sonceki",       "sccariekstre", "syeniler",
                               "skampanyali",  "sTabSheetduyuru", "sTabbakiyeler", "ss"};
    const QStringList captions = {u("Stok Listesi"), u("Sepet"), u("Önceki Siparişler"), u("Cari Ekstre"),
                                  u("Yeni Stoklar"), u("Kampanyalı Stoklar"), u("Duyurular"), u("Bakiyeler"),
                                  u("Sanal Pos")};
    EXPECT_EQ(form.pageNames(), names);
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(form.pageCaption(names[i]), captions[i]);
        EXPECT_FALSE(form.sPageControl1->tabIcon(i).isNull()) << names[i].toStdString();
        EXPECT_EQ(form.sPageControl1->tabBar()->tabRect(i).size(), QSize(120, 45));
    }
    EXPECT_EQ(form.sPageControl1->currentWidget(), form.sstoklistesi);
    EXPECT_EQ(form.page(QStringLiteral("ssepet")), form.ssepet);
    EXPECT_EQ(form.page(QStringLiteral("yok")), nullptr);

    for (const char* name : {"gifstokara", "gifsepet", "gifoncekiler", "gifekstre", "gifyeniler", "gifkampanyali",
                             "gifduyuru"}) {
        BusyIndicator* b = form.busyIndicator(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_TRUE(b->isHidden()) << name;
        EXPECT_EQ(b->size(), QSize(28, 27));
    }
    for (const char* name : {"stok", "sepet", "ONCEKILER", "EKSTRE", "YENILER", "kampstok"})
        EXPECT_NE(form.table(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_TRUE(form.musteritus->isHidden());
    EXPECT_EQ(form.RxGIFAnimator2->height(), 0);
}

TEST(TForm1, StartFillsTheSessionRecordAndCaptions) {
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), u("Korvel Otomotiv B2B Programı"));
    EXPECT_EQ(QApplication::applicationName(), u("Korvel Otomotiv B2B"));
    EXPECT_EQ(form._acilisadet, 0);
    EXPECT_EQ(form.sbilgi.BILGISAYARID(), platform::BilgisayarIdBul());
    EXPECT_EQ(form.sbilgi.BilgiSayarAdi(), platform::BilgisayarAdiAl());
    EXPECT_EQ(form.sbilgi.BilgisayarKullanici(), platform::KullaniciAdiAl());
    EXPECT_FALSE(form.sbilgi.Icip().empty());
    EXPECT_EQ(form.sbilgi.MusteriTipi(), 1);  // the rest keeps its defaults until the login
    EXPECT_EQ(form.websitesi1->text(), QString::fromUtf8(endpoints::kCompanyWeb));
    EXPECT_EQ(form.bagc.param(QStringLiteral("Port")), QStringLiteral("9090"));
}

TEST(TForm1, SharedContextReachesTheWindowsParts) {
    TForm1 form;
    const session::MainContext& c = form.context;
    EXPECT_EQ(c.window, &form);
    EXPECT_EQ(c.sbilgi, &form.sbilgi);
    EXPECT_EQ(c.bagc, &form.bagc);
    EXPECT_EQ(c.table(QStringLiteral("sepet")), &form.sepet);
    EXPECT_EQ(c.page(QStringLiteral("sccariekstre")), form.sccariekstre);
    EXPECT_EQ(c.busyIndicator(QStringLiteral("gifduyuru")), form.gifduyuru);
    EXPECT_EQ(c.searchBox(), form.araedit);
    c.setPageCaption(QStringLiteral("sTabSheetduyuru"), QStringLiteral("2=Duyurular"));
    EXPECT_EQ(form.pageCaption(QStringLiteral("sTabSheetduyuru")), QStringLiteral("2=Duyurular"));
}

TEST(TForm1, GeneralMenuInOrderWithReportsHidden) {
    TForm1 form;
    QStringList entries;
    for (QAction* a : form.Genelmenu->actions())
        if (!a->isSeparator()) entries << a->objectName();
    EXPECT_EQ(entries, (QStringList{"M1", "N4", "websitesi1", "G1", "R1"}));
    EXPECT_EQ(form.M1->text(), u("Mail Gönder"));
    EXPECT_EQ(form.N4->text(), u("Şifre Değiştirme İsteği"));
    EXPECT_EQ(form.G1->text(), u("Çıkış"));
    EXPECT_EQ(form.R1->text(), u("Raporlar"));
    EXPECT_FALSE(form.R1->isVisible());
    EXPECT_EQ(form.Button3->menu(), form.Genelmenu);
}

TEST(TForm1, CloseQuestionNoKeepsTheWindowOpen) {
    ScopedFakeServices fake;
    fake->answers = {platform::mrNo, platform::mrCancel};
    TForm1 form;
    form.show();
    form.araedit->setText(QStringLiteral("FİLTRE"));
    form.G1->trigger();  // "Çıkış" closes the window, which asks first
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(fake->messages.size(), 1u);
    const platform::MessageRequest& asked = fake->messages[0];
    EXPECT_EQ(asked.text, u("Programdan Çıkmak İstiyor musunuz ?"));
    EXPECT_EQ(asked.kind, platform::MsgKind::Confirmation);
    EXPECT_EQ(asked.buttons, platform::kYesNo);
    EXPECT_EQ(asked.first, platform::MsgButton::Yes);
    // Closing the question without an answer keeps the window as well.
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(fake->exits.empty());
    EXPECT_EQ(form.araedit->text(), QStringLiteral("FİLTRE"));
}

TEST(TForm1, CloseQuestionYesEndsTheProcessWithZero) {
    ScopedFakeServices fake;
    fake->answers = {platform::mrYes};
    TForm1 form;
    try {
        form.FormCloseQuery();
        ADD_FAILURE() << "the process should have ended";
    } catch (const platform::ProcessExit& e) {
        EXPECT_EQ(e.code, 0);
    }
    EXPECT_EQ(fake->exits, std::vector<int>{0});
}

TEST(TForm1, WebsiteEntryOpensTheAddressAndFocusesTheSearch) {
    ScopedFakeServices fake;
    TForm1 form;
    form.show();
    QApplication::setActiveWindow(&form);
    form.araedit->setText(QStringLiteral("BALATA"));
    form.SpeedButton2->setFocus();
    form.websitesi1->trigger();
    ASSERT_EQ(fake->openedUrls.size(), 1u);
    EXPECT_EQ(fake->openedUrls[0], QUrl(QString::fromUtf8(endpoints::kCompanyWeb)));
    EXPECT_EQ(form.araedit->selectedText(), QStringLiteral("BALATA"));
    EXPECT_TRUE(form.araedit->hasFocus());
}

TEST(TForm1, HeaderShowsTheSessionRecord) {
    TForm1 form;
    form.sbilgi.SetADI("AHMET");
    form.sbilgi.SetCariAdi("YILMAZ OTO");
    form.sbilgi.SetSaticiAdi("Mehmet Kaya");
    form.sbilgi.SetSaticiTelefon("0555 111 22 33");
    form.sbilgi.SetSaticiMail("mehmet@korvel.example");
    form.AnaBilgiAl();
    EXPECT_EQ(form.kullanicilbl->text(), QStringLiteral("AHMET"));
    EXPECT_EQ(form.cariadilbl->text(), QStringLiteral("YILMAZ OTO"));
    EXPECT_EQ(form.saticilbl->text(), QStringLiteral("Mehmet Kaya Telefonu: 0555 111 22 33 email: mehmet@korvel.example"));
}

TEST(TForm1, SearchBoxHasTheFirstFocus) {
    TForm1 form;
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.araedit);
}

TEST(TForm1, SearchBoxTurnsTypedLettersIntoPlainUpperCaseLatin) {
    TForm1 form;
    form.show();
    form.araedit->setFocus();
    for (const QString& ch : {u("i"), u("ş"), u("ı"), u("a"), u("1")})
        QTest::sendKeyEvent(QTest::Click, form.araedit, Qt::Key_unknown, ch, Qt::NoModifier);
    EXPECT_EQ(form.araedit->text(), u("ISIA1"));  // the stock search's key filter folds Turkish letters
    EXPECT_EQ(form.araedit->accessibleName(), u("Arama"));
}

TEST(TForm1, EveryReachableControlHasAnAccessibleName) {
    TForm1 form;
    form.show();
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || qobject_cast<QTabBar*>(w)) continue;
        if (w->objectName().startsWith(QLatin1String("qt_"))) continue;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className() << " "
                                                    << w->objectName().toStdString();
    }
    EXPECT_EQ(form.SpeedButton2->toolTip(), QStringLiteral("Ara"));
    EXPECT_EQ(form.SpeedButton1->toolTip(), QStringLiteral("Temizle"));
}

TEST(TForm1, PageCaptionWithCountKeepsAReadableName) {
    TForm1 form;
    form.setPageCaption(QStringLiteral("ssepet"), QStringLiteral("3=Sepet"));
    const int i = form.pageIndex(QStringLiteral("ssepet"));
    EXPECT_EQ(form.sPageControl1->tabText(i), QStringLiteral("3=Sepet"));
    EXPECT_EQ(form.sPageControl1->tabBar()->accessibleTabName(i), QStringLiteral("Sepet (3)"));
}

}  // namespace
