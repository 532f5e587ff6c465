// CSV tables of test data: '#' lines are comments, the first other line names the
// columns, and each further line is a row of text fields by column name. A row
// with the wrong number of fields, a file that cannot be read and an empty table
// fail the calling test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace testdata {

inline double Decimal(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// One row, its fields by column name; Number reads a field as a number.
template <double (*Number)(const std::string&) = Decimal>
struct Row {
  int line = 0;  // line number in the file
  std::map<std::string, std::string> field;
  const std::string& operator[](const std::string& column) const { return field.at(column); }
  double operator()(const std::string& column) const { return Number(field.at(column)); }
  // A field of numbers separated by spaces.
  std::vector<double> List(const std::string& column) const {
    std::istringstream in(field.at(column));
    std::vector<double> values;
    for (std::string v; in >> v;) values.push_back(Number(v));
    return values;
  }
};

template <double (*Number)(const std::string&) = Decimal>
std::vector<Row<Number>> ReadCsv(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << "cannot open " << path;
  std::vector<Row<Number>> rows;
  std::vector<std::string> columns;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream s(line);
    for (std::string cell; std::getline(s, cell, ',');) cells.push_back(cell);
    if (line.back() == ',') cells.emplace_back();
    if (columns.empty()) {
      columns = cells;
      continue;
    }
    EXPECT_EQ(cells.size(), columns.size()) << path << " line " << number << ": " << line;
    Row<Number> r{number, {}};
    for (std::size_t k = 0; k < std::min(cells.size(), columns.size()); ++k) r.field[columns[k]] = cells[k];
    rows.push_back(r);
  }
  EXPECT_FALSE(rows.empty()) << path;
  return rows;
}

}  // namespace testdata
