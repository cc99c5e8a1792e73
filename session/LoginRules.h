#pragma once
// The decisions of the login and the update as plain functions.

#include <QLocale>
#include <QString>

class TSonucBilgisi;

namespace session {

// The version of this client; a server announcing any other starts the update.
inline constexpr int kClientVersion = 3;

bool needsUpdate(int serverVersion);
// Exact, case-sensitive comparison of the typed texts with the server's record.
bool credentialsMatch(const QString& typedName, const QString& typedPassword, const TSonucBilgisi& server);
// Sales staff work for a customer they pick.
bool isSalesStaff(int musteriTipi);

// The access request form for a computer the server does not know.
QString requestFormAddress(const QString& webRoot, const QString& computerId);
inline QString requestFormCaption() { return QStringLiteral("Korvel Otomotiv B2B İstek Formu"); }

// The update window's message for the server's version.
QString updateMessage(int serverVersion);
// The download progress line, numbers with two decimals in the locale's decimal separator:
// "Bilgi: %50,00  İndirilen: 6,00/12,00 Mb". Empty when total is not positive.
QString downloadProgressText(qint64 received, qint64 total, const QLocale& locale);

// The settings file and its keys.
inline QString settingsFileName() { return QStringLiteral("ayar.ini"); }
inline QString settingsSection() { return QStringLiteral("kullanici"); }
inline QString nameKey() { return QStringLiteral("isim"); }
inline QString passwordKey() { return QStringLiteral("sifre"); }
inline QString rememberKey() { return QStringLiteral("hatırla"); }

}  // namespace session
