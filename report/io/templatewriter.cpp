#include "report/io/templatewriter_p.h"

#include "report/model/reportdefinition.h"
#include "report/io/templaterecord.h"

namespace report {
namespace {

QString Join(std::initializer_list<QString> fields) {
  QString out;
  bool first = true;
  for (const QString& f : fields) {
    if (!first) out += u',';
    out += f;
    first = false;
  }
  return out;
}

QString N(int v) { return QString::number(v); }
QString B(bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

QString TemplateWriter::element(const QString& tag, const TReportElement& e) const {
  const QString t = PlainField(tag);
  if (e.kind == kElementDetail)
    return Join({t, N(e.kind), N(e.index), N(e.left), N(e.top), N(e.width), N(e.height)});
  if (IsTextKind(e.kind)) {
    const bool byName = (e.kind == kElementColumn || e.kind == kElementCaption || e.kind == kElementFunction) &&
                        e.hasName();
    const QString ref = byName ? PlainField(e.name) : N(e.index);
    return Join({t, N(e.kind), ref, N(e.left), N(e.top), N(e.width), N(e.height), PlainField(e.font.name),
                 N(e.font.size), N(e.font.color), N(e.font.style), N(e.alignment | e.flags), N(e.frame),
                 N(e.font.charset), QuotedField(e.text), N(e.extra[0]), N(e.extra[1]), N(e.extra[2])});
  }
  QString line = Join({t, N(e.kind), N(e.index), N(e.left), N(e.top), N(e.width), N(e.height), QString(),
                       N(e.penWidth), N(e.penColor), N(e.penStyle), N(e.frame), N(e.fillColor), N(e.fillStyle)});
  if (e.kind == kElementPicture || e.kind == kElementBarcode) line += u',' + QuotedField(e.text);
  if (e.kind == kElementBarcode) line += u',' + Join({N(e.extra[0]), N(e.extra[1]), N(e.extra[2])});
  return line;
}

QStringList TemplateWriter::write() const {
  QStringList out;
  const ReportPaper& p = r_.paper;
  const TemplateVersion current;
  out << Join({QStringLiteral("I"), N(0), QuotedField(r_.Popis)});
  out << Join({QStringLiteral("I"), N(1), N(current.major), N(current.minor), N(current.build)});
  out << Join({QStringLiteral("I"), N(2), N(p.orientation), N(p.width), N(p.height), N(p.marginLeft),
               N(p.marginRight), N(p.marginTop), N(p.marginBottom), N(p.columns), N(p.columnGap), N(r_.paperExtra)});
  for (int s = 0; s < kFixedSectionCount; ++s)
    out << Join({QStringLiteral("I"), N(3), N(s), B(r_.sections[s].visible), N(r_.sections[s].height),
                 N(r_.pagination.sectionBits(s))});
  for (const TPolSkup& g : r_.groups) {
    const QString column = g.columnName.isEmpty() ? N(g.columnIndex) : PlainField(g.columnName);
    out << Join({QStringLiteral("I"), N(4), N(g.index), column, B(g.startBand.visible), N(g.startBand.height),
                 B(g.endBand.visible), N(g.endBand.height), B(g.newPage)});
  }
  out << Join({QStringLiteral("I"), N(5), N(r_.designerValue)});
  const TemplateRaster& ra = r_.raster;
  out << Join({QStringLiteral("I"), N(6), N(ra.type), N(ra.gridX), N(ra.gridY), N(ra.linePitch), N(ra.charPitch),
               N(ra.designerFlag1), N(ra.designerFlag2)});
  const TemplateBackground& bg = r_.background;
  out << Join({QStringLiteral("I"), N(7), B(bg.own), B(bg.print), N(bg.flag), N(bg.left), N(bg.top), N(bg.width),
               N(bg.height), QuotedField(bg.picture)});
  for (int i = 0; i < r_.functions.count(); ++i) {
    const TRadekFunkce& f = r_.functions[i];
    out << Join({QStringLiteral("F"), N(i), PlainField(f.name), QuotedField(f.description), N(f.type),
                 QuotedField(f.initialValue), N(f.resetScope), QuotedField(f.expression), N(f.aggregation),
                 N(f.precision), N(f.decimals), N(f.format)});
  }
  for (int s = 0; s < kFixedSectionCount; ++s)
    for (const TReportElement& e : r_.sections[s].elements) out << element(QString(SectionTag(s)), e);
  for (int g = 0; g < r_.groups.count(); ++g) {
    for (const TReportElement& e : r_.groups[g].startBand.elements) out << element(u'S' + N(g), e);
    for (const TReportElement& e : r_.groups[g].endBand.elements) out << element(u'U' + N(g), e);
  }
  for (int d = 0; d < r_.detailCount(); ++d) {
    const QString prefix = u'D' + N(d) + u',';
    for (const QString& line : TemplateWriter(r_.detail(d)).write()) out << prefix + line;
  }
  return out;
}

}  // namespace report
