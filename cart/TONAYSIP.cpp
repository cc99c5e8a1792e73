#include "cart/TONAYSIP.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cart/Guarded.h"
#include "cart/RadioGroup.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/Utilities.h"
#include "session/records/Records.h"

namespace cart {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

void warn(const QString& text) {
    session::MesajGoster(text, platform::MsgKind::Warning, platform::kOk, platform::MsgButton::OK);
}

// Entries of a kind list: first column the number, second the name.
void fillKinds(RadioGroup& group, const wire::Table* rows) {
    group.clear();
    if (!rows || rows->columnCount() < 2) return;
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        group.addEntry(qs(data::cellToString(rows->at(r, 1))),
                       static_cast<int>(data::cellToInteger(rows->at(r, 0))));
}

QFont fixedBold(int pixelSize) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(pixelSize);
    f.setBold(true);
    return f;
}

// The first row of the company table whose ADI equals the text exactly.
bool locateCompany(data::MemTable& kargo, const QString& text) {
    if (!kargo.active() || !kargo.hasField("ADI")) return false;
    return kargo.locate("ADI", data::Cell{text.toStdString()});
}

}  // namespace

QString siparisOzeti(const QString& adi, const QString& cariAdi, const QString& toplam) {
    return QStringLiteral("Kullanıcı: ") + adi + QStringLiteral("\r\n") + QStringLiteral("Cari     : ") + cariAdi +
           QStringLiteral("\r\n") + QStringLiteral("Tutar    : ") + toplam;
}

TONAYSIP::TONAYSIP(QWidget* owner, remote::Connection& c, TSonucBilgisi& s, const QString& t)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), bagc(c), sbilgi(s), toplam(t) {
    build();
}

void TONAYSIP::build() {
    setObjectName(QStringLiteral("ONAYSIP"));
    setWindowTitle(QStringLiteral("Sipariş Onay"));
    setModal(true);
    setFixedSize(894, 526);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* top = new QWidget(this);
    top->setFixedHeight(171);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(4, 4, 4, 4);
    topRow->setSpacing(4);

    teslimbox = new RadioGroup(QStringLiteral("Teslim Durumu"), top);
    teslimbox->setObjectName(QStringLiteral("teslimbox"));
    teslimbox->setFixedWidth(135);
    topRow->addWidget(teslimbox);

    boxkargo = new RadioGroup(QStringLiteral("Kargo Türleri"), top);
    boxkargo->setObjectName(QStringLiteral("boxkargo"));
    boxkargo->setFixedWidth(208);
    topRow->addWidget(boxkargo);
    connect(boxkargo, &RadioGroup::clicked, this, [this] { guarded([this] { boxkargoClick(); }); });

    kargoGroup = new QGroupBox(QStringLiteral("Kargo"), top);
    kargoGroup->setFixedWidth(224);
    auto* kargoLayout = new QVBoxLayout(kargoGroup);
    kargocombo = new QComboBox(kargoGroup);
    kargocombo->setObjectName(QStringLiteral("kargocombo"));
    kargocombo->setEditable(false);
    kargocombo->setAccessibleName(QStringLiteral("Kargo"));
    kargoLayout->addWidget(kargocombo);
    uyarikargo = new QLabel(kargoGroup);
    uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
    uyarikargo->setFixedSize(210, 59);
    uyarikargo->setWordWrap(true);
    uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    kargoLayout->addWidget(uyarikargo);
    kargoLayout->addStretch(1);
    topRow->addWidget(kargoGroup);
    connect(kargocombo, &QComboBox::activated, this, [this](int) { guarded([this] { kargocomboChange(); }); });

    auto* mesajGroup = new QGroupBox(QStringLiteral("Mesaj"), top);
    auto* mesajLayout = new QVBoxLayout(mesajGroup);
    aciklamagir = new QPlainTextEdit(mesajGroup);
    aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
    aciklamagir->setAccessibleName(QStringLiteral("Mesaj"));
    QFont bold = aciklamagir->font();
    bold.setBold(true);
    aciklamagir->setFont(bold);
    QPalette pal = aciklamagir->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 225));
    aciklamagir->setPalette(pal);
    mesajLayout->addWidget(aciklamagir);
    topRow->addWidget(mesajGroup, 1);
    root->addWidget(top);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(fixedBold(18));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label2->setAccessibleName(QStringLiteral("Sipariş özeti"));
    auto* summaryBox = new QVBoxLayout;
    summaryBox->setContentsMargins(30, 10, 30, 30);
    summaryBox->addWidget(Label2, 1);
    root->addLayout(summaryBox, 1);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(fixedBold(14));
    Label3->setWordWrap(true);
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);
    Label3->setContentsMargins(30, 0, 30, 4);
    root->addWidget(Label3);

    Label1 = new QLabel(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont l1 = Label1->font();
    l1.setBold(true);
    l1.setPixelSize(16);
    Label1->setFont(l1);
    root->addWidget(Label1);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(10, 6, 10, 10);
    auto makeButton = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(text);
        b->setFixedSize(128, 75);
        b->setAutoDefault(false);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        return b;
    };
    Button1 = makeButton(QStringLiteral("Evet"), "Button1");
    Button2 = makeButton(QStringLiteral("Hayır"), "Button2");
    bottom->addWidget(Button1);
    bottom->addStretch(1);
    bottom->addWidget(Button2);
    root->addLayout(bottom);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TONAYSIP* TONAYSIP::Ac(QWidget* AOwner, remote::Connection& _c, const QString& mesaj, TSonucBilgisi& _sbilgi,
                       const QString& _toplam) {
    auto* w = new TONAYSIP(AOwner, _c, _sbilgi, _toplam);
    try {
        w->Label3->setText(mesaj);
        w->Label2->setText(siparisOzeti(qs(_sbilgi.ADI()), qs(_sbilgi.CariAdi()), _toplam));
        w->loadKinds();
    } catch (...) {
        delete w;
        throw;
    }
    return w;
}

void TONAYSIP::loadKinds() {
    auto copy = bagc.clone();
    if (!remote::BaglantiKur(*copy, 1)) return;
    {
        remote::TServerMethods1Client proxy(*copy);
        fillKinds(*teslimbox, proxy.TeslimVer());
        if (teslimbox->count() > 0) teslimbox->setItemIndex(teslimbox->count() > 1 ? 1 : 0);
    }
    {
        remote::TServerMethods1Client proxy(*copy);
        fillKinds(*boxkargo, proxy.KargoVer());
    }
    copy->close();
}

void TONAYSIP::boxkargoClick() {
    uyarikargo->clear();
    const int kind = boxkargo->itemIndex();
    if (kind < 0) return;
    {
        if (!remote::BaglantiKur(bagc, 1)) return;
        struct Closer {
            remote::Connection& c;
            ~Closer() { c.close(); }
        } closer{bagc};
        remote::TServerMethods1Client proxy(bagc);
        remote::loadTable(kargo, proxy.KargolarVer(boxkargo->value(kind)));
    }
    kargocombo->clear();
    kargocombo->addItem(QStringLiteral(" "));
    if (kargo.hasField("ADI"))
        for (kargo.first(); !kargo.eof(); kargo.next()) kargocombo->addItem(qs(kargo.asString("ADI")));
    if (kargocombo->count() == 2) {
        kargocombo->setCurrentIndex(1);
        kargocomboChange();
    }
}

void TONAYSIP::kargocomboChange() {
    try {
        if (locateCompany(kargo, kargocombo->currentText()) && kargo.hasField("UYARI")) {
            uyarikargo->setText(qs(kargo.asString("UYARI")));
            return;
        }
    } catch (...) {
        // A failed lookup only leaves the warning empty.
    }
    uyarikargo->clear();
}

void TONAYSIP::Button1Click() {
    if (teslimbox->itemIndex() < 0) {
        warn(QStringLiteral("Lütfen Teslim Durumu Seçiniz !"));
        return;
    }
    if (boxkargo->itemIndex() < 0) {
        warn(QStringLiteral("Lütfen Kargo Türünü Seçiniz !"));
        return;
    }
    const QString company = kargocombo->currentText();
    if (kargocombo->currentIndex() < 0 || company == QStringLiteral(" ") || !locateCompany(kargo, company)) {
        warn(QStringLiteral("Lütfen Kargo  Seçiniz !"));
        if (QLineEdit* edit = kargocombo->lineEdit()) edit->selectAll();
        kargocombo->setFocus();
        return;
    }
    KN = static_cast<int>(kargo.asInteger("SIRANO"));
    td = teslimbox->value(teslimbox->itemIndex());
    kt = boxkargo->value(boxkargo->itemIndex());
    accept();
}

}  // namespace cart
