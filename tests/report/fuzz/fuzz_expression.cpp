// Fuzzing harness of the expression evaluator. Any text is an expression: it
// evaluates to a value or to one of the error texts at a position inside the text
// (or just past its end), never to undefined behaviour.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "report/expression.h"
#include "report/reportdefinition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  if97::ReportDefinition r;
  r.FieldNames = {QStringLiteral("Vel1"), QStringLiteral("Vel2"), QStringLiteral("Vel3"), QStringLiteral("Vel4")};
  r.RowValues = {QStringLiteral("1.5"), QStringLiteral("-2"), QStringLiteral("abc"), QString()};
  r.Parametry = {QStringLiteral("Nadpis"), QStringLiteral("0")};
  r.locale = if97::ReportLocale::c();
  if97::TRadekFunkce f;
  f.name = QStringLiteral("soucet");
  f.expression = text;
  f.aggregation = if97::kAggRelStdDev;
  r.functions.add(f);
  f.name = QStringLiteral("text");
  f.type = if97::kFunctionText;
  f.aggregation = if97::kAggNone;
  r.functions.add(f);

  const if97::ExpressionResult once = if97::EvaluateExpression(text, r);
  if (!once.ok) {
    if (once.error.text.isEmpty()) std::abort();
    if (once.error.position < 1 || once.error.position > text.size() + 1) std::abort();
  }
  const if97::ExpressionResult twice = if97::EvaluateExpression(text, r);
  if (twice.ok != once.ok || !(twice.error == once.error)) std::abort();
  (void)if97::CheckExpression(text, r);

  r.functions.markResetAll();
  for (int row = 0; row < 3; ++row) r.computeFunctions();
  (void)r.functionText(0);
  (void)r.functionText(1);
  return 0;
}
