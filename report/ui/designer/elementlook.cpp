#include "report/ui/designer/elementlook.h"

#include <algorithm>
#include <memory>

#include "report/barcode/barcode.h"
#include "report/io/systemvariables.h"
#include "report/layout/generator.h"
#include "report/layout/richtext.h"
#include "report/layout/textflow.h"

namespace report {
namespace {

QString ColumnName(const TReportElement& e, const QStringList& names) {
  if (e.hasName()) return e.name;
  if (e.index >= 0 && e.index < names.size()) return names.at(e.index);
  return QStringLiteral("Položka ") + QString::number(e.index);
}

int DesignFlowAlignment(const TReportElement& e) {
  if (e.flags & kFlagJustify) return kFlowJustify;
  switch (e.alignment & 3) {
    case kAlignRight: return kFlowRight;
    case kAlignCenter: return kFlowCenter;
    default: return kFlowLeft;
  }
}

}  // namespace

QString ElementLook::Placeholder(const TReportElement& e, const Context& c) {
  switch (e.kind) {
    case kElementText: return e.text;
    case kElementColumn: return ColumnName(e, c.fieldNames);
    case kElementCaption: {
      const int i = e.hasName() ? FindColumn(c.fieldNames, e.name) : e.index;
      const QString label = i >= 0 ? c.fieldLabels.value(i) : QString();
      return label.isEmpty() ? ColumnName(e, c.fieldNames) : label;
    }
    case kElementParameter: {
      const QString text = e.index >= 0 ? c.parameters.value(e.index) : QString();
      return text.isEmpty() ? QStringLiteral("Parametr ") + QString::number(e.index) : text;
    }
    case kElementVariable: return SystemVariableName(e.index);
    case kElementFunction: {
      if (e.hasName()) return e.name;
      if (e.index >= 0 && e.index < c.functions.count()) return c.functions[e.index].name;
      return QStringLiteral("Funkce ") + QString::number(e.index);
    }
    case kElementPicture:
    case kElementBarcode: return e.text;
    case kElementPaintBox: return ElementKindName(e.kind) + u' ' + QString::number(e.index);
    case kElementDetail: return QStringLiteral("Detail ") + QString::number(e.index);
    default: return ElementKindName(e.kind);
  }
}

QString ElementLook::Describe(const TReportElement& e, const Context& c) {
  const QString kind = e.kind == kElementDetail ? QStringLiteral("Detail") : ElementKindName(e.kind);
  if (e.kind == kElementBarcode) {
    const std::string_view type = barcode::BarcodeTypeName(e.barcodeType());
    return kind + QStringLiteral(": ") + QString::fromLatin1(type.data(), static_cast<qsizetype>(type.size()));
  }
  if (e.kind >= kElementLine && e.kind <= kElementEllipse) return kind;
  QString what = Placeholder(e, c);
  what.replace(u'\n', u' ');
  if (what.size() > 40) what = what.left(40) + QStringLiteral("…");
  return what.isEmpty() ? kind : kind + QStringLiteral(": ") + what;
}

TVystPrvek ElementLook::Output(const TReportElement& e, const Context& c, const TextMeasurer& measurer) {
  TVystPrvek out;
  out.look = e;
  out.width = e.width;
  out.height = e.height;
  if (IsTextKind(e.kind)) {
    out.text = Placeholder(e, c);
    const bool rich = e.kind == kElementText && (e.flags & kFlagRichText) && IsRichText(out.text);
    if (rich) out.text = ParseRichText(out.text).plainText();
    const bool wrap = (e.flags & (kFlagVariableHeight | kFlagJustify)) != 0;
    if (e.rotation() == 0 && (wrap || out.text.contains(u'\n')))
      out.lines = FlowText(PlainParagraphs(out.text, e.font, DesignFlowAlignment(e)), e.width, wrap, measurer, 1000);
  } else if (e.kind == kElementBarcode) {
    const QByteArray latin = e.text.toLatin1();
    auto pattern = std::make_shared<barcode::BarcodePattern>(barcode::EncodeBarcode(
        e.barcodeType(), std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())),
        (e.frame & kBarcodeCheckDigit) != 0));
    out.text = QString::fromLatin1(pattern->encodedText.data(), static_cast<qsizetype>(pattern->encodedText.size()));
    out.barcode = std::move(pattern);
    out.moduleWidth = std::clamp(e.barWidth(), barcode::ModuleWidthMemory::kMinWidth,
                                 barcode::ModuleWidthMemory::kMaxWidth);
  } else {
    out.text = e.text;
  }
  return out;
}

}  // namespace report
