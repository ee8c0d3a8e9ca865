#pragma once
// Reader of the reference tables written by tools/accuracy/reference.js: lines starting with '#'
// hold the provenance, the first other line the column names, then one row per line; fields are
// separated by commas, a field holding a comma is quoted ("Town, XX").
#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zenitra::testing {

struct ReferenceTable {
  std::string Name;
  std::vector<std::string> Comments;  ///< provenance lines without the leading "# "
  std::vector<std::string> Header;
  std::vector<std::vector<std::string>> Rows;

  /// Index of a column; throws when the table has no such column.
  [[nodiscard]] std::size_t Column(const std::string& name) const {
    const auto it = std::find(Header.begin(), Header.end(), name);
    if (it == Header.end()) throw std::runtime_error(Name + ": no column " + name);
    return static_cast<std::size_t>(it - Header.begin());
  }
};

/// The fields of one line; "" inside quotes stands for one quote.
inline std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

/// Reads folder/name; throws when the file cannot be read or a row has the wrong number of fields.
inline ReferenceTable ReadReferenceTable(const std::string& folder, const std::string& name) {
  std::ifstream in(folder + "/" + name);
  if (!in) throw std::runtime_error("cannot read " + folder + "/" + name);
  ReferenceTable t;
  t.Name = name;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (line[0] == '#') {
      t.Comments.push_back(line.size() > 2 ? line.substr(2) : "");
    } else if (t.Header.empty()) {
      t.Header = SplitCsvLine(line);
    } else {
      t.Rows.push_back(SplitCsvLine(line));
      if (t.Rows.back().size() != t.Header.size()) throw std::runtime_error(name + ": malformed row: " + line);
    }
  }
  return t;
}

/// One row with access by column name.
struct ReferenceRow {
  const ReferenceTable& Table;
  const std::vector<std::string>& Fields;
  [[nodiscard]] const std::string& Text(const std::string& column) const { return Fields.at(Table.Column(column)); }
  [[nodiscard]] double Number(const std::string& column) const { return std::stod(Text(column)); }
  [[nodiscard]] bool Empty(const std::string& column) const { return Text(column).empty(); }
};

}  // namespace zenitra::testing
