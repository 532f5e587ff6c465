#include "app/copytext.h"

#include <QStringList>

#include "app/numberformat.h"
#include "res/texts.h"

namespace tab97 {

namespace {

constexpr QChar kTab = QLatin1Char('\t');
constexpr QChar kLineEnd = QLatin1Char('\n');
constexpr int kRegionHeading = 5;  // "Oblast" / "Region"

QStringList Captions(const MainState& state) {
  QStringList captions;
  for (int i = 1; i <= 6; ++i) captions << CopyColumnCaption(state.LanguageIndex, state.QuantityOrder[i]);
  return captions;
}

}  // namespace

QString CopyColumnCaption(int language, int quantity) {
  QString name = texts::ResultCaption(language, quantity);
  if (name.endsWith(QLatin1String(" = "))) name.chop(3);
  QString unit = texts::Unit(language, quantity).trimmed();
  if (unit.isEmpty()) unit = QStringLiteral("1");
  return name.trimmed() + QStringLiteral(" [") + unit + QLatin1Char(']');
}

QString CalculatorCopyText(const MainState& state) {
  const QChar sep = state.DecimalSeparator;
  QStringList header = Captions(state);
  header << texts::Heading(state.LanguageIndex, kRegionHeading);
  QStringList row;
  for (int i = 1; i <= 6; ++i) {
    const int q = state.QuantityOrder[i];
    const double value = state.StateValues[q];
    row << (i <= 2 ? FormatFixed(value, state.DecimalPlaces[q], sep) : FormatResult(value, state.DecimalPlaces[q], sep));
  }
  row << (state.RegionCode != if97::kRegionNone ? texts::RegionName(state.LanguageIndex, state.RegionCode) : QString());
  return header.join(kTab) + kLineEnd + row.join(kTab) + kLineEnd;
}

QString PointsCopyText(const MainState& state) {
  QString text = Captions(state).join(kTab) + kLineEnd;
  for (const TablePoint& point : state.PointTable) {
    if (point.Validity != 1.0) continue;
    QStringList row;
    for (int i = 1; i <= 6; ++i) {
      const int q = state.QuantityOrder[i];
      row << FormatFixed(point.Values[q], state.DecimalPlaces[q], state.DecimalSeparator);
    }
    text += row.join(kTab) + kLineEnd;
  }
  return text;
}

}  // namespace tab97
