#include "catalogue/Tstokayarinti.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "catalogue/ModalRunner.h"
#include "data/MemTable.h"
#include "platform/Services.h"

namespace catalogue {

namespace {

const QColor kCaptionColour(67, 76, 88);

QFont tahoma(int px, bool bold = false) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QLabel* captionLabel(const QString& text, int px, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setFont(tahoma(px, true));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kCaptionColour);
    l->setPalette(p);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(tahoma(11));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kCaptionColour);
    l->setPalette(p);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

AmountBox* amountBox(const char* name, const QString& accessible, QWidget* parent) {
    auto* b = new AmountBox(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(accessible);
    b->setFont(tahoma(20));
    b->setMinimumWidth(170);
    return b;
}

QString textOf(const data::MemTable& t, const char* field) {
    if (!t.hasField(field)) return {};
    return QString::fromStdString(data::cellToString(t.value(field)));
}

double floatOf(const data::MemTable& t, const char* field) {
    return t.hasField(field) ? data::cellToFloat(t.value(field)) : 0.0;
}

}  // namespace

std::unique_ptr<Tstokayarinti> Tstokayarinti::Ac(QWidget* AOwner, int _stokno) {
    std::unique_ptr<Tstokayarinti> d(new Tstokayarinti(AOwner));
    d->stokno = _stokno;
    return d;
}

Tstokayarinti::Tstokayarinti(QWidget* AOwner) : QDialog(AOwner) {
    setObjectName(QStringLiteral("stokayarinti"));
    setWindowTitle(QStringLiteral("Sepete Ekle"));
    build();
}

Tstokayarinti::~Tstokayarinti() = default;

void Tstokayarinti::build() {
    resize(662, 631);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    // Header: the item's codes.
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("ustpanel"));
    header->setFixedHeight(97);
    auto* hg = new QGridLayout(header);
    hg->setContentsMargins(12, 6, 12, 6);
    hg->setVerticalSpacing(2);
    barkod = valueLabel("barkod", header);
    adi = valueLabel("adi", header);
    finishkod = valueLabel("finishkod", header);
    marka = valueLabel("marka", header);
    model = valueLabel("model", header);
    const std::pair<const char*, QLabel*> rows[] = {
        {"Barkod:", barkod}, {"Açıklama:", adi}, {"Finish Kod:", finishkod}, {"Marka:", marka}, {"Model:", model}};
    int r = 0;
    for (const auto& [caption, value] : rows) {
        auto* c = captionLabel(QString::fromUtf8(caption), 11, header);
        c->setBuddy(value);
        value->setAccessibleName(QString::fromUtf8(caption).chopped(1));
        hg->addWidget(c, r, 0);
        hg->addWidget(value, r, 1);
        ++r;
    }
    hg->setColumnStretch(1, 1);
    root->addWidget(header);

    // Picture area: the server picture with the web picture over it.
    auto* pictures = new QWidget(this);
    pictures->setObjectName(QStringLiteral("resimalani"));
    auto* stack = new QStackedLayout(pictures);
    stack->setStackingMode(QStackedLayout::StackAll);
    Image1 = new PictureView(pictures);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Ürün resmi"));
    AsyncResim1 = new TAsyncResim(pictures);
    AsyncResim1->setObjectName(QStringLiteral("AsyncResim1"));
    AsyncResim1->setAccessibleName(QStringLiteral("Ürün resmi"));
    stack->addWidget(Image1);
    stack->addWidget(AsyncResim1);
    AsyncResim1->raise();
    root->addWidget(pictures, 1);

    // Bottom: discounts (staff), amounts, buttons.
    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("altpanel"));
    bottom->setFixedHeight(207);
    auto* hb = new QHBoxLayout(bottom);
    hb->setContentsMargins(8, 4, 8, 4);

    GridPanel2 = new QWidget(bottom);
    GridPanel2->setObjectName(QStringLiteral("GridPanel2"));
    auto* dg = new QGridLayout(GridPanel2);
    dg->setContentsMargins(0, 0, 0, 0);
    edindirim1 = amountBox("edindirim1", QStringLiteral("İsk"), GridPanel2);
    edindirim2 = amountBox("edindirim2", QStringLiteral("İsk2"), GridPanel2);
    edindirim3 = amountBox("edindirim3", QStringLiteral("İsk3"), GridPanel2);
    edindirim4 = amountBox("edindirim4", QStringLiteral("İsk4"), GridPanel2);
    AmountBox* discounts[] = {edindirim1, edindirim2, edindirim3, edindirim4};
    for (int i = 0; i < 4; ++i) {
        discounts[i]->setMinimumWidth(80);
        auto* c = captionLabel(discounts[i]->accessibleName(), 20, GridPanel2);
        c->setBuddy(discounts[i]);
        dg->addWidget(c, i, 0);
        dg->addWidget(discounts[i], i, 1);
    }
    GridPanel2->setVisible(false);
    hb->addWidget(GridPanel2);

    auto* amounts = new QWidget(bottom);
    amounts->setObjectName(QStringLiteral("tutarpaneli"));
    auto* ag = new QGridLayout(amounts);
    ag->setContentsMargins(0, 0, 0, 0);
    adet = new QuantityBox(amounts);
    adet->setObjectName(QStringLiteral("adet"));
    adet->setAccessibleName(QStringLiteral("Adet"));
    adet->setFont(tahoma(20));
    birimfiyat = amountBox("birimfiyat", QStringLiteral("Fiyat"), amounts);
    indtutar = amountBox("indtutar", QStringLiteral("İndirim"), amounts);
    kdvdahiltutar = amountBox("kdvdahiltutar", QStringLiteral("KDV Dahil"), amounts);
    geneltutar = amountBox("geneltutar", QStringLiteral("Tutar"), amounts);
    auto* adetLabel = captionLabel(QStringLiteral("Adet:"), 20, amounts, "adetLabel");
    Label2 = captionLabel(QStringLiteral("Fiyat:"), 20, amounts, "Label2");
    indirimoran = captionLabel(QStringLiteral("İndirim:"), 20, amounts, "indirimoran");
    kdvdahilLabel = captionLabel(QStringLiteral("KDV Dahil:"), 20, amounts, "kdvdahilLabel");
    tutarLabel = captionLabel(QStringLiteral("Tutar:"), 20, amounts, "tutarLabel");
    QLabel* captions[] = {adetLabel, Label2, indirimoran, kdvdahilLabel, tutarLabel};
    QWidget* boxes[] = {adet, birimfiyat, indtutar, kdvdahiltutar, geneltutar};
    for (int i = 0; i < 5; ++i) {
        captions[i]->setBuddy(boxes[i]);
        ag->addWidget(captions[i], i, 0);
        ag->addWidget(boxes[i], i, 1);
    }
    hb->addWidget(amounts, 1);

    auto* buttons = new QVBoxLayout();
    ParcaliTus1 = new QPushButton(QStringLiteral("Sipariş ekle"), bottom);
    ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
    ParcaliTus2 = new QPushButton(QStringLiteral("Vazgeç"), bottom);
    ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
    for (QPushButton* b : {ParcaliTus1, ParcaliTus2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setFont(tahoma(16, true));
        b->setMinimumSize(150, 80);
        b->setAccessibleName(b->text());
        buttons->addWidget(b);
    }
    hb->addLayout(buttons);
    root->addWidget(bottom);

    setTabOrder(adet, birimfiyat);
    setTabOrder(birimfiyat, indtutar);
    setTabOrder(indtutar, kdvdahiltutar);
    setTabOrder(kdvdahiltutar, geneltutar);

    connect(adet, &QuantityBox::changed, this, &Tstokayarinti::adetChange);
    connect(adet, &QuantityBox::enterPressed, this, &Tstokayarinti::ParcaliTus1Click);  // adetKeyDown
    connect(ParcaliTus1, &QPushButton::clicked, this, &Tstokayarinti::ParcaliTus1Click);
    connect(ParcaliTus2, &QPushButton::clicked, this, &Tstokayarinti::ParcaliTus2Click);
    for (AmountBox* b : {birimfiyat, indtutar, kdvdahiltutar, geneltutar, edindirim1, edindirim2, edindirim3, edindirim4})
        b->installEventFilter(this);
}

void Tstokayarinti::fillFromStockRow(const data::MemTable& t, Sayfa sayfa, int musteriTipi) {
    kdvoran = floatOf(t, "KDV");
    barkod->setText(textOf(t, "BARKOD"));
    adi->setText(textOf(t, "ADI"));
    marka->setText(textOf(t, "MARKA"));
    finishkod->setText(textOf(t, "FINISHKOD"));
    model->setText(textOf(t, "MODEL"));

    const long long k = t.hasField("K") ? data::cellToInteger(t.value("K")) : 0;
    const QString yazi = textOf(t, "INDIRIMYAZI");
    bool fill = true;
    QString fiyatCaption = QStringLiteral("Fiyat:");
    QString indirimCaption;
    switch (sayfa) {
    case Sayfa::StokListesi:
        if (k == 0) {
            indirimCaption = QStringLiteral("İndirim: %") + yazi;
        } else if (k > 0) {
            fiyatCaption = QStringLiteral("Kampanyalı Fiyat:");
            indirimCaption = QStringLiteral("Kampanyalı ") + yazi;
        } else {
            fill = false;
            indirimCaption = QStringLiteral("İndirim:");
        }
        break;
    case Sayfa::YeniUrunler:
        if (k > 0) {
            fiyatCaption = QStringLiteral("Kampanyalı Fiyat:");
            indirimCaption = QStringLiteral("Kampanyalı ") + yazi;
        } else {
            indirimCaption = QStringLiteral("İndirim:  % ") + yazi;
        }
        break;
    case Sayfa::SepetSatiri:
        indirimCaption = QStringLiteral("İndirim:");
        break;
    case Sayfa::KampanyaliUrunler:
        fiyatCaption = QStringLiteral("Kampanyalı Fiyat:");
        indirimCaption = QStringLiteral("Kampanyalı ") + yazi;
        break;
    }
    Label2->setText(fiyatCaption);
    indirimoran->setText(indirimCaption);
    if (fill) {
        birimfiyat->setValue(floatOf(t, "FIYAT"));
        edindirim1->setValue(floatOf(t, "IND1"));
        edindirim2->setValue(floatOf(t, "IND2"));
        edindirim3->setValue(floatOf(t, "IND3"));
        edindirim4->setValue(floatOf(t, "IND4"));
    } else {
        for (AmountBox* b : {birimfiyat, edindirim1, edindirim2, edindirim3, edindirim4}) b->setValue(0);
    }
    if (musteriTipi == 1 || musteriTipi == 2) setPersonelDuzenlemesi(true, sayfa != Sayfa::KampanyaliUrunler);
}

void Tstokayarinti::fillFromCartLine(const data::MemTable& sepet, int musteriTipi) {
    barkod->setText(textOf(sepet, "BARKOD"));
    adi->setText(textOf(sepet, "STOKADI"));
    marka->setText(textOf(sepet, "MARKA"));
    finishkod->setText(textOf(sepet, "FINISHKOD"));
    model->setText(textOf(sepet, "MODEL"));
    kdvoran = floatOf(sepet, "KDV");
    edindirim1->setValue(floatOf(sepet, "INDIRIMORANI1"));
    edindirim2->setValue(floatOf(sepet, "INDIRIMORANI2"));
    edindirim3->setValue(floatOf(sepet, "INDIRIMORANI3"));
    edindirim4->setValue(floatOf(sepet, "INDIRIMORANI4"));
    if (musteriTipi == 1 || musteriTipi == 2) setPersonelDuzenlemesi(true, true);
    birimfiyat->setValue(floatOf(sepet, "BIRIMFIYAT"));
    adet->setText(QString::number(static_cast<long long>(sepet.hasField("MIKTAR") ? data::cellToInteger(sepet.value("MIKTAR")) : 1)));
}

void Tstokayarinti::setPersonelDuzenlemesi(bool editable, bool showDiscountPanel) {
    for (AmountBox* b : {birimfiyat, edindirim1, edindirim2, edindirim3, edindirim4}) b->setEditable(editable);
    GridPanel2->setVisible(showDiscountPanel);
}

Indirimler Tstokayarinti::indirimler() const {
    return {edindirim1->value(), edindirim2->value(), edindirim3->value(), edindirim4->value()};
}

std::optional<Tstokayarinti::Onay> Tstokayarinti::okunanDegerler(QString* hata) const {
    const std::optional<double> miktar = gonderilecekAdet(adet->text(), hata);
    if (!miktar) return std::nullopt;
    Onay o;
    o.miktar = *miktar;
    o.fiyat = birimfiyat->value();
    o.indirimler = indirimler();
    return o;
}

std::optional<Tstokayarinti::Onay> Tstokayarinti::calistir() {
    if (execModal(*this) != QDialog::Accepted) return std::nullopt;
    return okunanDegerler();
}

void Tstokayarinti::TutarlariHesapla() {
    const Tutarlar t = catalogue::TutarlariHesapla(birimfiyat->value(), hesapAdedi(adet->text()), indirimler(), kdvoran);
    indtutar->setValue(t.indtutar);
    kdvdahiltutar->setValue(t.kdvdahiltutar);
    geneltutar->setValue(t.geneltutar);
}

void Tstokayarinti::KdvCikar() {
    birimfiyat->setValue(catalogue::KdvCikar(birimfiyat->value()));
}

void Tstokayarinti::FormShow() {
    TutarlariHesapla();
    const bool indirim = IndirimVarmi(indirimler());
    indirimoran->setVisible(indirim);
    indtutar->setVisible(indirim);
    if (!resimAdresi.isEmpty()) AsyncResim1->SetUrl(resimAdresi + QString::number(stokno));
    adet->setFocus();
    FormActivate();
}

void Tstokayarinti::FormActivate() {
    adet->selectAll();
}

void Tstokayarinti::adetChange() {
    TutarlariHesapla();
}

void Tstokayarinti::ParcaliTus1Click() {
    accept();
}

void Tstokayarinti::ParcaliTus2Click() {
    reject();
}

void Tstokayarinti::accept() {
    QString hata;
    if (!okunanDegerler(&hata)) {
        platform::MessageRequest r;
        r.text = hata;
        r.kind = platform::MsgKind::Error;
        r.buttons = platform::kOk;
        r.first = platform::MsgButton::OK;
        platform::services().showMessage(r);
        adet->setFocus();
        adet->selectAll();
        return;
    }
    QDialog::accept();
}

void Tstokayarinti::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect g = frameGeometry();
        g.moveCenter(screen->availableGeometry().center());
        move(g.topLeft());
    }
    FormShow();
}

bool Tstokayarinti::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(event);
}

bool Tstokayarinti::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        // birimfiyatKeyDown: Enter in the price box does nothing.
        if (watched == birimfiyat && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) return true;
        if (k->key() == Qt::Key_F4) return true;
    } else if (event->type() == QEvent::KeyRelease) {
        // birimfiyatKeyUp: F4 takes the VAT out of the price; every key release recalculates.
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_F4) KdvCikar();
        TutarlariHesapla();
        if (k->key() == Qt::Key_F4) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace catalogue
