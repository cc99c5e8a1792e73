#include <gtest/gtest.h>

#include "data/MemTable.h"

using data::MemTable;
using wire::Cell;
using wire::FieldType;

namespace {

wire::Table sample() {
    wire::Table t;
    t.columns = {{"SIRANO", FieldType::Integer, 0}, {"STOKADI", FieldType::Text, 60}, {"TUTAR", FieldType::Float, 0},
                 {"SEC", FieldType::Integer, 0}};
    t.appendRow({std::int64_t{1}, std::string("FILTRE"), 10.5, std::int64_t{0}});
    t.appendRow({std::int64_t{2}, std::string("BALATA"), 20.0, std::int64_t{1}});
    t.appendRow({std::int64_t{3}, std::string("YAG"), 30.25, std::int64_t{1}});
    return t;
}

struct Recorder : data::TableObserver {
    int resets = 0;
    std::vector<std::size_t> rows;
    void tableReset() override { ++resets; }
    void rowChanged(std::size_t r) override { rows.push_back(r); }
};

TEST(MemTable, CursorWalksAndLocates) {
    MemTable t("sepet");
    EXPECT_FALSE(t.active());
    t.load(sample());
    ASSERT_TRUE(t.active());
    EXPECT_EQ(t.rowCount(), 3u);
    std::vector<std::string> names;
    for (t.first(); !t.eof(); t.next()) names.push_back(t.asString("stokadi"));
    EXPECT_EQ(names, (std::vector<std::string>{"FILTRE", "BALATA", "YAG"}));
    EXPECT_TRUE(t.locate("SIRANO", 3.0));
    EXPECT_EQ(t.recNo(), 2u);
    EXPECT_DOUBLE_EQ(t.asFloat("TUTAR"), 30.25);
    EXPECT_FALSE(t.locate("SIRANO", std::int64_t{9}));
    EXPECT_THROW(t.value("NOPE"), std::out_of_range);
}

TEST(MemTable, EditPostAndNotifications) {
    MemTable t;
    Recorder rec;
    t.addObserver(&rec);
    t.load(sample());
    EXPECT_EQ(rec.resets, 1);
    t.setRecNo(1);
    t.edit();
    t.setValue("SEC", std::int64_t{0});
    EXPECT_EQ(t.asInteger("SEC"), 0);  // edit buffer visible
    EXPECT_EQ(data::cellToInteger(t.cell(1, "SEC")), 1);  // table unchanged before post
    t.post();
    EXPECT_EQ(data::cellToInteger(t.cell(1, "SEC")), 0);
    EXPECT_EQ(rec.rows, std::vector<std::size_t>{1});

    t.disableControls();
    t.emptyDataSet();
    t.load(sample());
    EXPECT_EQ(rec.resets, 1);  // nothing while disabled
    t.enableControls();
    EXPECT_EQ(rec.resets, 2);  // one reset on enable
    t.removeObserver(&rec);
}

TEST(MemTable, EmptyAndLoadRecreateFields) {
    MemTable t;
    t.load(sample());
    t.setDisplayFormat("TUTAR", "#,###,##0.00");
    t.emptyDataSet();
    EXPECT_EQ(t.rowCount(), 0u);
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.field(2).displayFormat, "#,###,##0.00");
    t.load(sample());
    EXPECT_EQ(t.field(2).displayFormat, "");  // a load recreates the fields
}

}  // namespace
