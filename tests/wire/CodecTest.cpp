#include <gtest/gtest.h>

#include "wire/Codec.h"

using namespace wire;

namespace {

Table sampleTable() {
    Table t;
    t.columns = {{"STOKNO", FieldType::Integer, 0},  {"ADET", FieldType::LargeInt, 0},
                 {"FIYAT", FieldType::Float, 0},     {"STOKADI", FieldType::Text, 60},
                 {"TARIH", FieldType::DateTime, 0},  {"SEC", FieldType::Boolean, 0},
                 {"RESIM", FieldType::Blob, 0}};
    t.appendRow({std::int64_t{-2147483648LL}, std::int64_t{9007199254740993LL}, 1234.5, std::string("Fren balatası ÖN"),
                 45271.75, true, Blob{std::string("\x00\xff\x10", 3)}});
    // A row of nulls in every column type.
    t.appendRow({});
    t.appendRow({std::int64_t{2147483647}, std::int64_t{-1}, -0.0, std::string(), 0.0, false, Blob{}});
    return t;
}

Message roundTrip(const std::string& frameBytes) {
    FrameDecoder d;
    d.feed(frameBytes);
    std::string payload;
    EXPECT_TRUE(d.next(payload));
    EXPECT_EQ(d.pending(), 0u);
    return decodeMessage(payload);
}

}  // namespace

TEST(Codec, CallCarriesEveryValueKindByPosition) {
    Call c;
    c.command = "TServerMethods1.SepetEkle2";
    c.params = {Value(),
                Value::int32(-7),
                Value::int64(-9223372036854775807LL - 1),
                Value::real(3.141592653589793),
                Value::boolean(true),
                Value::text("Şişli İğne ğüşıöç"),
                Value::object(nlohmann::ordered_json::parse(R"({"type":"u.T","id":1,"fields":{"Fz":1,"Fa":[2,3]}})")),
                Value::object(nullptr),
                Value::rowSet(sampleTable()),
                Value::dataPacket(sampleTable()),
                Value::stream(std::string("\0\1\2\3", 4))};
    Message m = roundTrip(encodeCallFrame(c));
    ASSERT_EQ(m.type, MessageType::Call);
    EXPECT_EQ(m.call.command, c.command);
    ASSERT_EQ(m.call.params.size(), c.params.size());
    for (std::size_t i = 0; i < c.params.size(); ++i) EXPECT_EQ(m.call.params[i], c.params[i]) << "position " << i;
    // Member order of objects survives, not just their content.
    EXPECT_EQ(m.call.params[6].asObject().dump(), R"({"type":"u.T","id":1,"fields":{"Fz":1,"Fa":[2,3]}})");
    EXPECT_TRUE(m.call.params[7].asObject().is_null());
    EXPECT_EQ(m.call.params[8].kind(), Kind::RowSet);
    EXPECT_EQ(m.call.params[9].kind(), Kind::DataPacket);
}

TEST(Codec, AnswersOkAndError) {
    Answer ok;
    ok.values = {Value(), Value::int64(1024), Value::stream(std::string(1024, 'x'))};
    Message m = roundTrip(encodeAnswerFrame(ok));
    ASSERT_EQ(m.type, MessageType::Answer);
    EXPECT_TRUE(m.answer.ok);
    ASSERT_EQ(m.answer.values.size(), 3u);
    EXPECT_EQ(m.answer.values[2].asStream().size(), 1024u);

    Message e = roundTrip(encodeAnswerFrame(Answer::failure("Stok bulunamadı")));
    EXPECT_FALSE(e.answer.ok);
    EXPECT_EQ(e.answer.error, "Stok bulunamadı");
    EXPECT_TRUE(e.answer.values.empty());
}

TEST(Codec, InvalidUtf8InErrorTextIsReplacedNotSentRaw) {
    Message e = roundTrip(encodeAnswerFrame(Answer::failure(std::string("bad \xff byte"))));
    EXPECT_EQ(e.answer.error, "bad \xEF\xBF\xBD byte");
}

TEST(Codec, HelloChecksNameAndVersion) {
    Message m = roundTrip(encodeHelloFrame());
    ASSERT_EQ(m.type, MessageType::Hello);
    EXPECT_NO_THROW(checkHello(m.hello));

    struct Case { std::string name; std::uint16_t version; const char* expect; };
    for (const Case& c : {Case{"OTHER-RPC", 1, "protocol mismatch"}, Case{"KORVEL-RPC", 2, "version 2"},
                          Case{"korvel-rpc", 1, "protocol mismatch"}}) {
        Message h = roundTrip(encodeHelloFrame(c.name, c.version));
        try {
            checkHello(h.hello);
            ADD_FAILURE() << c.name << " " << c.version << " accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.expect), std::string::npos) << e.what();
        }
    }
}

TEST(Codec, TableEncodingRejectsCellsOfTheWrongType) {
    struct Case { FieldType type; Cell cell; };
    const Case cases[] = {
        {FieldType::Integer, std::int64_t{2147483648LL}},  // does not fit 32 bits
        {FieldType::Integer, 1.5},
        {FieldType::Text, std::int64_t{1}},
        {FieldType::Boolean, std::string("true")},
        {FieldType::Blob, std::string("x")},
        {FieldType::LargeInt, 2.0},
        {FieldType::Text, std::string("\xC3")},  // cut UTF-8
    };
    for (const auto& c : cases) {
        Table t;
        t.columns = {{"C", c.type, 0}};
        t.appendRow({c.cell});
        EXPECT_THROW(encodeTable(t), Error) << static_cast<int>(c.type);
    }
    // Integers in float columns are widened, not refused.
    Table t;
    t.columns = {{"F", FieldType::Float, 0}};
    t.appendRow({std::int64_t{3}});
    EXPECT_EQ(std::get<double>(decodeTable(encodeTable(t)).at(0, 0)), 3.0);
}

TEST(Codec, EmptyTablesRoundTrip) {
    Table noColumns;
    EXPECT_EQ(decodeTable(encodeTable(noColumns)), noColumns);
    Table noRows;
    noRows.columns = {{"A", FieldType::Text, 10}, {"B", FieldType::Integer, 0}};
    Table back = decodeTable(encodeTable(noRows));
    EXPECT_EQ(back, noRows);
    EXPECT_EQ(back.rowCount(), 0u);
}

TEST(Codec, EveryTruncationOfAValidMessageIsAnError) {
    Call c;
    c.command = "TServerMethods1.X";
    c.params = {Value::int32(1), Value::text("abc"), Value::object(nlohmann::ordered_json{{"a", 1}}),
                Value::dataPacket(sampleTable()), Value::stream("xyz")};
    std::string f = encodeCallFrame(c);
    std::string payload = f.substr(4);
    for (std::size_t cut = 0; cut < payload.size(); ++cut)
        EXPECT_THROW(decodeMessage(std::string_view(payload).substr(0, cut)), Error) << "cut at " << cut;
    EXPECT_THROW(decodeMessage(payload + "x"), Error) << "trailing byte";
}

TEST(Codec, DeclaredCountsBeyondTheDataAreRefusedWithoutAllocating) {
    auto u32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    // Answer claiming 4 billion values in 4 bytes.
    EXPECT_THROW(decodeMessage(std::string("\x03\x00", 2) + u32(0xFFFFFFFFu)), Error);
    // Text claiming 4 GB.
    EXPECT_THROW(decodeValue(std::string("\x05", 1) + u32(0xFFFFFFF0u) + "abc"), Error);
    // Table: one column, 4 billion rows.
    std::string table = u32(1) + u32(1) + "A" + std::string("\x01", 1) + u32(0) + u32(0xFFFFFFFFu) + std::string(10, '\0');
    EXPECT_THROW(decodeTable(table), Error);
    // Column count beyond the data.
    EXPECT_THROW(decodeTable(u32(100000000)), Error);
}

TEST(Codec, TableCellLimitIsEnforced) {
    Table t;
    t.columns = {{"A", FieldType::Boolean, 0}, {"B", FieldType::Boolean, 0}};
    for (int i = 0; i < 10; ++i) t.appendRow({true, false});
    std::string bytes = encodeTable(t);
    Limits small;
    small.maxTableCells = 19;
    EXPECT_THROW(decodeTable(bytes, small), Error);
    small.maxTableCells = 20;
    EXPECT_EQ(decodeTable(bytes, small), t);
}

TEST(Codec, MalformedValuesAreErrors) {
    auto u32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const std::string cases[] = {
        std::string("\x0A", 1),                                   // unknown kind
        std::string("\x04\x02", 2),                               // bool that is neither 0 nor 1
        "\x05" + u32(2) + "\xC3\x28",                             // invalid UTF-8 text
        "\x05" + u32(3) + "\xED\xA0\x80",                         // UTF-16 surrogate in UTF-8
        "\x06" + u32(3) + "{a}",                                  // not JSON
        "\x06" + u32(5) + "[1,2]",                                // JSON but not an object
        "\x06" + u32(400) + std::string(200, '[') + std::string(200, ']'),  // nested too deeply
        "\x08" + u32(1) + u32(1) + "A" + std::string("\x09", 1) + u32(0) + u32(0),  // unknown column type
        "\x08" + u32(0) + u32(3),                                 // rows without columns
        "\x08" + u32(1) + u32(1) + "A" + std::string("\x06", 1) + u32(0) + u32(1) + std::string("\x02", 1),  // presence byte 2
    };
    for (const auto& bytes : cases) EXPECT_THROW(decodeValue(bytes), Error) << testing::PrintToString(bytes);
}

TEST(Codec, Utf8Validation) {
    struct Case { std::string s; bool valid; };
    const Case cases[] = {
        {"", true},
        {"plain ascii text longer than eight bytes", true},
        {"Ğ ş İ ı € 𝄞", true},
        {"\xC0\xAF", false},          // overlong
        {"\xE0\x80\xAF", false},      // overlong
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xED\xBF\xBF", false},      // surrogate
        {"abcdefgh\xE2\x82", false},  // cut at the end after the fast path
        {"\x80", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.s), c.valid) << testing::PrintToString(c.s);
}

TEST(FrameDecoder, ByteByByteFeedingYieldsTheSameFrames) {
    std::string stream = encodeHelloFrame() + encodeCallFrame({"TServerMethods1.A", {Value::int32(1)}}) +
                         encodeCallFrame({"TServerMethods1.B", {}});
    FrameDecoder d;
    std::vector<std::string> payloads;
    std::string p;
    for (char ch : stream) {
        d.feed(std::string_view(&ch, 1));
        while (d.next(p)) payloads.push_back(p);
    }
    ASSERT_EQ(payloads.size(), 3u);
    EXPECT_EQ(decodeMessage(payloads[1]).call.command, "TServerMethods1.A");
    EXPECT_EQ(decodeMessage(payloads[2]).call.command, "TServerMethods1.B");
    EXPECT_EQ(d.pending(), 0u);
}

TEST(FrameDecoder, TruncatedFrameWaitsAndIsReportedAsPending) {
    std::string f = encodeCallFrame({"TServerMethods1.A", {Value::text("abc")}});
    FrameDecoder d;
    d.feed(std::string_view(f).substr(0, f.size() - 1));
    std::string p;
    EXPECT_FALSE(d.next(p));
    EXPECT_EQ(d.pending(), f.size() - 1);
    d.feed(std::string_view(f).substr(f.size() - 1));
    EXPECT_TRUE(d.next(p));
}

TEST(FrameDecoder, OversizedLengthIsRefusedFromThePrefixAlone) {
    FrameDecoder d(1000);
    std::uint32_t len = 1001;
    EXPECT_THROW(d.feed(std::string_view(reinterpret_cast<const char*>(&len), 4)), Error);
    EXPECT_THROW(d.feed("x"), Error) << "stays failed";

    // The same when the oversized frame follows a good one in the same chunk.
    FrameDecoder d2(1000);
    std::string good = frame("\x01");
    d2.feed(good + std::string(reinterpret_cast<const char*>(&len), 4));
    std::string p;
    EXPECT_TRUE(d2.next(p));
    EXPECT_THROW(d2.next(p), Error);

    FrameDecoder d3;
    std::uint32_t huge = 0xFFFFFFFFu;
    EXPECT_THROW(d3.feed(std::string_view(reinterpret_cast<const char*>(&huge), 4)), Error);
    FrameDecoder d4;
    EXPECT_THROW(d4.feed(std::string(4, '\0')), Error) << "empty payload";
}

// The byte layout is a contract with clients written elsewhere: these are the bytes of the
// worked example in docs/protocol.md.
TEST(Codec, ByteLayoutIsStable) {
    auto hex = [](const std::string& s) {
        std::string out;
        char b[4];
        for (unsigned char c : s) {
            std::snprintf(b, sizeof b, "%02x", c);
            out += b;
        }
        return out;
    };
    EXPECT_EQ(hex(encodeHelloFrame() + encodeCallFrame({"TServerMethods1.SepetVer2", {Value::int32(42)}})),
              "11000000" "01" "0a000000" "4b4f5256454c2d525043" "0100"
              "27000000" "02" "19000000" "54536572766572" "4d6574686f647331" "2e" "536570657456657232"
              "01000000" "01" "2a000000");
    Table t;
    t.columns = {{"SIRANO", FieldType::Integer, 0}, {"STOKADI", FieldType::Text, 40}, {"MIKTAR", FieldType::Float, 0}};
    t.appendRow({std::int64_t{7}, std::string("Yağ filtresi"), 2.0});
    Answer a;
    a.values = {Value(), Value::dataPacket(t)};
    EXPECT_EQ(hex(encodeAnswerFrame(a)),
              "5e000000" "03" "00" "02000000" "00" "08" "03000000"
              "06000000" "534952414e4f" "01" "00000000"
              "07000000" "53544f4b414449" "04" "28000000"
              "06000000" "4d494b544152" "03" "00000000"
              "01000000"
              "01" "07000000"
              "01" "0d000000" "5961c49f2066696c7472657369"
              "01" "0000000000000040");
}
