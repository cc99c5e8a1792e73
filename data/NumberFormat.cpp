#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace data {

namespace {

// Exact decimal digits of |value| split into integer and fraction parts, rounded to `decimals`
// places half away from zero. The exact expansion decides ties.
void roundedDigits(double value, int decimals, std::string& intPart, std::string& fracPart) {
    value = std::fabs(value);
    // 60 fractional digits are more than enough to tell a tie from its neighbours for the
    // magnitudes amounts take; values below 1e-30 round to zero anyway.
    char buf[512];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 60);
    std::string s = ec == std::errc() ? std::string(buf, end) : std::string("0");
    const auto dot = s.find('.');
    std::string ip = dot == std::string::npos ? s : s.substr(0, dot);
    std::string fp = dot == std::string::npos ? std::string() : s.substr(dot + 1);
    bool roundUp = false;
    if (static_cast<int>(fp.size()) > decimals) {
        roundUp = fp[static_cast<std::size_t>(decimals)] >= '5';
        fp.resize(static_cast<std::size_t>(decimals));
    } else {
        fp.append(static_cast<std::size_t>(decimals) - fp.size(), '0');
    }
    if (roundUp) {
        std::string all = ip + fp;
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0) {
            if (all[static_cast<std::size_t>(i)] == '9') {
                all[static_cast<std::size_t>(i)] = '0';
                --i;
            } else {
                ++all[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) all.insert(all.begin(), '1');
        ip = all.substr(0, all.size() - fp.size());
        fp = all.substr(all.size() - fp.size());
    }
    // strip leading zeros of the integer part (keep it possibly empty)
    std::size_t nz = ip.find_first_not_of('0');
    ip = nz == std::string::npos ? std::string() : ip.substr(nz);
    intPart = ip;
    fracPart = fp;
}

struct Section {
    std::string prefix;
    std::string suffix;
    int minInt = 0;
    int minFrac = 0;
    int maxFrac = 0;
    bool grouping = false;
    bool hasDigits = false;
};

Section parseSection(std::string_view s) {
    Section sec;
    std::size_t i = 0;
    auto isPlaceholder = [](char c) { return c == '0' || c == '#' || c == '.' || c == ','; };
    auto readLiteral = [&](std::string& out) {
        while (i < s.size() && !isPlaceholder(s[i])) {
            if (s[i] == '"' || s[i] == '\'') {
                const char q = s[i++];
                while (i < s.size() && s[i] != q) out += s[i++];
                if (i < s.size()) ++i;
            } else {
                out += s[i++];
            }
        }
    };
    readLiteral(sec.prefix);
    bool afterPoint = false;
    bool seenZero = false;
    while (i < s.size() && isPlaceholder(s[i])) {
        const char c = s[i++];
        sec.hasDigits = true;
        if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            if (!afterPoint) sec.grouping = true;
        } else if (!afterPoint) {
            if (c == '0') seenZero = true;
            if (seenZero) ++sec.minInt;
        } else {
            ++sec.maxFrac;
            if (c == '0') sec.minFrac = sec.maxFrac;
        }
    }
    readLiteral(sec.suffix);
    return sec;
}

std::string formatWith(double absValue, const Section& sec, const NumberLocale& loc) {
    std::string ip, fp;
    roundedDigits(absValue, sec.maxFrac, ip, fp);
    while (static_cast<int>(fp.size()) > sec.minFrac && !fp.empty() && fp.back() == '0') fp.pop_back();
    if (static_cast<int>(ip.size()) < sec.minInt) ip.insert(0, static_cast<std::size_t>(sec.minInt) - ip.size(), '0');
    if (sec.grouping && ip.size() > 3) {
        std::string g;
        const std::size_t lead = ip.size() % 3 == 0 ? 3 : ip.size() % 3;
        g += ip.substr(0, lead);
        for (std::size_t k = lead; k < ip.size(); k += 3) {
            g += loc.groupSeparator;
            g += ip.substr(k, 3);
        }
        ip = g;
    }
    std::string out = sec.prefix + ip;
    if (!fp.empty()) out += loc.decimalSeparator + fp;
    return out + sec.suffix;
}

bool roundsToZero(double v, int decimals) {
    std::string ip, fp;
    roundedDigits(v, decimals, ip, fp);
    return ip.empty() && fp.find_first_not_of('0') == std::string::npos;
}

}  // namespace

std::string formatNumber(double value, std::string_view mask, const NumberLocale& locale) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool quoted = false;
    char q = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (quoted) {
            if (c == q) quoted = false;
        } else if (c == '"' || c == '\'') {
            quoted = true;
            q = c;
        } else if (c == ';') {
            parts.push_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(mask.substr(start));
    const Section pos = parseSection(parts[0]);
    if (value < 0 && parts.size() >= 2 && !parts[1].empty()) {
        const Section neg = parseSection(parts[1]);
        if (!roundsToZero(value, neg.maxFrac)) return formatWith(-value, neg, locale);
    }
    if (parts.size() >= 3 && !parts[2].empty() && roundsToZero(value, pos.maxFrac))
        return formatWith(0.0, parseSection(parts[2]), locale);
    const bool negative = value < 0 && !roundsToZero(value, pos.maxFrac);
    std::string s = formatWith(std::fabs(value), pos, locale);
    return negative ? "-" + s : s;
}

double roundHalfAwayFromZero(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    std::string ip, fp;
    roundedDigits(value, decimals, ip, fp);
    std::string text = (value < 0 ? "-" : "") + (ip.empty() ? std::string("0") : ip) + "." + fp;
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out == 0 ? 0.0 : out;
}

bool parseNumber(std::string_view text, const NumberLocale& locale, double& out) {
    std::string s;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t end = text.size();
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    text = text.substr(i, end - i);
    for (std::size_t k = 0; k < text.size();) {
        if (!locale.groupSeparator.empty() && text.substr(k, locale.groupSeparator.size()) == locale.groupSeparator &&
            locale.groupSeparator != locale.decimalSeparator) {
            k += locale.groupSeparator.size();
        } else if (text.substr(k, locale.decimalSeparator.size()) == locale.decimalSeparator) {
            s += '.';
            k += locale.decimalSeparator.size();
        } else {
            s += text[k++];
        }
    }
    if (s.empty()) return false;
    const char* b = s.data();
    if (*b == '+') ++b;
    auto [p, ec] = std::from_chars(b, s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

}  // namespace data
