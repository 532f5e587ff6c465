// Units and limits of the report model.
//
// Every length of the model (paper, margins, section heights, element positions
// and sizes, raster, column gap) is an integer in hundredths of an inch. Font sizes
// are in points. Values read from a template or an ini file are clamped to the
// ranges below so that no later computation indexes past a table, divides by zero
// or overflows an int.
#pragma once

namespace report {

constexpr int kMaxLength = 100000;        // largest length or position, hundredths of an inch (1000 in)
constexpr int kMaxPaperLength = 20000;    // largest paper side, hundredths of an inch (200 in)
constexpr int kMaxPrintColumns = 100;     // label printing: columns across the page
constexpr int kMaxFontSize = 1000;        // points
constexpr int kDefaultFontSize = 10;      // points, for a missing or non-positive size
constexpr int kMaxGroups = 32;            // groups of one report
constexpr int kMaxFunctions = 1000;       // user functions of one report (names are looked up one by one)
constexpr int kMaxDetails = 16;           // detail reports of one report
constexpr int kMaxDetailDepth = 4;        // detail reports nested inside detail reports
constexpr int kMaxTemplateDetailReports = 256;  // detail reports of one file, all levels together
constexpr int kMaxTemplateElements = 100000;    // elements of one file, all reports together
constexpr int kMaxTemplateLineLength = 65536;   // characters of one template line
constexpr int kMaxUserFormats = 256;      // paper formats taken from the ini file
constexpr int kMaxFormatNameLength = 31;  // characters of a paper-format name
constexpr int kMaxElementNameLength = 32; // characters of an element's column or function name
constexpr int kMaxExpressionLength = 255; // characters of a user-function expression
constexpr int kMaxDecimals = 18;          // decimal places and precision of number formatting
constexpr int kBarcodeTypeCount = 20;     // barcode types 0 … 19
constexpr int kDefaultBarcodeType = 14;   // "EAN 13"

}  // namespace report
