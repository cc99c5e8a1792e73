#include <gtest/gtest.h>

#include <QLocale>

#include "session/LoginRules.h"
#include "session/records/Records.h"

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
const QLocale english(QLocale::English, QLocale::UnitedStates);

TEST(DownloadProgressText, NumbersWithTwoDecimalsInTheLocale) {
    struct Case {
        qint64 received, total;
        const QLocale* locale;
        const char* expected;
    };
    const qint64 mb = 1024 * 1024;
    const Case cases[] = {
        {6 * mb, 12 * mb, &turkish, "Bilgi: %50,00  İndirilen: 6,00/12,00 Mb"},
        {mb, mb, &turkish, "Bilgi: %100,00  İndirilen: 1,00/1,00 Mb"},
        {6 * mb, 12 * mb, &english, "Bilgi: %50.00  İndirilen: 6.00/12.00 Mb"},
        {1, 3, &turkish, "Bilgi: %33,33  İndirilen: 0,00/0,00 Mb"},
        // No thousands separator, as the fixed format writes numbers.
        {1500 * mb, 3000 * mb, &turkish, "Bilgi: %50,00  İndirilen: 1500,00/3000,00 Mb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(session::downloadProgressText(c.received, c.total, *c.locale), u(c.expected)) << c.expected;
    // Without a known length there is no progress to show.
    EXPECT_TRUE(session::downloadProgressText(500, 0, turkish).isEmpty());
    EXPECT_TRUE(session::downloadProgressText(500, -1, turkish).isEmpty());
}

TEST(LoginRules, UpdateRequestFormAndCredentials) {
    EXPECT_EQ(session::updateMessage(4), u("Korvel Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\n"
                                           "Lütfen Bekleyiniz...!\r\nVersion: 4-3"));
    for (int v : {0, 2, 4, 30}) EXPECT_TRUE(session::needsUpdate(v)) << v;
    EXPECT_FALSE(session::needsUpdate(3));

    EXPECT_EQ(session::requestFormAddress("http://10.0.0.5/", "ABC-1"),
              u("http://10.0.0.5/formmailgonder.aspx?carino=0&kullanici= &id=ABC-1"));

    TSonucBilgisi server;
    server.SetADI("DEMO");
    server.SetSIFRE("Sifre");  // a lower-case letter on the server can never be typed
    EXPECT_FALSE(session::credentialsMatch("DEMO", "SIFRE", server));
    EXPECT_TRUE(session::credentialsMatch("DEMO", "Sifre", server));
    EXPECT_FALSE(session::credentialsMatch("DEMO ", "Sifre", server));
    EXPECT_FALSE(session::credentialsMatch("", "", server));

    for (int t : {1, 2}) EXPECT_TRUE(session::isSalesStaff(t));
    for (int t : {0, 3, 4, 5}) EXPECT_FALSE(session::isSalesStaff(t));
}

}  // namespace
