#include "server/Documents.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <stdexcept>

#include "server/Rules.h"

namespace server {

std::string formatMoneyTr(double v) {
    double r = round2(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", std::fabs(r));
    std::string s(buf);
    auto dot = s.find('.');
    std::string whole = s.substr(0, dot), frac = s.substr(dot + 1);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += '.';
        grouped += whole[i];
    }
    return (r < 0 ? "-" : "") + grouped + "," + frac;
}

std::string formatDateTr(double days) {
    std::time_t t = static_cast<std::time_t>(std::llround((std::floor(days) - 25569.0) * 86400.0));
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
    return buf;
}

namespace {

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A4 pages with a header line, text and simple tables; breaks pages as needed.
class PdfWriter {
public:
    explicit PdfWriter(std::string title) : title_(std::move(title)) {
        surface_ = cairo_pdf_surface_create_for_stream(appendToString, &out_, kWidth, kHeight);
        cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, title_.c_str());
        cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "korvel-server");
        cr_ = cairo_create(surface_);
        startPage();
    }
    ~PdfWriter() {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
    }

    void text(const std::string& s, double size = 10, bool bold = false, double x = kMargin) {
        need(size + 4);
        font(size, bold);
        cairo_move_to(cr_, x, y_ + size);
        cairo_show_text(cr_, s.c_str());
        y_ += size + 4;
    }
    void gap(double h) { y_ += h; }
    void rule() {
        need(6);
        cairo_set_line_width(cr_, 0.5);
        cairo_move_to(cr_, kMargin, y_ + 3);
        cairo_line_to(cr_, kWidth - kMargin, y_ + 3);
        cairo_stroke(cr_);
        y_ += 6;
    }

    struct Column {
        std::string title;
        double width;
        bool right = false;
    };
    void tableHeader(const std::vector<Column>& cols) {
        cols_ = cols;
        need(30);
        row(headerCells(), true);
        rule();
    }
    void row(const std::vector<std::string>& cells, bool bold = false) {
        if (y_ + 14 > kHeight - kMargin) {
            newPage();
            row(headerCells(), true);
            rule();
        }
        font(8.5, bold);
        double x = kMargin;
        for (std::size_t i = 0; i < cols_.size() && i < cells.size(); ++i) {
            std::string s = fit(cells[i], cols_[i].width - 4);
            double tx = x;
            if (cols_[i].right) {
                cairo_text_extents_t e;
                cairo_text_extents(cr_, s.c_str(), &e);
                tx = x + cols_[i].width - 4 - e.x_advance;
            }
            cairo_move_to(cr_, tx, y_ + 9);
            cairo_show_text(cr_, s.c_str());
            x += cols_[i].width;
        }
        y_ += 13;
    }

    std::string finish() {
        cairo_show_page(cr_);
        cairo_destroy(cr_);
        cr_ = nullptr;
        cairo_surface_finish(surface_);
        auto status = cairo_surface_status(surface_);
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
        if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("PDF oluşturulamadı");
        return std::move(out_);
    }

private:
    static constexpr double kWidth = 595.276, kHeight = 841.89, kMargin = 40;

    std::vector<std::string> headerCells() const {
        std::vector<std::string> h;
        for (auto& c : cols_) h.push_back(c.title);
        return h;
    }
    void font(double size, bool bold) {
        cairo_select_font_face(cr_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
    }
    std::string fit(std::string s, double width) {
        cairo_text_extents_t e;
        cairo_text_extents(cr_, s.c_str(), &e);
        while (e.x_advance > width && !s.empty()) {
            // Drop one UTF-8 character from the end.
            do {
                s.pop_back();
            } while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0u) == 0x80u);
            if (!s.empty()) s.pop_back();
            cairo_text_extents(cr_, (s + "…").c_str(), &e);
            if (e.x_advance <= width) return s + "…";
        }
        return s;
    }
    void need(double h) {
        if (y_ + h > kHeight - kMargin) newPage();
    }
    void newPage() {
        cairo_show_page(cr_);
        startPage();
    }
    void startPage() {
        ++page_;
        y_ = kMargin;
        font(8, false);
        cairo_set_source_rgb(cr_, 0.35, 0.35, 0.35);
        std::string head = "Korvel Otomotiv B2B  —  " + title_ + "  —  Sayfa " + std::to_string(page_);
        cairo_move_to(cr_, kMargin, y_);
        cairo_show_text(cr_, head.c_str());
        cairo_set_source_rgb(cr_, 0, 0, 0);
        y_ += 14;
    }

    std::string title_, out_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    double y_ = 0;
    int page_ = 0;
    std::vector<Column> cols_;
};

void customerBlock(PdfWriter& w, const Customer& c) {
    w.text(c.name, 13, true);
    w.text("Cari Kod: " + c.code + "    Vergi D.: " + c.taxOffice + " / " + c.taxNo);
    w.text("Adres: " + c.addr1 + " " + c.addr2 + " " + c.district + " / " + c.city);
    w.text("Telefon: " + c.tel1 + "    E-posta: " + c.email + "    Temsilci: " + c.rep.name);
    w.gap(6);
}

std::string customerSummary(Storage& db, const Customer& c, double day) {
    PdfWriter w("Cari Özeti");
    w.text("Cari Özeti", 16, true);
    w.text("Tarih: " + formatDateTr(day));
    w.gap(6);
    customerBlock(w, c);
    double debit = 0, credit = 0;
    std::vector<Movement> upTo;
    for (auto& m : db.movements(c.carino))
        if (std::floor(m.date) <= std::floor(day)) {
            debit += m.debit;
            credit += m.credit;
            upTo.push_back(m);
        }
    double balance = round2(debit - credit);
    auto [overdueAmount, oldest] = db.overdue(c.carino, std::floor(day) + 1);
    w.text("Toplam Borç: " + formatMoneyTr(debit) + " TL    Toplam Alacak: " + formatMoneyTr(credit) + " TL", 10, true);
    w.text("Bakiye: " + formatMoneyTr(balance) + " TL " + (balance > 0 ? "(B)" : balance < 0 ? "(A)" : ""), 10, true);
    w.text("Vadesi geçmiş: " + formatMoneyTr(overdueAmount) + " TL" +
           (oldest > 0 ? "  (en eski vade " + formatDateTr(oldest) + ")" : ""));
    w.gap(8);
    w.text("Son Hareketler", 12, true);
    w.tableHeader({{"Tarih", 60}, {"Tür", 110}, {"Evrak No", 80}, {"Borç", 80, true}, {"Alacak", 80, true},
                   {"Bakiye", 95, true}});
    double run = 0;
    std::size_t first = upTo.size() > 25 ? upTo.size() - 25 : 0;
    for (std::size_t i = 0; i < upTo.size(); ++i) {
        run += upTo[i].debit - upTo[i].credit;
        if (i < first) continue;
        const Movement& m = upTo[i];
        w.row({formatDateTr(m.date), m.type, m.docNo, formatMoneyTr(m.debit), formatMoneyTr(m.credit),
               formatMoneyTr(run)});
    }
    w.gap(8);
    w.text("Açık Sipariş Bakiyeleri", 12, true);
    w.tableHeader({{"Sipariş", 50}, {"Barkod", 90}, {"Açıklama", 180}, {"Miktar", 60, true}, {"Teslim", 60, true},
                   {"Kalan", 65, true}});
    for (auto& l : db.balances(c.carino))
        w.row({std::to_string(l.idno), l.code, l.name, formatMoneyTr(l.qty), formatMoneyTr(l.delivered),
               formatMoneyTr(l.qty - l.delivered)});
    return w.finish();
}

std::string receivables(Storage& db, const std::string& repText, double day) {
    PdfWriter w("Cari Toplu Alacak Vadeleri");
    w.text("Cari Toplu Alacak Vadeleri", 16, true);
    w.text("Tarih: " + formatDateTr(day) + (repText == "." || repText.empty() ? "" : "    Satıcı: " + repText));
    w.gap(6);
    w.tableHeader({{"Cari Kod", 70}, {"Cari Adı", 190}, {"Satıcı", 90}, {"Bakiye", 80, true},
                   {"Vadesi Geçen", 85, true}});
    // The text is "." for everybody, a staff user's name (their representative's customers) or a
    // representative's name.
    int repId = 0;
    bool everybody = repText == "." || repText.empty();
    if (!everybody)
        if (auto u = db.userByName(repText); u && u->repId > 0 && u->type == 1) repId = u->repId;
    double total = 0, totalOverdue = 0;
    for (auto& s : db.searchCustomers("", repId)) {
        if (!everybody && repId == 0 && s.customer.rep.name != repText) continue;
        double balance = round2(s.debit - s.credit);
        auto [overdueAmount, oldest] = db.overdue(s.customer.carino, std::floor(day) + 1);
        if (std::fabs(balance) < 0.005 && overdueAmount < 0.005) continue;
        total += balance;
        totalOverdue += overdueAmount;
        w.row({s.customer.code, s.customer.name, s.customer.rep.name, formatMoneyTr(balance),
               formatMoneyTr(overdueAmount)});
    }
    w.rule();
    w.row({"", "Toplam", "", formatMoneyTr(total), formatMoneyTr(totalOverdue)}, true);
    return w.finish();
}

std::string purchasesAndSales(Storage& db, const Customer& c, const std::string& repText, double d1, double d2) {
    PdfWriter w("Cari Alış Satış Tablosu");
    w.text("Cari Alış Satış Tablosu (Satıcılı)", 16, true);
    w.text("Dönem: " + formatDateTr(d1) + " - " + formatDateTr(d2) + "    Satıcı: " + repText);
    w.gap(6);
    customerBlock(w, c);
    struct Month {
        double sales = 0, returns = 0, collections = 0;
    };
    std::map<std::string, Month> months;
    for (auto& m : db.movements(c.carino)) {
        if (std::floor(m.date) < std::floor(d1) || std::floor(m.date) > std::floor(d2)) continue;
        std::string key = formatDateTr(m.date).substr(3);  // mm.yyyy
        key = key.substr(3) + "-" + key.substr(0, 2);
        auto& mo = months[key];
        if (m.type.find("Fatura") != std::string::npos && m.debit > 0) mo.sales += m.debit;
        else if (m.type.find("İade") != std::string::npos) mo.returns += m.credit;
        else mo.collections += m.credit;
    }
    w.tableHeader({{"Ay", 80}, {"Satış", 110, true}, {"İade", 100, true}, {"Tahsilat", 110, true},
                   {"Fark", 115, true}});
    Month total;
    for (auto& [key, mo] : months) {
        w.row({key, formatMoneyTr(mo.sales), formatMoneyTr(mo.returns), formatMoneyTr(mo.collections),
               formatMoneyTr(mo.sales - mo.returns - mo.collections)});
        total.sales += mo.sales;
        total.returns += mo.returns;
        total.collections += mo.collections;
    }
    w.rule();
    w.row({"Toplam", formatMoneyTr(total.sales), formatMoneyTr(total.returns), formatMoneyTr(total.collections),
           formatMoneyTr(total.sales - total.returns - total.collections)},
          true);
    return w.finish();
}

}  // namespace

std::string reportPdf(Storage& db, int report, int carino, const std::string& repText, double day1, double day2) {
    std::optional<Customer> c;
    if (carino > 0) {
        c = db.customer(carino);
        if (!c) throw std::invalid_argument("Cari bulunamadı: " + std::to_string(carino));
    }
    if (report == 6) return c ? customerSummary(db, *c, day1) : receivables(db, repText, day1);
    if (report == 7) {
        if (!c) throw std::invalid_argument("Rapor için cari seçilmedi");
        return purchasesAndSales(db, *c, repText, std::min(day1, day2), std::max(day1, day2));
    }
    throw std::invalid_argument("Bilinmeyen rapor: " + std::to_string(report));
}

std::string receiptPdf(const CardPayment& p, const Customer& c) {
    PdfWriter w("Sanal Pos Ödeme Dekontu");
    w.text("Sanal Pos Ödeme Dekontu", 16, true);
    w.text("Korvel Otomotiv Yedek Parça San. ve Tic. A.Ş.");
    w.gap(8);
    customerBlock(w, c);
    w.tableHeader({{"Bilgi", 160}, {"Değer", 355}});
    w.row({"İşlem No", std::to_string(p.sirano)});
    w.row({"İşlem Tarihi", formatDateTr(p.date)});
    w.row({"Kart Sahibi", p.holder});
    w.row({"Kart No", p.cardMasked});
    w.row({"Banka", p.bank});
    w.row({"Taksit", p.installments <= 1 ? "Tek Çekim" : std::to_string(p.installments) + " Taksit"});
    w.row({"Onay Kodu", p.authCode});
    w.row({"Tutar", formatMoneyTr(p.amount) + " TL"}, true);
    w.gap(14);
    w.text("Bu belge ödemenizin alındığını gösterir. Tahsilat cari hesabınıza işlenmiştir.", 9);
    return w.finish();
}

}  // namespace server
