#pragma once
// Shared helpers of the client: the message dialog, folders, number formatting of tables and
// amounts, table tests, web address encoding and browser lookup, and the machine identity
// as Qt text.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

#include "data/MemTable.h"
#include "data/NumberFormat.h"
#include "platform/Services.h"

namespace session {

using platform::MsgButton;
using platform::MsgButtons;
using platform::MsgKind;

// The one message dialog: Turkish caption by kind, Turkish buttons, `first` at the head of the
// tab order. Returns the modal result (1 Tamam, 6 Evet, 7 Hayır, 2 Vazgeç, ...). Called from
// another thread, it shows the dialog on the user-interface thread and waits for the answer.
int MesajGoster(const QString& text, MsgKind kind, MsgButtons buttons, MsgButton first);

// Machine identity (see platform/Identity.h) as Qt text.
QString MacAdresiAl();
QString BilgisayarAdiAl();
QString KullaniciAdiAl();
QString IcIpAl();
QString DiskSeriNoAl();
QString BilgisayarIdBul();

// The per-user settings folder "<XDG config home>/korveloto", created when missing (a failure to
// create it shows later, when the settings file is read or written). No trailing separator.
QString AyarKlasoru();
// The user's documents folder.
QString BelgelerKlasoru();

// Display format "#,###,##0.00" on every floating-point field. Call after every load.
void SayiBicimiAyarla(data::MemTable& table);

// The separators of a Qt locale for the mask formatter.
data::NumberLocale numberLocaleOf(const QLocale& locale);

// x rounded to two decimals by formatting with "#,###,##.00" in the user's locale (QLocale())
// and reading the text back: halves away from zero on the stored value.
double IkiHaneYuvarla(double x);
double IkiHaneYuvarla(double x, const QLocale& locale);

// True when the table is open and has at least one row.
bool TabloDoluMu(const data::MemTable& table);
// True when a row has SEC = 1; leaves the cursor on the first such row. False for an empty or
// closed table and when no row is selected (the cursor is then past the last row).
bool SeciliSatirVarMi(data::MemTable& table);

// Percent-encodes the path, query and fragment of a web address as UTF-8 (everything outside
// the unreserved characters except the separators "/", "?", "&", "=" and "#"); scheme, user,
// host and port stay as written.
QString UrlKodla(const QString& address);

// The first installed Chrome or Chromium executable in the usual Linux places, or empty.
QString ChromeYolu();
// The candidates ChromeYolu tries, in order.
QStringList chromeCandidates();
// ChromeYolu with the existence test passed in (testable).
QString firstExisting(const QStringList& candidates, const std::function<bool(const QString&)>& exists);

// Major version of the embedded browser the program is built with; 0 when built without one.
int IESurumu();

}  // namespace session
