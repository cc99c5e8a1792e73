// Writes the fuzzer's seed corpus: valid handshakes, calls and answers with every value kind,
// whole and cut at random points.

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "wire/fuzz/FuzzSupport.h"

using namespace wire;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-dir>\n", argv[0]);
        return 2;
    }
    Table t;
    t.columns = {{"STOKNO", FieldType::Integer, 0}, {"ADET", FieldType::LargeInt, 0}, {"FIYAT", FieldType::Float, 0},
                 {"STOKADI", FieldType::Text, 40},  {"TARIH", FieldType::DateTime, 0}, {"SEC", FieldType::Boolean, 0},
                 {"RESIM", FieldType::Blob, 0}};
    t.appendRow({std::int64_t{1}, std::int64_t{1} << 40, 9.5, std::string("Yağ filtresi"), 45000.25, true, Blob{"\x89PNG"}});
    t.appendRow({});
    auto object = nlohmann::ordered_json::parse(R"({"type":"usinif.TSonucBilgisi","id":1,"fields":{"FCARINO":7,"FADI":"Ö"}})");

    std::vector<std::string> messages = {
        encodeHelloFrame() + encodeCallFrame({"TServerMethods1.SepetVer2", {Value::int32(42)}}),
        encodeHelloFrame() + encodeCallFrame({"TServerMethods1.SepetEkle2",
                                              {Value::object(object), Value::int32(7), Value::text("BRK"), Value::real(2.5),
                                               Value::boolean(true), Value::int64(-1), Value(), Value::object(nullptr)}}),
        encodeHelloFrame() + encodeCallFrame({"TServerMethods1.X", {Value::dataPacket(t), Value::rowSet(t), Value::stream("abc")}}) +
            encodeCallFrame({"TServerMethods1.Fail", {}}),
        encodeHelloFrame() + encodeAnswerFrame(Answer{true, "", {Value(), Value::int64(4), Value::stream("\0\1\2\3")}}),
        encodeAnswerFrame(Answer::failure("Cari bulunamadı")),
        encodeAbortFrame("protocol mismatch"),
        encodeHelloFrame("OTHER", 3),
    };
    std::mt19937 rng(20261211);
    int n = 0;
    auto write = [&](const std::string& bytes) {
        std::ofstream(std::string(argv[1]) + "/seed-" + std::to_string(n++), std::ios::binary) << bytes;
    };
    for (const auto& m : messages) {
        write(m);
        write(m.substr(4));  // a bare payload
        for (int i = 0; i < 4; ++i) write(m.substr(0, rng() % m.size()));
    }
    return 0;
}
