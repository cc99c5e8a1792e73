#include "FakeCartServer.h"

#include <algorithm>

namespace cart_test {

namespace {

wire::Answer reply(const wire::Call& call, wire::Value result) {
    wire::Answer a;
    a.values.resize(call.params.size());
    a.values.push_back(std::move(result));
    return a;
}

wire::Table kinds(const std::vector<std::pair<int, std::string>>& entries) {
    wire::Table t;
    t.columns = {{"ID", wire::FieldType::Integer, 0}, {"ADI", wire::FieldType::Text, 50}};
    for (const auto& [id, name] : entries) t.appendRow({std::int64_t{id}, name});
    return t;
}

}  // namespace

wire::Table FakeCartServer::cartTable(const std::vector<CartLine>& lines) {
    using wire::FieldType;
    wire::Table t;
    t.columns = {{"SEC", FieldType::Integer, 0},          {"SIRANO", FieldType::Integer, 0},
                 {"STOKNO", FieldType::Integer, 0},       {"VERILISTARIHI", FieldType::DateTime, 0},
                 {"BARKOD", FieldType::Text, 30},         {"FINISHKOD", FieldType::Text, 30},
                 {"OEMNO", FieldType::Text, 30},          {"STOKADI", FieldType::Text, 100},
                 {"MARKA", FieldType::Text, 30},          {"MODEL", FieldType::Text, 30},
                 {"MIKTAR", FieldType::Float, 0},         {"BIRIMFIYAT", FieldType::Float, 0},
                 {"TUTAR", FieldType::Float, 0},          {"INDIRIMYAZI", FieldType::Text, 30},
                 {"INDIRIMORANI1", FieldType::Float, 0},  {"INDIRIMORANI2", FieldType::Float, 0},
                 {"INDIRIMORANI3", FieldType::Float, 0},  {"INDIRIMORANI4", FieldType::Float, 0},
                 {"INDIRIMTUTAR", FieldType::Float, 0},   {"NETBIRIMFIYAT", FieldType::Float, 0},
                 {"KDV", FieldType::Integer, 0},          {"VERGITUTARI", FieldType::Float, 0},
                 {"NETTUTAR", FieldType::Float, 0},       {"VEREN", FieldType::Text, 30},
                 {"DURUM", FieldType::Integer, 0},        {"KALAN", FieldType::Float, 0}};
    for (const CartLine& l : lines) {
        const double net = l.tutar - l.indirimtutar;
        t.appendRow({std::int64_t{l.sec}, std::int64_t{l.sirano}, std::int64_t{l.stokno}, 46000.5, l.barkod,
                     std::string("F-") + l.barkod, std::string("OEM-") + l.barkod, l.stokadi, std::string("BOSCH"),
                     std::string("M1"), l.miktar, l.birimfiyat, l.tutar, std::string("10+5"), l.ind[0], l.ind[1],
                     l.ind[2], l.ind[3], l.indirimtutar, l.miktar > 0 ? net / l.miktar : 0.0, std::int64_t{l.kdv},
                     l.vergitutari, net + l.vergitutari, std::string("ALI"), std::int64_t{1}, 5.0});
    }
    return t;
}

wire::Answer FakeCartServer::dispatch(const wire::Call& call) {
    const std::string method = call.command.substr(call.command.find('.') + 1);
    log_.add("call:" + method);
    {
        std::lock_guard lock(m_);
        calls.push_back(call);
    }
    if (method == "SepetVer2") {
        wire::Table cart;
        {
            std::lock_guard lock(m_);
            if (!cartError.empty()) return wire::Answer::failure(cartError);
            cart = cartTable(lines);
        }
        cartGate.pass();
        return reply(call, wire::Value::dataPacket(std::move(cart)));
    }
    if (method == "CariVadeGunGecmismiBul") {
        if (overdueAnswer) return reply(call, wire::Value::text(overdueAnswer()));
        std::lock_guard lock(m_);
        return reply(call, wire::Value::text(overdueText));
    }
    std::lock_guard lock(m_);
    auto find = [&](int sirano) {
        return std::find_if(lines.begin(), lines.end(), [&](const CartLine& l) { return l.sirano == sirano; });
    };
    if (method == "SepetSecimGuncelle") {
        if (auto it = find(call.params.at(0).asInt32()); it != lines.end()) it->sec = call.params.at(1).asInt32();
        return reply(call, wire::Value());
    }
    if (method == "SepetSatirSil") {
        auto it = find(call.params.at(1).asInt32());
        if (it == lines.end()) return reply(call, wire::Value::int32(0));
        lines.erase(it);
        return reply(call, wire::Value::int32(1));
    }
    if (method == "SepetHepsiniSil") {
        lines.clear();
        return reply(call, wire::Value::int32(1));
    }
    if (method == "SepetGuncelle2") {
        if (changeResult == 1)
            if (auto it = find(call.params.at(10).asInt32()); it != lines.end()) {
                it->miktar = call.params.at(5).asDouble();
                it->birimfiyat = call.params.at(7).asDouble();
                it->tutar = it->miktar * it->birimfiyat;
            }
        return reply(call, wire::Value::int32(changeResult));
    }
    if (method == "ResimVer5") {  // no picture: announced length 0, no stream
        wire::Answer a = reply(call, wire::Value());
        a.values.at(1) = wire::Value::int64(0);
        return a;
    }
    if (method == "TeslimVer") return reply(call, wire::Value::rowSet(kinds(deliveryKinds)));
    if (method == "KargoVer") return reply(call, wire::Value::rowSet(kinds(cargoKinds)));
    if (method == "KargolarVer") {
        wire::Table t;
        t.columns = {{"ADI", wire::FieldType::Text, 50},
                     {"SIRANO", wire::FieldType::Integer, 0},
                     {"UYARI", wire::FieldType::Text, 200}};
        for (const Company& c : companies[call.params.at(0).asInt32()])
            t.appendRow({c.adi, std::int64_t{c.sirano}, c.uyari});
        return reply(call, wire::Value::rowSet(std::move(t)));
    }
    if (method == "SiparisKaydet") {
        if (orderResult) lines.erase(std::remove_if(lines.begin(), lines.end(), [](const CartLine& l) { return l.sec == 1; }),
                                     lines.end());
        return reply(call, wire::Value::boolean(orderResult));
    }
    return wire::Answer::failure("unknown method " + call.command);
}

}  // namespace cart_test
