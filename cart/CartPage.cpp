#include "cart/CartPage.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

#include "cart/Guarded.h"
#include "cart/OverdueWarning.h"
#include "cart/TONAYSIP.h"
#include "catalogue/ModalRunner.h"
#include "catalogue/ResimYukle.h"
#include "catalogue/Tstokayarinti.h"
#include "grid/DataGrid.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/MainContext.h"
#include "session/PageLoad.h"
#include "session/Utilities.h"
#include "session/records/Records.h"

namespace cart {

using platform::MsgButton;
using platform::MsgKind;

namespace {

void inform(const QString& text) { session::MesajGoster(text, MsgKind::Information, platform::kOk, MsgButton::OK); }

bool ask(const QString& text) {
    return session::MesajGoster(text, MsgKind::Confirmation, platform::kYesNo, MsgButton::No) == platform::mrYes;
}

std::unique_ptr<TSonucBilgisi> freshCopy(const TSonucBilgisi& s) {
    auto copy = std::make_unique<TSonucBilgisi>();
    copy->Kopyala(s);
    return copy;
}

// Closes the main connection when a command leaves, also through an error.
struct ClosesConnection {
    remote::Connection& connection;
    ~ClosesConnection() { connection.close(); }
};

// The line's SEC flag; anything that is not a number counts as not selected.
int selectionOf(const data::MemTable& t) {
    try {
        return static_cast<int>(t.asInteger("SEC"));
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

// What one background fetch hands to its completion.
struct CartPage::Fetch {
    unsigned generation = 0;  // the table's generation when the fetch started
    int carino = 0;
    std::optional<wire::Table> table;
    std::exception_ptr error;
};

CartPage::CartPage(session::MainContext& ctx, QWidget* page, data::MemTable* sepet)
    : QObject(page), ctx_(ctx), page_(page), sepet_(sepet), overdue_(nullptr) {
    build(page);
    overdue_ = std::make_unique<OverdueWarning>(lbluyarbakiye);

    session::PageLoad::Options options;
    if (ctx_.busyIndicator) options.busyIndicator = ctx_.busyIndicator(QStringLiteral("gifsepet"));
    options.grid.detach = [this] {
        cxGrid2->beginUpdate();
        cxGrid2->detach();
    };
    options.grid.attach = [this] {
        cxGrid2->attach(sepet_);
        cxGrid2->endUpdate();
    };
    options.grid.setEnabled = [this](bool on) { cxGrid2->setEnabled(on); };
    options.alsoDisabled = {Button1, Button2, Button4, Button5};
    options.finish = [this](bool failed) { finishLoad(failed); };
    options.connectFlag = 1;
    load_ = std::make_unique<session::PageLoad>(*ctx_.bagc, std::move(options));
}

CartPage::~CartPage() = default;

void CartPage::build(QWidget* page) {
    auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
    if (!layout) {
        layout = new QVBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(2);
    }

    cxGrid2 = new grid::DataGrid(page);
    cxGrid2->setObjectName(QStringLiteral("cxGrid2"));
    cxGrid2->setAccessibleName(QStringLiteral("Sepet"));
    cxGrid2->view()->setAccessibleName(QStringLiteral("Sepet"));
    declareColumns();
    cxGrid2->setRowHeight(60);
    cxGrid2->setHeaderHeight(40);
    cxGrid2->setFilterButtonsVisible(true);
    cxGrid2->attach(sepet_);
    cxGrid2->installEventFilter(this);
    layout->addWidget(cxGrid2, 1);

    PopupMenu1 = new QMenu(cxGrid2);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Deitir1 = PopupMenu1->addAction(QStringLiteral("Satır Değiştir"));
    Deitir1->setObjectName(QStringLiteral("Deitir1"));
    PopupMenu1->addSeparator();
    SatrSil1 = PopupMenu1->addAction(QStringLiteral("Satır Sil"));
    SatrSil1->setObjectName(QStringLiteral("SatrSil1"));
    PopupMenu1->addSeparator();
    HepsiniSil1 = PopupMenu1->addAction(QStringLiteral("Hepsini Sil"));
    HepsiniSil1->setObjectName(QStringLiteral("HepsiniSil1"));
    connect(Deitir1, &QAction::triggered, this, [this] { guarded([this] { Deitir1Click(); }); });
    connect(SatrSil1, &QAction::triggered, this, [this] { guarded([this] { SatrSil1Click(); }); });
    connect(HepsiniSil1, &QAction::triggered, this, [this] { guarded([this] { HepsiniSil1Click(); }); });
    connect(cxGrid2, &grid::DataGrid::contextMenuRequested, this, [this](const QPoint& pos) {
        if (cxGrid2->isEnabled()) PopupMenu1->popup(pos);
    });
    connect(cxGrid2, &grid::DataGrid::rowDoubleClicked, this,
            [this](int, const QString&) { guarded([this] { cxGridDBTableView1DblClick(); }); });

    auto makeButton = [page](const QString& text, const char* name) {
        auto* b = new QPushButton(text, page);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(text);
        b->setAutoDefault(false);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        return b;
    };

    panelsec = new QWidget(page);
    panelsec->setObjectName(QStringLiteral("panelsec"));
    auto* strip = new QHBoxLayout(panelsec);
    strip->setContentsMargins(0, 0, 0, 0);
    Button4 = makeButton(QStringLiteral("Hepsini Seç"), "Button4");
    Button5 = makeButton(QStringLiteral("Seçimleri Kaldır"), "Button5");
    Button4->setMinimumHeight(36);
    Button5->setMinimumHeight(36);
    strip->addWidget(Button4);
    strip->addWidget(Button5);
    lbluyarbakiye = new QLabel(panelsec);
    lbluyarbakiye->setObjectName(QStringLiteral("lbluyarbakiye"));
    lbluyarbakiye->setAccessibleName(QStringLiteral("Vade uyarısı"));
    lbluyarbakiye->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lbluyarbakiye->setWordWrap(true);
    QFont warnFont = lbluyarbakiye->font();
    warnFont.setBold(true);
    warnFont.setPixelSize(16);
    lbluyarbakiye->setFont(warnFont);
    QPalette red = lbluyarbakiye->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lbluyarbakiye->setPalette(red);
    strip->addWidget(lbluyarbakiye, 1);
    layout->addWidget(panelsec);

    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    auto* sendColumn = new QVBoxLayout;
    Button1 = makeButton(QStringLiteral("Gönder"), "Button1");
    Button2 = makeButton(QStringLiteral("Excel Kaydet"), "Button2");
    Button1->setMinimumSize(160, 40);
    Button2->setMinimumSize(160, 30);
    sendColumn->addWidget(Button1);
    sendColumn->addWidget(Button2);
    commands->addLayout(sendColumn);
    layout->addLayout(commands);

    connect(Button4, &QPushButton::clicked, this, [this] { guarded([this] { Button4Click(); }); });
    connect(Button5, &QPushButton::clicked, this, [this] { guarded([this] { Button5Click(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(); }); });

    // The totals box is never shown; its labels carry the totals ("Genel Toplam" feeds "Gönder").
    GroupBox2 = new QGroupBox(QStringLiteral("Mesaj"), page);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setVisible(false);
    auto* totals = new QGridLayout(GroupBox2);
    int row = 0;
    auto addTotal = [&](const QString& caption, const char* name, bool bold) {
        auto* c = new QLabel(caption, GroupBox2);
        auto* v = new QLabel(GroupBox2);
        v->setObjectName(QLatin1String(name));
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (bold) {
            QFont f = v->font();
            f.setBold(true);
            v->setFont(f);
            c->setFont(f);
        }
        totals->addWidget(c, row, 0);
        totals->addWidget(v, row, 1);
        ++row;
        return v;
    };
    aratoplaml = addTotal(QStringLiteral("Toplam:"), "aratoplaml", false);
    indiriml = addTotal(QStringLiteral("İndirim Toplam:"), "indiriml", false);
    nettutarl = addTotal(QStringLiteral("Ara Toplam:"), "nettutarl", false);
    vergil = addTotal(QStringLiteral("Vergi:"), "vergil", false);
    geneltoplaml = addTotal(QStringLiteral("Genel Toplam:"), "geneltoplaml", true);

    page->installEventFilter(this);
}

void CartPage::declareColumns() {
    using grid::CellKind;
    using grid::GridColumn;
    using grid::Visibility;
    auto shown = [](const char* f, const char* caption, int weight, CellKind kind = CellKind::Text) {
        GridColumn c;
        c.field = QLatin1String(f);
        c.caption = QString::fromUtf8(caption);
        c.weight = weight;
        c.kind = kind;
        return c;
    };
    auto hidden = [](const char* f, const char* caption, Visibility v) {
        GridColumn c;
        c.field = QLatin1String(f);
        c.caption = QString::fromUtf8(caption);
        c.visibility = v;
        return c;
    };
    QVector<GridColumn> cols;
    cols << shown("SEC", "Seç", 1, CellKind::CheckBox) << shown("VERILISTARIHI", "Sipariş Tarihi", 1)
         << shown("BARKOD", "Barkod", 2) << shown("FINISHKOD", "FinishKod", 2) << shown("OEMNO", "OEMNo", 2)
         << shown("STOKADI", "Stok Açıklama", 3) << shown("MIKTAR", "Miktar", 1)
         << shown("BIRIMFIYAT", "Birim Fiyat", 1) << shown("TUTAR", "Tutar", 1);
    GridColumn rates = shown("INDIRIMYAZI", "İndirim Oran", 2);
    rates.alignment = Qt::AlignCenter;
    cols << rates << shown("NETBIRIMFIYAT", "Net Fiyat", 1) << shown("KDV", "KDV", 1)
         << shown("VERGITUTARI", "Vergi Tutarı", 1) << shown("NETTUTAR", "Net Tutar", 1)
         << shown("VEREN", "Veren", 1);
    GridColumn durum = shown("DURUM", "Durum", 1, CellKind::Icon);
    durum.iconSet = grid::IconSet::StockState;
    cols << durum;

    const std::pair<const char*, const char*> offered[] = {
        {"SIPARISNO", "Sipariş No"}, {"TARIH", "Tarih"}, {"KUR", "Kur"}, {"SAAT", "Saat"},
        {"ACIKLAMA", "Açıklama"}, {"OEM1", ""}, {"OEM2", ""}, {"OEM3", ""}, {"OEM4", ""},
        {"DIGERADI", ""}, {"DPKOD", ""}, {"MARKA", "Marka"}, {"MODEL", "Model"}, {"ANAGRUP", "Ana Grup"},
        {"OZELKOD", "Özel Kod"}, {"PKOD", ""}, {"INDIRIMORANI4", ""}};
    for (const auto& [f, caption] : offered) cols << hidden(f, caption, Visibility::HiddenOffered);
    const std::pair<const char*, const char*> never[] = {
        {"SIRANO", ""}, {"CARINO", ""}, {"AKTAR", ""}, {"STOKNO", ""}, {"INDIRIMORANI1", ""},
        {"INDIRIMORANI2", ""}, {"INDIRIMORANI3", ""}, {"INDIRIMTUTAR", ""}, {"KURTL", ""},
        {"VERENIDNO", ""}, {"TESLIMID", ""}, {"KARGOID", ""}, {"IDNO", ""}, {"VERENSIRANO", ""},
        {"CARIKOD", ""}, {"CARIADI", ""}, {"STOK_STOKNO", ""}, {"URETICIKODU", ""}, {"KALAN", "Kalan"}};
    for (const auto& [f, caption] : never) cols << hidden(f, caption, Visibility::Never);

    cxGrid2->setColumns(cols);
    cxGrid2->setColumnOffered(QStringLiteral("SEC"), false);
    cxGrid2->addFooter(QStringLiteral("VERILISTARIHI"), grid::Aggregate::Count);
    cxGrid2->addFooter(QStringLiteral("MIKTAR"), grid::Aggregate::Sum, QString::fromLatin1(data::kAmountFormat.data()));
    cxGrid2->addFooter(QStringLiteral("NETTUTAR"), grid::Aggregate::Sum,
                       QString::fromLatin1(data::kAmountFormat.data()));
}

void CartPage::adaptToCustomerType(int musteriTipi) {
    const bool staff = musteriTipi == 1 || musteriTipi == 2;
    cxGrid2->setColumnVisible(QStringLiteral("KALAN"), staff);
    cxGrid2->setColumnOffered(QStringLiteral("KALAN"), staff);
    const bool durum = musteriTipi != 3;
    cxGrid2->setColumnVisible(QStringLiteral("DURUM"), durum);
    cxGrid2->setColumnOffered(QStringLiteral("DURUM"), durum);
}

bool CartPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page_ && event->type() == QEvent::Show && !event->spontaneous())
        guarded([this] { ssepetShow(); });
    else if (watched == cxGrid2 && event->type() == QEvent::Resize)
        cxGrid2Resize();
    return QObject::eventFilter(watched, event);
}

// --- loading -------------------------------------------------------------------------------

bool CartPage::loading() const { return load_->running(); }

void CartPage::ssepetShow() {
    lbluyarbakiye->clear();
    SepetAl(true);
    CariBakiyeUyariBak();
}

void CartPage::SepetAl(bool background) {
    if (!background) {
        loadNow();
        return;
    }
    if (load_->running()) return;  // the running load fills the page anyway
    auto fetch = std::make_shared<Fetch>();
    fetch->generation = tableGeneration_;
    fetch->carino = ctx_.sbilgi->CARINO();
    fetch_ = fetch;
    load_->start([fetch](remote::Connection& connection) {
        try {
            remote::TServerMethods1Client proxy(connection);
            fetch->table = *proxy.SepetVer2(fetch->carino);
        } catch (...) {
            fetch->error = std::current_exception();  // shown after the completion
        }
        return false;
    });
}

void CartPage::loadNow() {
    auto copy = ctx_.bagc->clone();
    if (!remote::BaglantiKur(*copy, 1)) return;
    {
        remote::TServerMethods1Client proxy(*copy);
        remote::loadTable(*sepet_, proxy.SepetVer2(ctx_.sbilgi->CARINO()));
    }
    session::SayiBicimiAyarla(*sepet_);
    ++tableGeneration_;
    copy->close();
    setCaption();
    SepetToplamHesapla();
}

void CartPage::finishLoad(bool) {
    std::shared_ptr<Fetch> fetch = std::move(fetch_);
    // A synchronous reload that ran while this fetch was under way holds the newer cart, and a
    // cart fetched for a customer the user has since left is not shown.
    if (fetch && fetch->table && fetch->generation == tableGeneration_ && fetch->carino == ctx_.sbilgi->CARINO()) {
        sepet_->load(std::move(*fetch->table));
        session::SayiBicimiAyarla(*sepet_);
        ++tableGeneration_;
    }
    setCaption();
    SepetToplamHesapla();
    // The grid is enabled right after this; the widths follow the loaded content then.
    QMetaObject::invokeMethod(this, [this] { cxGrid2Resize(); }, Qt::QueuedConnection);
    if (fetch && fetch->error) std::rethrow_exception(fetch->error);
}

void CartPage::setCaption() {
    if (ctx_.setPageCaption)
        ctx_.setPageCaption(QStringLiteral("ssepet"),
                            QString::number(sepet_->active() ? sepet_->rowCount() : 0) + QStringLiteral("=Sepet"));
}

void CartPage::setLocale(const QLocale& locale) {
    locale_ = locale;
    cxGrid2->setDisplayLocale(locale);
}

// --- totals and selection ------------------------------------------------------------------

double CartPage::roundTwo(double x) const { return session::IkiHaneYuvarla(x, locale_); }

QString CartPage::formatAmount(double x) const {
    return QString::fromStdString(data::formatNumber(x, data::kAmountFormat, session::numberLocaleOf(locale_)));
}

void CartPage::SepetToplamHesapla() {
    const SepetToplamlari t = sepetToplamlari(*sepet_, [this](double x) { return roundTwo(x); });
    aratoplaml->setText(formatAmount(t.aratoplam));
    indiriml->setText(formatAmount(t.indirim));
    vergil->setText(formatAmount(t.vergi));
    nettutarl->setText(formatAmount(t.nettutar));
    geneltoplaml->setText(formatAmount(t.geneltoplam));
}

bool CartPage::SepetSecimYaz(int sirano, int secim) {
    auto copy = ctx_.bagc->clone();
    if (!remote::BaglantiKur(*copy, 1)) return false;
    try {
        remote::TServerMethods1Client proxy(*copy);
        proxy.SepetSecimGuncelle(sirano, secim);
    } catch (...) {
        return false;  // not reported; the next load shows the server's flag
    }
    copy->close();
    return true;
}

void CartPage::setAllSelections(int secim) {
    if (loading()) return;
    if (sepet_->active() && !sepet_->isEmpty()) {
        // The grid hears of the walk once at its end, and keeps the user's line focused.
        const int focused = cxGrid2->focusedRow();
        sepet_->disableControls();
        struct Enable {
            data::MemTable& t;
            int row;
            ~Enable() {
                if (row >= 0 && static_cast<std::size_t>(row) < t.rowCount()) t.setRecNo(static_cast<std::size_t>(row));
                t.enableControls();
            }
        } enable{*sepet_, focused};
        for (sepet_->first(); !sepet_->eof(); sepet_->next()) {
            const int sirano = static_cast<int>(sepet_->asInteger("SIRANO"));
            sepet_->edit();
            sepet_->setValue("SEC", data::Cell{std::int64_t{secim}});
            sepet_->post();
            SepetSecimYaz(sirano, secim);
        }
    }
    SepetToplamHesapla();
    if (QLineEdit* box = ctx_.searchBox ? ctx_.searchBox() : nullptr; box && box->isEnabled()) {
        box->selectAll();
        box->setFocus();
    }
}

void CartPage::Button4Click() { setAllSelections(1); }
void CartPage::Button5Click() { setAllSelections(0); }

void CartPage::toggleCurrentLine() {
    const int secim = selectionOf(*sepet_) == 0 ? 1 : 0;
    const int sirano = static_cast<int>(sepet_->asInteger("SIRANO"));
    sepet_->edit();
    sepet_->setValue("SEC", data::Cell{std::int64_t{secim}});
    sepet_->post();
    SepetSecimYaz(sirano, secim);
    SepetToplamHesapla();
}

void CartPage::Button2Click() {
    if (loading()) return;
    cxGrid2->exportToSpreadsheet();
}

void CartPage::cxGrid2Resize() {
    if (!cxGrid2->isEnabled()) return;
    const QScreen* screen = cxGrid2->screen();
    cxGrid2->fitColumns(screen ? screen->geometry().width() : 0);
}

// --- line editing --------------------------------------------------------------------------

bool CartPage::focusedLineCurrent(int& sirano) {
    if (!cxGrid2->hasFocusedRow()) return false;
    sirano = static_cast<int>(data::cellToInteger(cxGrid2->focusedValue(QStringLiteral("SIRANO"))));
    return sepet_->locate("SIRANO", data::Cell{std::int64_t{sirano}});
}

void CartPage::Deitir1Click() {
    if (loading()) return;
    int sirano = 0;
    if (!focusedLineCurrent(sirano)) return;
    QString caption;
    const QString field = cxGrid2->focusedField();
    for (const grid::GridColumn& c : cxGrid2->columns())
        if (c.field == field) caption = c.headerText();
    if (caption == QStringLiteral("Seç")) {
        toggleCurrentLine();
        return;
    }
    SepetSatirDegistir(sirano);
}

void CartPage::cxGridDBTableView1DblClick() { Deitir1Click(); }

void CartPage::SepetSatirDegistir(int sirano) {
    SepetSatiri line = currentLine(*sepet_);
    line.sirano = sirano;
    auto dialog = catalogue::Tstokayarinti::Ac(ctx_.window, line.stokno);
    // Filled before the picture loads: a failed picture load shows a box, and the cart table
    // must still be on this line when the dialog reads it.
    dialog->fillFromCartLine(*sepet_, ctx_.sbilgi->MusteriTipi());
    dialog->resimAdresi = ctx_.ResimAdresi;
    catalogue::ResimYukle(*ctx_.bagc, line.stokno, dialog->Image1);
    const std::optional<catalogue::Tstokayarinti::Onay> onay = dialog->calistir();
    dialog.reset();
    if (!onay) return;
    SepetSatirGuncelle(line, onay->miktar, onay->fiyat);
    SepetAl();
}

void CartPage::SepetSatirGuncelle(const SepetSatiri& line, double miktar, double fiyat) {
    auto copy = freshCopy(*ctx_.sbilgi);
    remote::Connection& bagc = *ctx_.bagc;
    if (!remote::BaglantiKur(bagc, 1)) return;
    ClosesConnection closes{bagc};
    remote::TServerMethods1Client proxy(bagc);
    const int result = proxy.SepetGuncelle2(std::move(copy), ctx_.sbilgi->CARINO(), 0, line.barkod, line.stokadi,
                                            miktar, line.kdv, fiyat, line.indirim[0], ctx_.sbilgi->Sirano(),
                                            line.sirano, line.indirim[1], line.indirim[2], line.indirim[3]);
    if (result == 1) SepetAl();
}

bool CartPage::openLineForStock(int stokno) {
    if (!sepet_->active()) SepetAl();
    if (!sepet_->active() || !sepet_->hasField("STOKNO")) return false;
    if (!sepet_->locate("STOKNO", data::Cell{std::int64_t{stokno}})) return false;
    SepetSatirDegistir(static_cast<int>(sepet_->asInteger("SIRANO")));
    return true;
}

void CartPage::SatrSil1Click() {
    if (loading()) return;
    int sirano = 0;
    if (!focusedLineCurrent(sirano)) return;
    const data::NumberLocale plain;
    const QString aciklama =
        satirAciklamasi(displayText(*sepet_, "BARKOD", plain), displayText(*sepet_, "STOKADI", plain));
    if (!ask(QStringLiteral("Satırı silmek istiyor musunuz "))) return;
    remote::Connection& bagc = *ctx_.bagc;
    if (!remote::BaglantiKur(bagc, 1)) return;
    {
        ClosesConnection closes{bagc};
        remote::TServerMethods1Client proxy(bagc);
        proxy.SepetSatirSil(freshCopy(*ctx_.sbilgi), sirano, aciklama);
    }
    SepetAl();
    inform(QStringLiteral("Satır silindi !"));
}

void CartPage::HepsiniSil1Click() {
    if (loading()) return;
    if (!session::TabloDoluMu(*sepet_)) return;
    if (!ask(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "))) return;
    auto copy = freshCopy(*ctx_.sbilgi);
    remote::Connection& bagc = *ctx_.bagc;
    if (!remote::BaglantiKur(bagc, 1)) return;
    {
        ClosesConnection closes{bagc};
        remote::TServerMethods1Client proxy(bagc);
        proxy.SepetHepsiniSil(std::move(copy));
    }
    inform(QStringLiteral("Sepet Silindi !"));
    SepetAl();
}

// --- order ---------------------------------------------------------------------------------

void CartPage::Button1Click() {
    if (loading()) return;
    if (!session::SeciliSatirVarMi(*sepet_)) {
        session::MesajGoster(QStringLiteral("Gönderilecek Parça Yok "), MsgKind::Warning, platform::kOk,
                             MsgButton::OK);
        return;
    }
    SepetToplamHesapla();
    std::unique_ptr<TONAYSIP> onay(
        TONAYSIP::Ac(ctx_.window, *ctx_.bagc, lbluyarbakiye->text(), *ctx_.sbilgi, geneltoplaml->text()));
    onay->Label3->setText(lbluyarbakiye->text());
    if (catalogue::execModal(*onay) != QDialog::Accepted) return;
    if (SiparisGonder(onay->KN, onay->kt, onay->aciklamagir->toPlainText(), onay->td)) {
        inform(QStringLiteral("Siparişiniz Gönderildi !"));
        SepetAl();
    } else {
        session::MesajGoster(QStringLiteral("Sipariş Göndermede Hata"), MsgKind::Error, platform::kOk,
                             MsgButton::OK);
    }
}

bool CartPage::SiparisGonder(int kn, int kt, const QString& aciklama, int td) {
    auto copy = freshCopy(*ctx_.sbilgi);
    remote::Connection& bagc = *ctx_.bagc;
    if (!remote::BaglantiKur(bagc, 1)) return false;
    ClosesConnection closes{bagc};
    remote::TServerMethods1Client proxy(bagc);
    return proxy.SiparisKaydet(std::move(copy), ctx_.sbilgi->CARINO(), td, kt, aciklama, ctx_.sbilgi->Sirano(), kn);
}

// --- overdue warning -----------------------------------------------------------------------

void CartPage::CariBakiyeUyariBak() { overdue_->start(*ctx_.bagc, ctx_.sbilgi->CARINO()); }

}  // namespace cart
