#include "app/printlogic.h"

#include "app/numberformat.h"
#include "res/texts.h"

namespace tab97 {

QStringList PrintParameters(const MainState& state) {
  QStringList p;
  const int language = state.LanguageIndex;
  for (int i = 1; i <= 6; ++i) p.append(texts::ResultCaption(language, state.QuantityOrder[i]));
  for (int i = 1; i <= 6; ++i) p.append(texts::Unit(language, state.QuantityOrder[i]));
  for (int position = 10; position <= 12; ++position) p.append(texts::Heading(language, position));
  return p;
}

QStringList PrintFieldNames() {
  return {QStringLiteral("Vel1"), QStringLiteral("Vel2"), QStringLiteral("Vel3"),
          QStringLiteral("Vel4"), QStringLiteral("Vel5"), QStringLiteral("Vel6")};
}

PrintRows::PrintRows(const MainState& state, bool pointsPage) : state_(state), points_(pointsPage) {
  if (points_) {
    for (int k = 0; k < kPointCount; ++k)
      if (state.PointTable[static_cast<std::size_t>(k)].Validity == 1.0) solved_.append(k);
    count_ = static_cast<int>(solved_.size());
  }
}

int PrintRows::Step(int dir) {
  switch (dir) {
    case 0: row_ = 1; return 1;
    case 1:
      if (row_ < 2) return 1;
      --row_;
      return 0;
    case 2:
      if (row_ >= count_) return 2;
      ++row_;
      return 0;
    case 3: row_ = count_; return 2;
    default: return 0;
  }
}

QStringList PrintRows::RowValues() const {
  QStringList values;
  const QuantityValues* source = &state_.StateValues;
  if (points_) {
    if (row_ < 1 || row_ > solved_.size()) return QStringList(6, QString());
    source = &state_.PointTable[static_cast<std::size_t>(solved_[row_ - 1])].Values;
  }
  for (int i = 1; i <= 6; ++i) {
    const int q = state_.QuantityOrder[i];
    values.append(FormatFixed((*source)[q], state_.DecimalPlaces[q], state_.DecimalSeparator));
  }
  return values;
}

}  // namespace tab97
