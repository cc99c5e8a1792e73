#include "notices/Tformistekyeni.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Services.h"
#include "session/EmbeddedBrowser.h"

#ifdef KORVEL_HAVE_WEBENGINE
#include <QWebEngineView>
#endif

namespace notices {

namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
}  // namespace

bool Tformistekyeni::hasEmbeddedBrowser() {
#ifdef KORVEL_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

Tformistekyeni::Tformistekyeni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("formistekyeni"));
    resize(780, 555);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
#ifdef KORVEL_HAVE_WEBENGINE
    session::prepareEmbeddedBrowser();
    auto* view = new QWebEngineView(this);
    sitem = view;
#else
    auto* note = new QLabel(this);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sitem = note;
#endif
    sitem->setObjectName(QStringLiteral("sitem"));
    sitem->setAccessibleName(u("İstek Formu"));
    root->addWidget(sitem, 1);

    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 6, 8, 6);
    row->addStretch(1);
    Button1 = new QPushButton(u("Kapat"), bar);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(u("Kapat"));
    Button1->setAutoDefault(false);
    row->addWidget(Button1);
    root->addWidget(bar);
    connect(Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);

    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

Tformistekyeni::~Tformistekyeni() = default;

void Tformistekyeni::acAdres(const QString& address) {
    address_ = address;
    const QUrl url(address);
#ifdef KORVEL_HAVE_WEBENGINE
    static_cast<QWebEngineView*>(sitem)->setUrl(url);
#else
    platform::services().openUrl(url);
    static_cast<QLabel*>(sitem)->setText(u("İstek formu tarayıcınızda açıldı:\n") + address);
#endif
}

void Tformistekyeni::Button1Click() { close(); }

}  // namespace notices
