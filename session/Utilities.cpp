#include "session/Utilities.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstring>

#include "platform/Identity.h"
#include "remote/UiThread.h"

#ifdef KORVEL_HAVE_WEBENGINE
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#endif

namespace session {

int MesajGoster(const QString& text, MsgKind kind, MsgButtons buttons, MsgButton first) {
    platform::MessageRequest request;
    request.text = text;
    request.kind = kind;
    request.buttons = buttons;
    request.first = first;
    // A dialog belongs to the user-interface thread; other threads wait there for the answer.
    int answer = platform::mrNone;
    remote::runOnUiThread([&] { answer = platform::services().showMessage(request); });
    return answer;
}

QString MacAdresiAl() { return QString::fromStdString(platform::MacAdresiAl()); }
QString BilgisayarAdiAl() { return QString::fromStdString(platform::BilgisayarAdiAl()); }
QString KullaniciAdiAl() { return QString::fromStdString(platform::KullaniciAdiAl()); }
QString IcIpAl() { return QString::fromStdString(platform::IcIpAl()); }
QString DiskSeriNoAl() { return QString::fromStdString(platform::DiskSeriNoAl()); }
QString BilgisayarIdBul() { return QString::fromStdString(platform::BilgisayarIdBul()); }

QString AyarKlasoru() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    const QString path = QDir::cleanPath(base + QStringLiteral("/korveloto"));
    // A new account may not have its config home yet: create the whole path.
    if (!QFileInfo::exists(path)) QDir().mkpath(path);
    return path;
}

QString BelgelerKlasoru() {
    QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (path.isEmpty()) path = QDir::homePath();
    return QDir::cleanPath(path);
}

void SayiBicimiAyarla(data::MemTable& table) {
    for (std::size_t i = 0; i < table.fieldCount(); ++i)
        if (table.field(i).type == data::FieldType::Float) table.setDisplayFormat(i, std::string(data::kAmountFormat));
}

data::NumberLocale numberLocaleOf(const QLocale& locale) {
    data::NumberLocale out;
    out.decimalSeparator = locale.decimalPoint().toStdString();
    out.groupSeparator = locale.groupSeparator().toStdString();
    return out;
}

double IkiHaneYuvarla(double x) { return IkiHaneYuvarla(x, QLocale()); }

double IkiHaneYuvarla(double x, const QLocale& locale) {
    const data::NumberLocale separators = numberLocaleOf(locale);
    std::string text = data::formatNumber(x, data::kRoundingFormat, separators);
    if (!separators.groupSeparator.empty() && separators.groupSeparator != separators.decimalSeparator) {
        for (std::size_t at; (at = text.find(separators.groupSeparator)) != std::string::npos;)
            text.erase(at, separators.groupSeparator.size());
    }
    double out = 0;
    if (!data::parseNumber(text, separators, out)) return data::roundHalfAwayFromZero(x, 2);
    return out;
}

bool TabloDoluMu(const data::MemTable& table) { return table.active() && table.rowCount() > 0; }

bool SeciliSatirVarMi(data::MemTable& table) {
    if (!TabloDoluMu(table) || !table.hasField("SEC")) return false;
    for (table.first(); !table.eof(); table.next())
        if (table.asInteger("SEC") == 1) return true;
    return false;
}

namespace {

bool unreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

QString percentEncode(const QString& part, const char* keep) {
    const QByteArray bytes = part.toUtf8();
    QString out;
    static const char digits[] = "0123456789ABCDEF";
    for (char c : bytes) {
        if (unreserved(c) || (c != 0 && std::strchr(keep, c))) {
            out += QLatin1Char(c);
        } else {
            const auto b = static_cast<unsigned char>(c);
            out += QLatin1Char('%');
            out += QLatin1Char(digits[b >> 4]);
            out += QLatin1Char(digits[b & 0xF]);
        }
    }
    return out;
}

}  // namespace

QString UrlKodla(const QString& address) {
    // scheme://authority stays as written; the rest is path ? query # fragment.
    int restAt = 0;
    const int schemeEnd = address.indexOf(QStringLiteral("://"));
    if (schemeEnd > 0) {
        const int authorityStart = schemeEnd + 3;
        int authorityEnd = address.size();
        for (QChar sep : {QLatin1Char('/'), QLatin1Char('?'), QLatin1Char('#')}) {
            const int at = address.indexOf(sep, authorityStart);
            if (at >= 0 && at < authorityEnd) authorityEnd = at;
        }
        restAt = authorityEnd;
    }
    QString rest = address.mid(restAt);
    QString fragment;
    const int hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        fragment = rest.mid(hash + 1);
        rest.truncate(hash);
    }
    QString query;
    const int question = rest.indexOf(QLatin1Char('?'));
    const bool hasQuery = question >= 0;
    if (hasQuery) {
        query = rest.mid(question + 1);
        rest.truncate(question);
    }
    QString out = address.left(restAt) + percentEncode(rest, "/");
    if (hasQuery) out += QLatin1Char('?') + percentEncode(query, "&=");
    if (hash >= 0) out += QLatin1Char('#') + percentEncode(fragment, "");
    return out;
}

QStringList chromeCandidates() {
    const QString home = QDir::homePath();
    return {
        QStringLiteral("/usr/bin/google-chrome"),
        QStringLiteral("/usr/bin/google-chrome-stable"),
        QStringLiteral("/opt/google/chrome/chrome"),
        QStringLiteral("/usr/bin/chromium"),
        QStringLiteral("/usr/bin/chromium-browser"),
        QStringLiteral("/snap/bin/chromium"),
        QStringLiteral("/var/lib/flatpak/exports/bin/com.google.Chrome"),
        QStringLiteral("/var/lib/flatpak/exports/bin/org.chromium.Chromium"),
        home + QStringLiteral("/.local/share/flatpak/exports/bin/com.google.Chrome"),
        home + QStringLiteral("/.local/share/flatpak/exports/bin/org.chromium.Chromium"),
    };
}

QString firstExisting(const QStringList& candidates, const std::function<bool(const QString&)>& exists) {
    for (const QString& c : candidates)
        if (exists(c)) return c;
    return {};
}

QString ChromeYolu() {
    return firstExisting(chromeCandidates(), [](const QString& path) {
        const QFileInfo info(path);
        return info.exists() && info.isFile() && info.isExecutable();
    });
}

int IESurumu() {
#ifdef KORVEL_HAVE_WEBENGINE
    const QString version = QString::fromLatin1(qWebEngineChromiumVersion());
    return version.section(QLatin1Char('.'), 0, 0).toInt();
#else
    return 0;
#endif
}

}  // namespace session
