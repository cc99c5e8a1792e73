#include <QDialog>
#include <QPointer>

#include "app/TForm1.h"
#include "notices/Tformistekyeni.h"
#include "platform/Services.h"
#include "session/Async.h"
#include "session/ServerEndpoints.h"
#include "session/Tgirisform.h"

namespace {

void showRequestForm(const QString& caption, const QString& address) {
    notices::Tformistekyeni form;
    form.setWindowTitle(caption);
    form.acAdres(address);
    form.exec();
}

}  // namespace

void TForm1::GirisYap() {
    {
        session::Tgirisform giris;
        giris.bagim = &bagc;
        giris.Bilgim = &sbilgi;
        giris.openRequestForm = showRequestForm;
        if (context.pickCustomer)
            giris.pickCustomer = [this](session::Tgirisform& owner) { return context.pickCustomer(&owner); };
        if (giris.exec() != QDialog::Accepted) {
            platform::services().exitProcess(0);
            return;
        }
    }
    if (QString::fromStdString(sbilgi.Disip()).trimmed().isEmpty()) {
        platform::services().exitProcess(0);
        return;
    }
    // The login has settled on the public or the LAN addresses.
    context.ResimAdresi = session::ResimAdresi();
    adaptToCustomerType(sbilgi.MusteriTipi());
    startStartContent();
}

void TForm1::adaptToCustomerType(int musteriTipi) {
    switch (musteriTipi) {
    case 1:
    case 2:  // sales staff
        musteritus->setVisible(true);
        R1->setVisible(true);
        break;
    case 3:
        R1->setVisible(false);
        break;
    case 4:  // a customer without campaigns
        sPageControl1->setTabVisible(pageIndex(QStringLiteral("skampanyali")), false);
        R1->setVisible(false);
        break;
    default:
        break;
    }
    for (const auto& adapt : context.customerTypeAdapters) adapt(musteriTipi);
}

void TForm1::startStartContent() {
    QPointer<TForm1> self(this);
    const auto loaders = context.startLoaders;
    const auto finishers = context.startFinishers;
    Async([self, loaders] {
        session::runOnUiThread([self] {
            if (self) self->AnaBilgiAl();
        });
        for (const auto& load : loaders) load();
    }).Await([self, finishers] {
        if (!self) return;
        for (const auto& finish : finishers) finish();
        emit self->startContentFinished();
    });
}
