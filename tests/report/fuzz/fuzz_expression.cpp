// Fuzzing harness of the expression evaluator. Any text is an expression: it
// evaluates to a value or to one of the error texts at a position inside the text
// (or just past its end), never to undefined behaviour.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "report/expr/expression.h"
#include "report/run/reportrun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  report::ReportData sample;
  sample.FieldNames = {QStringLiteral("Vel1"), QStringLiteral("Vel2"), QStringLiteral("Vel3"), QStringLiteral("Vel4")};
  sample.RowValues = {QStringLiteral("1.5"), QStringLiteral("-2"), QStringLiteral("abc"), QString()};
  sample.Parametry = {QStringLiteral("Nadpis"), QStringLiteral("0")};
  sample.locale = report::ReportLocale::c();
  report::ReportDefinition def;
  report::TRadekFunkce f;
  f.name = QStringLiteral("soucet");
  f.expression = text;
  f.aggregation = report::kAggRelStdDev;
  def.functions.add(f);
  f.name = QStringLiteral("text");
  f.type = report::kFunctionText;
  f.aggregation = report::kAggNone;
  def.functions.add(f);
  report::ReportRun r(def, sample);

  const report::ExpressionResult once = report::EvaluateExpression(text, r);
  if (!once.ok) {
    if (once.error.text.isEmpty()) std::abort();
    if (once.error.position < 1 || once.error.position > text.size() + 1) std::abort();
  }
  const report::ExpressionResult twice = report::EvaluateExpression(text, r);
  if (twice.ok != once.ok || !(twice.error == once.error)) std::abort();
  (void)report::CheckExpression(text, r);

  r.functions.markResetAll();
  for (int row = 0; row < 3; ++row) r.computeFunctions();
  (void)r.functionText(0);
  (void)r.functionText(1);
  return 0;
}
