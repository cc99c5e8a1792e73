#include "grid/SpreadsheetExport.h"

#include <xlsxwriter.h>

#include <QFile>
#include <clocale>
#include <cmath>
#include <map>

#include "grid/CellText.h"
#include "grid/GridModel.h"
#include "grid/Icons.h"

namespace grid {

QString spreadsheetFileName(const QString& chosen) {
    if (chosen.isEmpty()) return chosen;
    if (chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) return chosen;
    if (chosen.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive)) return chosen + QLatin1Char('x');
    return chosen + QStringLiteral(".xlsx");
}

std::string spreadsheetNumberFormat(const std::string& mask) {
    if (mask.empty()) return {};
    // The first section decides: grouping when it has a ',' among its digits, and as many
    // decimals as it has digit places after the '.'.
    const std::string section = mask.substr(0, mask.find(';'));
    const bool grouping = section.find(',') != std::string::npos;
    int decimals = 0;
    const auto dot = section.find('.');
    if (dot != std::string::npos)
        for (std::size_t i = dot + 1; i < section.size() && (section[i] == '0' || section[i] == '#'); ++i) ++decimals;
    std::string suffix;
    std::size_t last = section.find_last_of("0#.,");
    if (last != std::string::npos && last + 1 < section.size()) suffix = section.substr(last + 1);
    std::string f = grouping ? "#,##0" : "0";
    if (decimals > 0) f += "." + std::string(static_cast<std::size_t>(decimals), '0');
    if (!suffix.empty()) {
        std::string quoted;
        for (char c : suffix)
            if (c != '"') quoted += c;
        f += "\"" + quoted + "\"";
    }
    return f;
}

namespace {

// libxlsxwriter prints numbers with the C library; keep its decimal point a '.' while writing.
class CNumericLocale {
public:
    CNumericLocale() {
        if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) saved_ = current;
        std::setlocale(LC_NUMERIC, "C");
    }
    ~CNumericLocale() {
        if (!saved_.empty()) std::setlocale(LC_NUMERIC, saved_.c_str());
    }

private:
    std::string saved_;
};

class Writer {
public:
    Writer(const GridModel& model, const QVector<ExportColumn>& columns, lxw_workbook* book, lxw_worksheet* sheet)
        : model_(model), columns_(columns), book_(book), sheet_(sheet) {
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        wrap_ = workbook_add_format(book_);
        format_set_text_wrap(wrap_);
        format_set_align(wrap_, LXW_ALIGN_VERTICAL_TOP);
        date_ = workbook_add_format(book_);
        format_set_num_format(date_, "dd.mm.yyyy");
        dateTime_ = workbook_add_format(book_);
        format_set_num_format(dateTime_, "dd.mm.yyyy hh:mm:ss");
    }

    lxw_error run() {
        writeHeader();
        if (model_.groupColumn() >= 0) {
            const std::vector<int> all = model_.rowsInOrder();  // group after group
            std::size_t next = 0;
            for (int g = 0; g < model_.groupCount(); ++g) {
                write_text(0, model_.column(model_.groupColumn()).headerText() + QStringLiteral(": ") + model_.groupKey(g),
                           bold_);
                nextRow();
                const auto count = static_cast<std::size_t>(model_.groupRowCount(g));
                for (std::size_t k = next; k < next + count && k < all.size(); ++k) writeDataRow(all[k]);
                next += count;
                if (model_.hasGroupFooters()) writeAggregateRow([&](int c) { return model_.groupFooterValue(g, c); },
                                                                [&](int c) { return model_.groupFooterText(g, c); });
            }
        } else {
            for (int r : model_.rowsInOrder()) writeDataRow(r);
        }
        if (model_.hasFooters())
            writeAggregateRow([&](int c) { return model_.footerValue(c); }, [&](int c) { return model_.footerText(c); });
        return error_;
    }

private:
    void note(lxw_error e) {
        if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR) error_ = e;
    }
    void nextRow() { ++row_; }

    void write_text(int col, const QString& text, lxw_format* format = nullptr) {
        if (text.isEmpty()) return;
        const QByteArray utf8 = text.toUtf8();
        note(worksheet_write_string(sheet_, row_, static_cast<lxw_col_t>(col), utf8.constData(), format));
    }

    void writeHeader() {
        for (int i = 0; i < columns_.size(); ++i) {
            const auto& def = model_.column(columns_[i].column);
            write_text(i, def.headerText(), bold_);
            const double chars = std::max(6.0, columns_[i].pixelWidth / 7.0);
            note(worksheet_set_column(sheet_, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), chars, nullptr));
        }
        nextRow();
    }

    lxw_format* numberFormat(const std::string& mask) {
        const std::string f = spreadsheetNumberFormat(mask);
        if (f.empty()) return nullptr;
        auto it = numberFormats_.find(f);
        if (it == numberFormats_.end()) {
            lxw_format* fmt = workbook_add_format(book_);
            format_set_num_format(fmt, f.c_str());
            it = numberFormats_.emplace(f, fmt).first;
        }
        return it->second;
    }

    void writeNumber(int col, double v, lxw_format* f) {
        if (!std::isfinite(v)) return;
        note(worksheet_write_number(sheet_, row_, static_cast<lxw_col_t>(col), v, f));
    }

    void writeDataRow(int src) {
        for (int i = 0; i < columns_.size(); ++i) {
            const int c = columns_[i].column;
            const auto& def = model_.column(c);
            const auto& cell = model_.cell(src, c);
            switch (def.kind) {
            case CellKind::Picture: break;
            case CellKind::Custom: write_text(i, model_.cellText(src, c)); break;
            case CellKind::Icon:
                if (def.iconSet == IconSet::StockState || def.iconSet == IconSet::Warehouse)
                    write_text(i, iconMeaning(def.iconSet, cell));
                else if (!data::cellIsNull(cell))
                    writeNumber(i, static_cast<double>(iconCode(def.iconSet, cell)), nullptr);
                break;
            case CellKind::CheckBox:
                writeNumber(i, model_.filterText(src, c) == QStringLiteral("Seçili") ? 1 : 0, nullptr);
                break;
            default: writeValue(i, c, src, cell, def.kind == CellKind::MultiLine); break;
            }
        }
        nextRow();
    }

    void writeValue(int i, int c, int src, const data::Cell& cell, bool multiLine) {
        if (data::cellIsNull(cell) || std::holds_alternative<wire::Blob>(cell)) return;
        const int f = model_.fieldIndex(c);
        if (f < 0) return;
        const auto& field = model_.table()->field(static_cast<std::size_t>(f));
        if (const auto* s = std::get_if<std::string>(&cell)) {
            write_text(i, QString::fromStdString(*s), multiLine ? wrap_ : nullptr);
            return;
        }
        if (const auto* b = std::get_if<bool>(&cell)) {
            note(worksheet_write_boolean(sheet_, row_, static_cast<lxw_col_t>(i), *b ? 1 : 0, nullptr));
            return;
        }
        const double v = data::cellToFloat(cell);
        if (field.type == data::FieldType::DateTime) {
            writeNumber(i, v, v == std::floor(v) ? date_ : dateTime_);
            return;
        }
        writeNumber(i, v, numberFormat(field.displayFormat));
    }

    template <class Value, class Text>
    void writeAggregateRow(Value value, Text text) {
        for (int i = 0; i < columns_.size(); ++i) {
            const int c = columns_[i].column;
            const auto v = value(c);
            if (!v || text(c).isEmpty()) continue;
            const int f = model_.fieldIndex(c);
            lxw_format* fmt = bold_;
            if (f >= 0) {
                const std::string nf = spreadsheetNumberFormat(model_.table()->field(static_cast<std::size_t>(f)).displayFormat);
                if (!nf.empty()) {
                    auto key = "b:" + nf;
                    auto it = numberFormats_.find(key);
                    if (it == numberFormats_.end()) {
                        lxw_format* bf = workbook_add_format(book_);
                        format_set_bold(bf);
                        format_set_num_format(bf, nf.c_str());
                        it = numberFormats_.emplace(key, bf).first;
                    }
                    fmt = it->second;
                }
            }
            writeNumber(i, *v, fmt);
        }
        nextRow();
    }

    const GridModel& model_;
    const QVector<ExportColumn>& columns_;
    lxw_workbook* book_;
    lxw_worksheet* sheet_;
    lxw_format* bold_ = nullptr;
    lxw_format* wrap_ = nullptr;
    lxw_format* date_ = nullptr;
    lxw_format* dateTime_ = nullptr;
    std::map<std::string, lxw_format*> numberFormats_;
    lxw_row_t row_ = 0;
    lxw_error error_ = LXW_NO_ERROR;
};

}  // namespace

bool writeGridSpreadsheet(const GridModel& model, const QVector<ExportColumn>& columns, const QString& path,
                          QString* error) {
    // A sheet holds LXW_ROW_MAX rows; a grid that does not fit is refused before anything is written.
    std::size_t rows = 1 + model.rowsInOrder().size() + (model.hasFooters() ? 1 : 0);
    if (model.groupColumn() >= 0) rows += static_cast<std::size_t>(model.groupCount()) * (model.hasGroupFooters() ? 2 : 1);
    if (rows > LXW_ROW_MAX) {
        if (error)
            *error = QStringLiteral("Tablo %1 satır; bir Excel sayfası en çok %2 satır alır. Listeyi süzüp tekrar deneyin.")
                         .arg(rows)
                         .arg(LXW_ROW_MAX);
        return false;
    }
    CNumericLocale cLocale;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book) {
        if (error) *error = QStringLiteral("Dosya oluşturulamadı: %1").arg(path);
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Sayfa1");
    Writer writer(model, columns, book, sheet);
    const lxw_error written = writer.run();
    const lxw_error closed = workbook_close(book);
    const lxw_error result = written != LXW_NO_ERROR ? written : closed;
    if (result != LXW_NO_ERROR) {
        if (error) *error = QStringLiteral("Dosya yazılamadı: %1 (%2)").arg(path, QString::fromUtf8(lxw_strerror(result)));
        return false;
    }
    return true;
}

}  // namespace grid
