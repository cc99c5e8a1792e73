#include "catalogue/Thareket_stok.h"

#include <QHBoxLayout>
#include <QTableView>
#include <QVBoxLayout>

#include "catalogue/ModalRunner.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/MainContext.h"
#include "session/Utilities.h"
#include "session/records/Records.h"

namespace catalogue {

QVector<grid::GridColumn> hareketKolonlari() {
    using V = grid::Visibility;
    struct Def {
        const char* field;
        int width;
        bool shown;
    };
    const Def defs[] = {
        {"BARKOD", 354, false},       {"TARIH", 89, true},         {"TURU", 171, true},
        {"EVRAKSERI", 97, true},      {"EVRAKSIRA", 124, true},    {"MIKTAR", 96, true},
        {"TLBIRIMFIYAT", 130, true},  {"TLVERGI", 88, true},       {"TLTUTAR", 128, true},
        {"INDIRIM1", 79, false},      {"INDIRIM2", 74, false},     {"INDIRIM3", 74, false},
        {"INDIRIM4", 74, false},      {"INDIRIM5", 74, false},     {"INDIRIM6", 74, false},
        {"INDIRIM7", 74, false},      {"INDIRIM8", 74, false},     {"TOPLAMINDIRIM", 146, true},
        {"MASRAF1", 74, false},       {"MASRAF2", 74, false},      {"TOPLAMMASRAF", 74, false},
        {"NETBIRIMFIYAT", 169, true}, {"NETTLTUTAR", 126, true},   {"VADE", 62, false},
        {"STOKCARIKOD", 214, false},  {"KDVDAHILBIRIMFIYAT", 184, true}, {"KDVDAHILTUTAR", 163, true},
        {"SATICI", 354, false},
    };
    QVector<grid::GridColumn> cols;
    for (const Def& d : defs) {
        grid::GridColumn c;
        c.field = QString::fromLatin1(d.field);
        c.visibility = d.shown ? V::Shown : V::HiddenOffered;
        c.fixedWidth = d.width;
        cols.push_back(c);
    }
    return cols;
}

Thareket_stok::Thareket_stok(QWidget* AOwner) : QDialog(AOwner) {
    setObjectName(QStringLiteral("hareket_stok"));
    setWindowTitle(QStringLiteral("Stok Hareketleri"));
    resize(1857, 619);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    cxGrid1 = new grid::DataGrid(this);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1->setAccessibleName(QStringLiteral("Stok Hareketleri"));
    cxGrid1->view()->setAccessibleName(QStringLiteral("Stok Hareketleri"));
    cxGrid1->setColumns(hareketKolonlari());
    grid::GridStyle style = grid::listStyle(QStringLiteral("Arial"), 13);
    style.headerBackground = QColor(61, 65, 74);
    style.gridLines = Qt::white;
    style.headerHeight = 40;
    style.rowHeight = 40;
    cxGrid1->setGridStyle(style);
    cxGrid1->setFilterButtonsVisible(true);
    cxGrid1->setDisplayLocale(QLocale());
    cxGrid1->addFooter(QStringLiteral("MIKTAR"), grid::Aggregate::Count);
    for (const char* f : {"NETBIRIMFIYAT", "NETTLTUTAR", "KDVDAHILBIRIMFIYAT", "KDVDAHILTUTAR"})
        cxGrid1->addFooter(QString::fromLatin1(f), grid::Aggregate::Average);
    root->addWidget(cxGrid1, 1);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("altpanel"));
    bottom->setFixedHeight(54);
    auto* hb = new QHBoxLayout(bottom);
    hb->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Kapat"), bottom);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(QStringLiteral("Kapat"));
    Button1->setAutoDefault(false);
    Button1->setMinimumSize(120, 36);
    hb->addWidget(Button1);
    root->addWidget(bottom);
    connect(Button1, &QPushButton::clicked, this, &Thareket_stok::Button1Click);
}

std::unique_ptr<Thareket_stok> Thareket_stok::Ac(QWidget* AOwner, const wire::Table& _data) {
    std::unique_ptr<Thareket_stok> w(new Thareket_stok(AOwner));
    w->har.disableControls();
    w->har.load(_data);
    w->har.enableControls();
    w->cxGrid1->attach(&w->har);
    return w;
}

void Thareket_stok::Button1Click() {
    close();
}

void StokHareketleriGoster(session::MainContext& ctx, int stokno) {
    if (!ctx.bagc || !ctx.sbilgi) return;
    std::unique_ptr<remote::Connection> connection = ctx.bagc->clone();
    if (!remote::BaglantiKur(*connection, 0)) return;
    std::unique_ptr<Thareket_stok> window;
    try {
        remote::TServerMethods1Client proxy(*connection);
        const wire::Table* data = proxy.StokHareketVer(ctx.sbilgi->CARINO(), stokno);
        if (!data) throw wire::Error("Stok hareketleri alınamadı");
        window = Thareket_stok::Ac(ctx.window, *data);
    } catch (const std::exception& e) {
        connection->close();
        session::MesajGoster(QString::fromUtf8(e.what()), session::MsgKind::Error, platform::kOk, session::MsgButton::OK);
        return;
    }
    connection->close();
    execModal(*window);
}

}  // namespace catalogue
