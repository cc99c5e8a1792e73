#include "server/Rules.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace server {

std::string foldSearchText(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        if (c < 0x80) {
            out += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            continue;
        }
        // Two-byte sequences of the Turkish letters (and a few Latin-1 vowels).
        if (i + 1 < in.size()) {
            unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(in[i + 1]) & 0x3Fu);
            char mapped = 0;
            switch (code) {
            case 0xE7: case 0xC7: mapped = 'C'; break;          // ç Ç
            case 0x11F: case 0x11E: mapped = 'G'; break;        // ğ Ğ
            case 0x131: case 0x130: mapped = 'I'; break;        // ı İ
            case 0x15F: case 0x15E: mapped = 'S'; break;        // ş Ş
            case 0xF6: case 0xD6: mapped = 'O'; break;          // ö Ö
            case 0xFC: case 0xDC: mapped = 'U'; break;          // ü Ü
            case 0xE2: case 0xC2: mapped = 'A'; break;          // â Â
            case 0xEE: case 0xCE: mapped = 'I'; break;          // î Î
            case 0xFB: case 0xDB: mapped = 'U'; break;          // û Û
            default: break;
            }
            if (mapped && (c & 0xE0u) == 0xC0u) {
                out += mapped;
                ++i;
                continue;
            }
        }
        out += static_cast<char>(c);
    }
    return out;
}

std::vector<std::string> searchWords(std::string_view in) {
    std::string folded = foldSearchText(in);
    std::vector<std::string> words;
    std::string cur;
    for (char ch : folded) {
        if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') {
            if (!cur.empty()) words.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += ch;
        }
    }
    if (!cur.empty()) words.push_back(std::move(cur));
    return words;
}

std::string compactCode(std::string_view folded) {
    std::string out;
    for (char ch : folded)
        if (ch != ' ' && ch != '-' && ch != '.' && ch != '/') out += ch;
    return out;
}

double nowAsDays() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return (static_cast<double>(t) + static_cast<double>(local.tm_gmtoff)) / 86400.0 + 25569.0;
}

double round2(double x) {
    if (!std::isfinite(x)) return x;
    // Far from a half cent the product x * 100 rounds the same way as the exact value: below
    // 1e9 its error is under 1.2e-7, well inside the 1e-6 margin. Near-ties and larger values
    // take the exact decimal expansion.
    double y = x * 100.0;
    if (std::fabs(y) < 1e9) {
        double frac = std::fabs(y - std::trunc(y));
        if (std::fabs(frac - 0.5) > 1e-6) return std::round(y) / 100.0;
    }
    // The exact decimal expansion of the double decides; glibc prints it exactly.
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.60f", std::fabs(x));
    char* dot = std::strchr(buf, '.');
    if (!dot) return x;
    std::string whole(buf, dot);
    std::string frac(dot + 1);
    long long cents = std::stoll(whole) * 100 + (frac[0] - '0') * 10 + (frac[1] - '0');
    if (frac[2] >= '5') ++cents;  // third decimal >= 5: the remainder is at least half a cent
    double r = static_cast<double>(cents) / 100.0;
    return x < 0 ? -r : r;
}

double applyDiscounts(double gross, const Rates& rates) {
    double g = gross;
    for (double r : rates)
        if (r > 0) g -= g * r / 100.0;
    return g;
}

std::string ratesText(const Rates& rates) {
    std::string out;
    for (double r : rates) {
        if (r <= 0) continue;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", r);
        if (!out.empty()) out += '+';
        out += buf;
    }
    return out;
}

LineAmounts lineAmounts(double qty, double unitPrice, const Rates& rates, int vatRate) {
    LineAmounts a;
    a.gross = round2(qty * unitPrice);
    a.net = round2(applyDiscounts(a.gross, rates));
    a.discount = round2(a.gross - a.net);
    a.netUnit = qty != 0 ? round2(a.net / qty) : 0;
    a.vat = round2(a.net * vatRate / 100.0);
    a.total = round2(a.net + a.vat);
    return a;
}

CustomerPrice customerPrice(const Stock& s, const Rates& customerRates, bool campaignsAllowed) {
    CustomerPrice p;
    if (campaignsAllowed && s.isCampaign && s.campaignPrice > 0) {
        p.campaign = true;
        p.price = s.campaignPrice;
    } else {
        p.price = s.listPrice;
        p.rates = customerRates;
    }
    p.net = round2(applyDiscounts(p.price, p.rates));
    p.withVat = round2(p.net * (s.vat / 100.0 + 1.0));
    return p;
}

}  // namespace server
