#pragma once
// Writing what a grid shows into a spreadsheet file (Office Open XML).

#include <QString>
#include <QVector>
#include <string>

namespace grid {

class GridModel;

// The name the file is written under: the workbook format takes the ".xlsx" extension, so a
// chosen ".xls" becomes ".xlsx" and a name without it gets it appended.
QString spreadsheetFileName(const QString& chosen);

// The spreadsheet number format for one of our display masks ("#,###,##0.00" -> "#,##0.00").
std::string spreadsheetNumberFormat(const std::string& mask);

struct ExportColumn {
    int column;      // model column
    int pixelWidth;  // width on screen, for the sheet's column width
};

// Writes a header row of captions, then every shown row (groups expanded, with their group
// rows and footers), then the footer row. Numbers and dates are written as numbers.
bool writeGridSpreadsheet(const GridModel& model, const QVector<ExportColumn>& columns, const QString& path,
                          QString* error = nullptr);

}  // namespace grid
