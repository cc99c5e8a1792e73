#include "server/Web.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "server/Documents.h"
#include "server/Rules.h"
#include "server/SqliteStorage.h"

namespace server {

std::string htmlEscape(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

namespace {

const char* kStyle =
    "<style>body{font-family:Tahoma,Arial,sans-serif;background:#f3f4f6;margin:0}"
    ".box{max-width:640px;margin:24px auto;background:#fff;padding:24px;border-radius:6px;"
    "box-shadow:0 1px 4px rgba(0,0,0,.15)}h1{color:#354051;font-size:22px}"
    "label{display:block;margin-top:10px;font-weight:bold}input,textarea{width:100%;padding:6px;"
    "box-sizing:border-box}button{margin-top:16px;padding:10px 24px;background:#b3121c;color:#fff;"
    "border:0;border-radius:4px;font-weight:bold}.err{color:#b3121c}.row{margin:6px 0}</style>";

std::string page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\"><title>" + htmlEscape(title) +
           "</title>" + kStyle + "</head><body><div class=\"box\">" + body + "</div></body></html>";
}

std::string param(const httplib::Request& req, const char* name) {
    return req.has_param(name) ? req.get_param_value(name) : std::string();
}

std::string field(const char* label, const char* name, const std::string& value = {}, const char* type = "text") {
    return std::string("<label for=\"") + name + "\">" + label + "</label><input type=\"" + type + "\" id=\"" + name +
           "\" name=\"" + name + "\" value=\"" + htmlEscape(value) + "\">";
}

bool luhnValid(const std::string& digits) {
    int sum = 0;
    bool dbl = false;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int d = *it - '0';
        if (dbl) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
        dbl = !dbl;
    }
    return sum % 10 == 0;
}

}  // namespace

WebSite::WebSite(Storage& storage, std::string installerPath, bool logRequests)
    : db_(storage), installer_(std::move(installerPath)), log_(logRequests), http_(std::make_unique<httplib::Server>()) {
    routes();
}

WebSite::~WebSite() { stop(); }

bool WebSite::start(const std::string& host, std::uint16_t port) {
    int bound = port == 0 ? http_->bind_to_any_port(host.c_str()) : (http_->bind_to_port(host.c_str(), port) ? port : -1);
    if (bound <= 0) return false;
    port_ = static_cast<std::uint16_t>(bound);
    thread_ = std::thread([this] { http_->listen_after_bind(); });
    return true;
}

void WebSite::stop() {
    if (http_) http_->stop();
    if (thread_.joinable()) thread_.join();
}

void WebSite::routes() {
    auto& h = *http_;
    h.set_read_timeout(10, 0);
    h.set_write_timeout(10, 0);
    h.set_payload_max_length(64 * 1024);
    if (log_)
        h.set_logger([](const httplib::Request& req, const httplib::Response& res) {
            std::cerr << "web " << req.method << ' ' << req.path << ' ' << res.status << '\n';
        });

    h.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(page("Korvel Otomotiv", "<h1>Korvel Otomotiv B2B</h1><p>Bayi sipariş sistemi sunucusu.</p>"),
                        "text/html; charset=utf-8");
    });

    h.Get("/ip", [](const httplib::Request& req, httplib::Response& res) {
        std::string ip = req.remote_addr;
        if (req.has_header("X-Forwarded-For")) {
            ip = req.get_header_value("X-Forwarded-For");
            ip = ip.substr(0, ip.find(','));
        }
        res.set_content(ip, "text/plain; charset=utf-8");
    });

    auto picture = [this](const httplib::Request& req, httplib::Response& res) {
        std::string id = param(req, "id");
        char* end = nullptr;
        long n = std::strtol(id.c_str(), &end, 10);
        std::optional<Picture> p;
        if (!id.empty() && end && *end == '\0' && n > 0 && n < 2147483647L) p = db_.picture(static_cast<int>(n));
        if (!p) {
            res.status = 404;
            res.set_content("Resim yok", "text/plain; charset=utf-8");
            return;
        }
        res.set_content(p->bytes, p->mime.c_str());
    };
    h.Get("/resimgoster.ashx", picture);
    h.Get("/ResimGoster.ashx", picture);

    h.Get("/formmailgonder.aspx", [](const httplib::Request& req, httplib::Response& res) {
        std::string id = param(req, "id");
        std::string body =
            "<h1>Korvel Otomotiv B2B İstek Formu</h1>"
            "<p>Bu bilgisayar sistemimizde kayıtlı değil. Erişim için aşağıdaki formu doldurun; "
            "temsilcimiz sizinle iletişime geçecektir.</p>"
            "<form method=\"post\" action=\"formmailgonder.aspx\">"
            "<input type=\"hidden\" name=\"id\" value=\"" + htmlEscape(id) + "\">"
            "<input type=\"hidden\" name=\"carino\" value=\"" + htmlEscape(param(req, "carino")) + "\">"
            "<div class=\"row\">Bilgisayar ID: <b>" + htmlEscape(id) + "</b></div>" +
            field("Firma Adı", "firma") + field("Yetkili", "yetkili") + field("Telefon", "telefon") +
            field("E-posta", "mail", {}, "email") + field("Şehir", "sehir") +
            field("Kullanıcı Adı", "kullanici", param(req, "kullanici")) +
            "<label for=\"not\">Not</label><textarea id=\"not\" name=\"not\" rows=\"4\"></textarea>"
            "<button type=\"submit\">Gönder</button></form>";
        res.set_content(page("İstek Formu", body), "text/html; charset=utf-8");
    });

    h.Post("/formmailgonder.aspx", [this](const httplib::Request& req, httplib::Response& res) {
        std::string id = param(req, "id"), firm = param(req, "firma"), phone = param(req, "telefon");
        std::string missing;
        if (id.empty()) missing = "Bilgisayar ID";
        else if (firm.empty()) missing = "Firma Adı";
        else if (phone.empty()) missing = "Telefon";
        if (!missing.empty()) {
            res.status = 400;
            res.set_content(page("İstek Formu", "<p class=\"err\">" + htmlEscape(missing) +
                                                    " boş olamaz. Lütfen geri dönüp formu tamamlayın.</p>"),
                            "text/html; charset=utf-8");
            return;
        }
        nlohmann::ordered_json body;
        for (const char* k : {"firma", "yetkili", "telefon", "mail", "sehir", "kullanici", "not", "carino"})
            body[k] = param(req, k);
        OutboxMessage m;
        m.kind = "access-request";
        m.computerId = id;
        m.subject = "Erişim isteği: " + firm;
        m.body = body.dump();
        db_.storeMessage(m);
        res.set_content(page("İstek Formu", "<h1>Teşekkürler</h1><p>İsteğiniz alındı. Bilgisayar ID: <b>" +
                                                htmlEscape(id) + "</b></p>"),
                        "text/html; charset=utf-8");
    });

    h.Get("/odemekart.html", [this](const httplib::Request& req, httplib::Response& res) {
        std::string carino = param(req, "carino"), firm = param(req, "firmasi"), balance = param(req, "bakiye");
        std::string branch = param(req, "sube");
        std::string customerLine;
        char* end = nullptr;
        long n = std::strtol(carino.c_str(), &end, 10);
        if (!carino.empty() && end && *end == '\0' && n > 0 && n < 2147483647L)
            if (auto c = db_.customer(static_cast<int>(n))) customerLine = c->code + " " + c->name;
        std::string body =
            "<h1>Kredi Kartı ile Ödeme</h1>"
            "<div class=\"row\">Cari No: <b>" + htmlEscape(carino) + "</b> " + htmlEscape(customerLine) + "</div>"
            "<div class=\"row\">Şube: <b>" + htmlEscape(branch) + "</b></div>"
            "<div class=\"row\">Firma: <b>" + htmlEscape(firm) + "</b></div>"
            "<div class=\"row\">Bakiye: <b>" + htmlEscape(balance) + " TL</b></div>"
            "<form method=\"post\" action=\"odemekart.html\">"
            "<input type=\"hidden\" name=\"carino\" value=\"" + htmlEscape(carino) + "\">" +
            field("Ödenecek Tutar (TL)", "tutar", balance) + field("Kart Üzerindeki İsim", "isim") +
            field("Kart Numarası", "kartno") + field("Son Kullanma (AA/YY)", "skt") + field("CVC", "cvc") +
            "<button type=\"submit\">Öde</button></form>";
        res.set_content(page("Ödeme", body), "text/html; charset=utf-8");
    });

    h.Post("/odemekart.html", [this](const httplib::Request& req, httplib::Response& res) {
        auto fail = [&res](const std::string& text) {
            res.status = 400;
            res.set_content(page("Ödeme", "<p class=\"err\">" + htmlEscape(text) + "</p>"), "text/html; charset=utf-8");
        };
        std::string card;
        for (char c : param(req, "kartno"))
            if (c >= '0' && c <= '9') card += c;
        std::string amountText = param(req, "tutar");
        for (auto& c : amountText)
            if (c == ',') c = '.';
        char* end = nullptr;
        double amount = std::strtod(amountText.c_str(), &end);
        long carino = std::strtol(param(req, "carino").c_str(), nullptr, 10);
        std::string holder = param(req, "isim");
        if (carino <= 0 || !db_.customer(static_cast<int>(carino))) return fail("Cari bulunamadı.");
        if (!end || *end != '\0' || !std::isfinite(amount) || amount < 1 || amount > 1e7)
            return fail("Geçerli bir tutar giriniz.");
        if (holder.empty()) return fail("Kart üzerindeki ismi giriniz.");
        if (card.size() < 15 || card.size() > 16 || !luhnValid(card)) return fail("Kart numarası geçersiz.");
        CardPayment p;
        p.carino = static_cast<int>(carino);
        p.date = nowAsDays();
        p.amount = round2(amount);
        p.holder = holder;
        p.cardMasked = card.substr(0, 4) + " **** **** " + card.substr(card.size() - 4);
        p.authCode = std::to_string(100000 + static_cast<int>(std::fmod(p.date * 1e6, 900000)));
        p.bank = "Korvel Sanal Pos";
        int sirano = db_.recordCardPayment(p);
        res.set_content(page("Ödeme", "<h1>Ödemeniz alındı</h1><p>İşlem No: <b>" + std::to_string(sirano) +
                                          "</b> Tutar: <b>" + htmlEscape(formatMoneyTr(p.amount)) + " TL</b></p>"),
                        "text/html; charset=utf-8");
    });

    h.Get("/exe/KorvelSetup.exe", [this](const httplib::Request&, httplib::Response& res) {
        std::ifstream in(installer_, std::ios::binary);
        if (installer_.empty() || !in) {
            res.status = 404;
            res.set_content("Kurulum dosyası yok", "text/plain; charset=utf-8");
            return;
        }
        std::ostringstream buf;
        buf << in.rdbuf();
        res.set_content(buf.str(), "application/octet-stream");
    });
}

}  // namespace server
