#include "app/pointtable.h"

#include "app/calculatorlogic.h"
#include "app/numberformat.h"

namespace tab97 {

std::array<int, 7> ColumnCaptionLefts(const QuantityOrderArray& order) {
  std::array<int, 7> lefts{};
  for (int i = 1; i <= 6; ++i) {
    const int q = order[i];
    if (q >= 1 && q <= 6) lefts[q] = (i - 1) * kPointColumnPitch + kPointColumnLeft;
  }
  return lefts;
}

QString NegativeInputMark() { return QStringLiteral("x x x"); }
QString UnconvertibleMark() { return QStringLiteral("- - -"); }

namespace {

PointRowResult Marked(const QString& mark) {
  PointRowResult row;
  row.Cells.fill(mark);
  return row;
}

}  // namespace

PointRowResult SolvePointRow(const QString& firstText, const QString& secondText, MainState& state,
                             SolveFunction solve) {
  const QChar sep = state.DecimalSeparator;
  double u = 0.0, w = 0.0;
  if (!ParseUserNumber(firstText, sep, u) || !ParseUserNumber(secondText, sep, w) || solve == nullptr)
    return Marked(UnconvertibleMark());
  if (u < 0.0 || w < 0.0) return Marked(NegativeInputMark());

  const SolveRequest r = MakeSolveRequest(state.QuantityOrder, u, w, state.PreferMetastable);
  QuantityValues& c = state.ResultCells;
  solve(r.pairCode, r.needP, r.needV, r.value1, r.value2, r.needS, r.needI, r.preferMetastable, c[if97::kT],
        c[if97::kP], c[if97::kV], c[if97::kS], c[if97::kI], c[if97::kX], state.RegionCode);

  // A state outside the range, or a pair the solver does not support, is not a
  // solved point: it would otherwise be printed and marked on the chart with the
  // solver's zeros as if it were a state.
  if (state.RegionCode >= if97::kRegionInputRange) return Marked(UnconvertibleMark());

  PointRowResult row;
  for (int j = 0; j < 4; ++j) {
    const int q = state.QuantityOrder[j + 3];
    row.Cells[j] = FormatFixed(c[q], state.DecimalPlaces[q], sep);
  }
  row.Point.Validity = 1.0;
  row.Point.Values = c;
  row.Point.Values[0] = 0.0;
  return row;
}

void ClearPointTable(PointTableArray& table) { table.fill(TablePoint{}); }

int PointRowCursor::SelectRow(int row) {
  const int left = row != current_ ? current_ : -1;
  current_ = row;
  return left;
}

}  // namespace tab97
