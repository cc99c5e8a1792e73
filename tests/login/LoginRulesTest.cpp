#include <gtest/gtest.h>

#include <QLocale>

#include <zlib.h>

#include "session/ContentEncoding.h"
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

namespace {

// gzip (windowBits 31), zlib (15) or raw deflate (-15) of the bytes.
QByteArray packed(const QByteArray& in, int windowBits) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(in.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    return out;
}

TEST(DecodeContent, CompressedBodiesAreUnpackedAndDamagedOnesRefused) {
    QByteArray body(200 * 1024, '\0');
    for (int i = 0; i < body.size(); ++i) body[i] = char(i * 31 % 253);
    struct Case {
        const char* encoding;
        QByteArray sent;
    };
    const Case cases[] = {
        {"", body}, {"identity", body}, {"gzip", packed(body, 31)}, {"GZIP ", packed(body, 31)},
        {"deflate", packed(body, 15)}, {"deflate", packed(body, -15)},
    };
    for (const Case& c : cases) {
        const auto out = session::decodeContent(c.sent, c.encoding);
        ASSERT_TRUE(out.has_value()) << c.encoding;
        EXPECT_EQ(*out, body) << c.encoding;
    }
    const QByteArray gz = packed(body, 31);
    EXPECT_FALSE(session::decodeContent(gz.left(gz.size() / 2), "gzip").has_value());  // cut short
    EXPECT_FALSE(session::decodeContent("not compressed", "gzip").has_value());
    EXPECT_FALSE(session::decodeContent(body, "br").has_value());
}

}  // namespace
