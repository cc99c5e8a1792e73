#include "session/LoginRules.h"

#include "session/records/Records.h"

namespace session {

bool needsUpdate(int serverVersion) { return serverVersion != kClientVersion; }

bool credentialsMatch(const QString& typedName, const QString& typedPassword, const TSonucBilgisi& server) {
    return typedName == QString::fromStdString(server.ADI()) && typedPassword == QString::fromStdString(server.SIFRE());
}

bool isSalesStaff(int musteriTipi) { return musteriTipi == 1 || musteriTipi == 2; }

QString requestFormAddress(const QString& webRoot, const QString& computerId) {
    return webRoot + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") + computerId;
}

QString updateMessage(int serverVersion) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Korvel Otomotiv B2B Programının") + crlf + QStringLiteral("Yeni versiyonu indirilecektir") +
           crlf + QStringLiteral("Lütfen Bekleyiniz...!") + crlf + QStringLiteral("Version: ") +
           QString::number(serverVersion) + QStringLiteral("-") + QString::number(kClientVersion);
}

QString downloadProgressText(qint64 received, qint64 total, const QLocale& locale) {
    if (total <= 0) return {};
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto fixed = [&](double v) { return plain.toString(v, 'f', 2); };
    const double mb = 1024.0 * 1024.0;
    const double percent = static_cast<double>(received) / static_cast<double>(total) * 100.0;
    return QStringLiteral("Bilgi: %") + fixed(percent) + QStringLiteral("  İndirilen: ") + fixed(received / mb) +
           QStringLiteral("/") + fixed(total / mb) + QStringLiteral(" Mb");
}

}  // namespace session
