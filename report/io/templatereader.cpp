#include "report/io/templatereader_p.h"

#include <algorithm>
#include <map>
#include <optional>

#include "report/model/colortable.h"
#include "report/model/reportdefinition.h"
#include "report/model/reportlimits.h"
#include "report/io/systemvariables.h"
#include "report/io/templaterecord.h"

namespace report {
namespace {

bool StartsWithDigit(const QString& s) { return !s.isEmpty() && s.front() >= u'0' && s.front() <= u'9'; }

// The number of a tag made of a letter and a decimal number written without
// leading zeros ("D0", "S12"); nullopt for anything else.
std::optional<int> TagNumber(const QString& tag, QChar letter) {
  if (tag.size() < 2 || tag.front() != letter) return std::nullopt;
  const QStringView digits = QStringView(tag).mid(1);
  if (digits.size() > 6) return std::nullopt;
  for (QChar c : digits)
    if (c < u'0' || c > u'9') return std::nullopt;
  const int n = digits.toInt();
  if (QString::number(n) != digits) return std::nullopt;
  return n;
}

}  // namespace

void TemplateReader::note(const TemplateLine& line, int field, const QString& message) {
  result_.add(line.number, field > 0 ? line.fieldOffset + field : 0, message);
}

int TemplateReader::takeInt(const TemplateLine& line, TemplateRecord& rec, int def) {
  const int field = rec.nextFieldNumber();
  bool malformed = false;
  const int v = rec.takeInt(def, &malformed);
  if (malformed) note(line, field, loadmsg::BadInteger());
  return v;
}

int TemplateReader::clamp(const TemplateLine& line, int field, int v, int lo, int hi) {
  const int c = std::clamp(v, lo, hi);
  if (c != v) note(line, field, loadmsg::OutOfRange());
  return c;
}

void TemplateReader::read(const QList<TemplateLine>& lines) {
  const TemplateVersion keptVersion = r_.version;
  keptPaper_ = r_.paper;
  r_.clearTemplate();
  r_.version = keptVersion;
  readHeaders(lines);

  // Functions first: function elements look up their names in the list.
  for (const TemplateLine& line : lines) {
    if (line.text.size() < 2) continue;
    TemplateRecord rec(line.text);
    if (rec.takeField() == u"F") readFunction(line, rec);
  }
  // Elements of every section, in file order.
  for (const TemplateLine& line : lines) {
    TemplateRecord rec(line.text);
    const QString tag = rec.takeField();
    if (tag.isEmpty() || tag == u"I" || tag == u"F" || tag.front() == u'D') continue;
    if (TOddilSestavy* section = r_.sectionByTag(tag)) {
      readElement(line, rec, *section);
    } else if (TagNumber(tag, u'S') || TagNumber(tag, u'U')) {
      note(line, 1, loadmsg::UnknownGroup());
    }
  }
  readDetails(lines);
  r_.applyColumnLayout();
}

void TemplateReader::readHeaders(const QList<TemplateLine>& lines) {
  // The version decides how the paper record reads, so it is applied first
  // wherever it stands; later records of a subtype override earlier ones.
  QList<std::pair<const TemplateLine*, int>> headers;
  for (const TemplateLine& line : lines) {
    if (line.text.size() < 2) continue;
    TemplateRecord rec(line.text);
    if (rec.takeField() != u"I") continue;
    bool malformed = false;
    const int subtype = rec.takeInt(-1, &malformed);
    if (subtype < 0 || subtype > 7) continue;
    headers.append({&line, subtype});
    if (subtype == 1) readVersion(line, rec);
  }
  for (const auto& [line, subtype] : headers) {
    TemplateRecord rec(line->text);
    rec.takeField();
    rec.takeField();
    switch (subtype) {
      case 0: {
        const QString text = rec.takeField();
        if (!text.isEmpty()) r_.Popis = text;
        break;
      }
      case 2: readPaper(*line, rec); break;
      case 3: readSection(*line, rec); break;
      case 4: readGroup(*line, rec); break;
      case 5: r_.designerValue = takeInt(*line, rec, 0); break;
      case 6: readRaster(*line, rec); break;
      case 7: readBackground(*line, rec); break;
      default: break;
    }
  }
}

void TemplateReader::readVersion(const TemplateLine& line, TemplateRecord& rec) {
  r_.version.major = takeInt(line, rec, 0);
  r_.version.minor = takeInt(line, rec, 0);
  r_.version.build = takeInt(line, rec, 0);
}

void TemplateReader::readPaper(const TemplateLine& line, TemplateRecord& rec) {
  if (r_.isDetail()) return;  // a detail report prints on its parent's paper
  ReportPaper p;
  int f = rec.nextFieldNumber();
  p.orientation = takeInt(line, rec, kPortrait);
  if (p.orientation != kPortrait && p.orientation != kLandscape) p.orientation = clamp(line, f, p.orientation, 0, 0);
  if (r_.version.major > 0) {
    f = rec.nextFieldNumber();
    p.width = takeInt(line, rec, ReportPaper{}.width);
    if (p.width <= 0) p.width = clamp(line, f, p.width, ReportPaper{}.width, ReportPaper{}.width);
    p.width = clamp(line, f, p.width, 1, kMaxPaperLength);
    f = rec.nextFieldNumber();
    p.height = takeInt(line, rec, ReportPaper{}.height);
    if (p.height <= 0) p.height = clamp(line, f, p.height, ReportPaper{}.height, ReportPaper{}.height);
    p.height = clamp(line, f, p.height, 1, kMaxPaperLength);
  } else {
    // Templates of version 0 do not store the paper size: the previous one stays.
    p.width = keptPaper_.width;
    p.height = keptPaper_.height;
  }
  const int marginField = rec.nextFieldNumber();
  for (int* m : {&p.marginLeft, &p.marginRight, &p.marginTop, &p.marginBottom}) {
    f = rec.nextFieldNumber();
    *m = clamp(line, f, takeInt(line, rec, 0), 0, kMaxPaperLength);
  }
  f = rec.nextFieldNumber();
  p.columns = clamp(line, f, takeInt(line, rec, 1), 1, kMaxPrintColumns);
  f = rec.nextFieldNumber();
  p.columnGap = clamp(line, f, takeInt(line, rec, 0), 0, kMaxPaperLength);
  r_.paperExtra = takeInt(line, rec, 0);
  if (p.clamp()) note(line, marginField, loadmsg::OutOfRange());
  r_.paper = p;
}

void TemplateReader::readSection(const TemplateLine& line, TemplateRecord& rec) {
  const int f = rec.nextFieldNumber();
  bool malformed = false;
  const int s = rec.takeInt(-1, &malformed);
  if (s < 0 || s >= kFixedSectionCount) {
    note(line, f, loadmsg::UnknownSection());
    return;
  }
  TOddilSestavy& section = r_.sections[s];
  section.visible = takeBool(line, rec, false);
  const int hf = rec.nextFieldNumber();
  section.height = clamp(line, hf, takeInt(line, rec, 0), 0, kMaxLength);
  r_.pagination.setSectionBits(s, takeInt(line, rec, 0));
}

void TemplateReader::readGroup(const TemplateLine& line, TemplateRecord& rec) {
  const int f = rec.nextFieldNumber();
  bool malformed = false;
  TPolSkup g;
  g.index = rec.takeInt(-1, &malformed);
  if (malformed || g.index < 0) {
    note(line, f, loadmsg::BadInteger());
    return;
  }
  if (g.index >= kMaxGroups) {
    note(line, f, loadmsg::TooManyGroups());
    return;
  }
  const int cf = rec.nextFieldNumber();
  const QString column = rec.takeField();
  if (column.isEmpty() || StartsWithDigit(column)) {
    const std::optional<int> v = ParseRecordInt(column);
    if (!column.isEmpty() && !v) note(line, cf, loadmsg::BadInteger());
    g.columnIndex = v.value_or(0);
  } else {
    g.columnName = column;
    g.columnIndex = FindColumn(fieldNames_, column);
    if (g.columnIndex < 0) note(line, cf, loadmsg::UnknownColumn());
  }
  g.startBand.visible = takeBool(line, rec, false);
  int hf = rec.nextFieldNumber();
  g.startBand.height = clamp(line, hf, takeInt(line, rec, 0), 0, kMaxLength);
  g.endBand.visible = takeBool(line, rec, false);
  hf = rec.nextFieldNumber();
  g.endBand.height = clamp(line, hf, takeInt(line, rec, 0), 0, kMaxLength);
  g.newPage = takeBool(line, rec, false);
  if (r_.groups.count() >= kMaxGroups) {
    note(line, f, loadmsg::TooManyGroups());
    return;
  }
  r_.groups.set(g);
  for (int i = 0; i < r_.groups.count(); ++i) {
    r_.groups[i].startBand.index = kFirstGroupSection + 2 * i;
    r_.groups[i].endBand.index = kFirstGroupSection + 2 * i + 1;
  }
}

void TemplateReader::readRaster(const TemplateLine& line, TemplateRecord& rec) {
  TemplateRaster& r = r_.raster;
  r.type = takeInt(line, rec, kRasterGraphic) == kRasterCharacter ? kRasterCharacter : kRasterGraphic;
  for (int* grid : {&r.gridX, &r.gridY}) {
    const int f = rec.nextFieldNumber();
    *grid = takeInt(line, rec, 8);
    if (*grid < 1) *grid = clamp(line, f, *grid, 8, 8);
    *grid = clamp(line, f, *grid, 1, kMaxLength);
  }
  r.linePitch = takeInt(line, rec, 0);
  r.charPitch = takeInt(line, rec, 1);
  r.designerFlag1 = takeInt(line, rec, 0);
  r.designerFlag2 = takeInt(line, rec, 0);
  r.applyCharacterGrid();
}

void TemplateReader::readBackground(const TemplateLine& line, TemplateRecord& rec) {
  TemplateBackground& b = r_.background;
  b.own = takeBool(line, rec, false);
  b.print = takeBool(line, rec, false);
  b.flag = takeInt(line, rec, 0);
  int f = rec.nextFieldNumber();
  b.left = clamp(line, f, takeInt(line, rec, 0), -kMaxLength, kMaxLength);
  f = rec.nextFieldNumber();
  b.top = clamp(line, f, takeInt(line, rec, 0), -kMaxLength, kMaxLength);
  f = rec.nextFieldNumber();
  b.width = clamp(line, f, takeInt(line, rec, 0), 0, kMaxLength);
  f = rec.nextFieldNumber();
  b.height = clamp(line, f, takeInt(line, rec, 0), 0, kMaxLength);
  b.picture = rec.takeField();
}

void TemplateReader::readFunction(const TemplateLine& line, TemplateRecord& rec) {
  TRadekFunkce fn;
  rec.takeField();  // position when written; not used
  fn.name = rec.takeField();
  fn.description = rec.takeField();
  int f = rec.nextFieldNumber();
  fn.type = takeInt(line, rec, kFunctionNumeric);
  if (fn.type != kFunctionNumeric && fn.type != kFunctionText) fn.type = clamp(line, f, fn.type, 0, 0);
  fn.initialValue = rec.takeField();
  f = rec.nextFieldNumber();
  fn.resetScope = clamp(line, f, takeInt(line, rec, kResetReport), 0, kResetFirstGroup + kMaxGroups - 1);
  fn.expression = rec.takeField();
  f = rec.nextFieldNumber();
  fn.aggregation = takeInt(line, rec, kAggNone);
  if (fn.aggregation < 0 || fn.aggregation >= kAggregationCount) fn.aggregation = clamp(line, f, fn.aggregation, 0, 0);
  f = rec.nextFieldNumber();
  fn.precision = clamp(line, f, takeInt(line, rec, 0), 0, kMaxDecimals);
  f = rec.nextFieldNumber();
  fn.decimals = clamp(line, f, takeInt(line, rec, 0), 0, kMaxDecimals);
  f = rec.nextFieldNumber();
  fn.format = takeInt(line, rec, kDefaultNumberFormat);
  if (fn.format < 0 || fn.format >= kNumberFormatCount) {
    note(line, f, loadmsg::OutOfRange());
    fn.format = kDefaultNumberFormat;
  }
  if (r_.functions.count() >= kMaxFunctions && r_.functions.indexOf(fn.name) < 0) {
    note(line, 0, loadmsg::TooManyFunctions());
    return;
  }
  if (!r_.functions.add(fn)) note(line, 3, loadmsg::DuplicateFunction());
}

void TemplateReader::readElement(const TemplateLine& line, TemplateRecord& rec, TOddilSestavy& section) {
  if (budget_.elements >= kMaxTemplateElements) {
    note(line, 0, loadmsg::TooManyElements());
    return;
  }
  ++budget_.elements;
  TReportElement e;
  int f = rec.nextFieldNumber();
  bool malformed = false;
  e.kind = rec.takeInt(0, &malformed);
  if (!IsKnownKind(e.kind)) {
    note(line, f, loadmsg::UnknownKind());
    return;
  }
  const int refField = rec.nextFieldNumber();
  if (IsTextKind(e.kind)) {
    const QString ref = rec.takeField();
    const bool named = (e.kind == kElementColumn || e.kind == kElementCaption || e.kind == kElementFunction) &&
                       !ref.isEmpty() && !StartsWithDigit(ref);
    if (named) {
      e.name = ref.left(kMaxElementNameLength);
      if (ref.size() > kMaxElementNameLength) note(line, refField, loadmsg::NameTooLong());
      e.index = e.kind == kElementFunction ? r_.functions.indexOf(e.name) : FindColumn(fieldNames_, e.name);
      // The name stays, so that saving keeps it; the element prints empty text.
      if (e.index < 0)
        note(line, refField, e.kind == kElementFunction ? loadmsg::UnknownFunction() : loadmsg::UnknownColumn());
    } else {
      const std::optional<int> v = ParseRecordInt(ref);
      if (!ref.isEmpty() && !v) note(line, refField, loadmsg::BadInteger());
      e.index = v.value_or(0);
      if ((e.kind == kElementColumn || e.kind == kElementCaption) && (e.index < 0 || e.index >= fieldNames_.size()))
        e.index = clamp(line, refField, e.index, 0, 0);
      if (e.index < 0) e.index = clamp(line, refField, e.index, 0, 0);
    }
  } else {
    e.index = takeInt(line, rec, 0);
    if (e.kind == kElementRectangle || e.kind == kElementRoundRect || e.kind == kElementEllipse) e.index = e.kind;
  }
  for (int* v : {&e.left, &e.top}) {
    f = rec.nextFieldNumber();
    *v = clamp(line, f, takeInt(line, rec, 0), -kMaxLength, kMaxLength);
  }
  for (int* v : {&e.width, &e.height}) {
    f = rec.nextFieldNumber();
    *v = clamp(line, f, takeInt(line, rec, 0), 0, kMaxLength);
  }
  if (e.kind == kElementDetail) {
    if (e.index < 0) e.index = clamp(line, refField, e.index, 0, 0);
    section.elements.append(e);
    return;
  }
  auto colour = [&](int& target) {
    const int cf = rec.nextFieldNumber();
    const int v = takeInt(line, rec, 0);
    target = ClampColorIndex(v);
    if (target != v) note(line, cf, loadmsg::OutOfRange());
  };
  auto extras = [&] {
    for (int k = 0; k < 3; ++k) {
      f = rec.nextFieldNumber();
      const int v = takeInt(line, rec, 0);
      e.extra[static_cast<std::size_t>(k)] = k == 1 ? clamp(line, f, v, -360, 360) : v;
    }
  };
  if (IsTextKind(e.kind)) {
    e.font.name = rec.takeField();
    f = rec.nextFieldNumber();
    e.font.size = takeInt(line, rec, kDefaultFontSize);
    if (e.font.size < 1) e.font.size = clamp(line, f, e.font.size, kDefaultFontSize, kDefaultFontSize);
    e.font.size = clamp(line, f, e.font.size, 1, kMaxFontSize);
    colour(e.font.color);
    f = rec.nextFieldNumber();
    e.font.style = takeInt(line, rec, 0);
    if ((e.font.style & ~kFontStyleMask) != 0) {
      note(line, f, loadmsg::OutOfRange());
      e.font.style &= kFontStyleMask;
    }
    f = rec.nextFieldNumber();
    const int align = takeInt(line, rec, 0);
    e.alignment = align & 3;
    e.flags = align & ~3;
    if (e.alignment > kAlignCenter) e.alignment = clamp(line, f, e.alignment, 0, 0);
    e.frame = takeInt(line, rec, 0);
    f = rec.nextFieldNumber();
    e.font.charset = clamp(line, f, takeInt(line, rec, kCharsetAnsi), 0, 255);
    e.text = rec.takeField();
    extras();
    if (e.kind == kElementVariable && IsOldVariableNumbering(r_.version.major, r_.version.build) &&
        e.index >= kVarPageCount)
      ++e.index;
  } else {
    rec.takeField();  // empty
    f = rec.nextFieldNumber();
    e.penWidth = takeInt(line, rec, 1);
    if (e.penWidth < 0) e.penWidth = clamp(line, f, e.penWidth, 1, 1);
    e.penWidth = clamp(line, f, e.penWidth, 0, kMaxLength);
    colour(e.penColor);
    f = rec.nextFieldNumber();
    e.penStyle = takeInt(line, rec, e.kind == kElementBarcode ? kDefaultBarcodeType : kPenSolid);
    if (e.kind == kElementBarcode) e.penStyle = clamp(line, f, e.penStyle, 0, kBarcodeTypeCount - 1);
    else e.penStyle = clamp(line, f, e.penStyle, 0, 8);
    if (e.kind == kElementLine && e.penWidth > 1) e.penStyle = kPenSolid;
    e.frame = takeInt(line, rec, 0);
    colour(e.fillColor);
    f = rec.nextFieldNumber();
    e.fillStyle = takeInt(line, rec, 0);
    if (e.kind == kElementPaintBox) e.fillStyle = clamp(line, f, e.fillStyle, 1, 6);
    else e.fillStyle = clamp(line, f, e.fillStyle, 0, 7);
    if (e.kind == kElementPicture || e.kind == kElementBarcode) e.text = rec.takeField();
    if (e.kind == kElementBarcode) extras();
  }
  section.elements.append(e);
}

void TemplateReader::readDetails(const QList<TemplateLine>& lines) {
  std::map<int, QList<TemplateLine>> byDetail;
  for (const TemplateLine& line : lines) {
    TemplateRecord rec(line.text);
    const QString tag = rec.takeField();
    const std::optional<int> d = TagNumber(tag, u'D');
    if (!d) continue;
    if (*d >= kMaxDetails) {
      note(line, 1, loadmsg::TooManyDetails());
      continue;
    }
    byDetail[*d].append({line.number, line.fieldOffset + 1, rec.remainder()});
  }
  if (byDetail.empty()) return;
  const int wanted = byDetail.rbegin()->first + 1 - r_.detailCount();
  if (wanted > 0 && budget_.detailReports + wanted > kMaxTemplateDetailReports) {
    for (const auto& [d, detailLines] : byDetail) note(detailLines.front(), 0, loadmsg::TooManyDetails());
    return;
  }
  if (!r_.ensureDetail(byDetail.rbegin()->first)) {
    for (const auto& [d, detailLines] : byDetail) note(detailLines.front(), 0, loadmsg::TooDeep());
    return;
  }
  budget_.detailReports += std::max(wanted, 0);
  // A detail report's columns are those of its own data: they are known only when
  // it runs, and its names are looked up then.
  const QStringList empty;
  for (int d = 0; d < r_.detailCount(); ++d) {
    ReportDefinition& detail = r_.detail(d);
    detail.version = r_.version;
    const auto it = byDetail.find(d);
    TemplateReader(detail, empty, result_, budget_).read(it == byDetail.end() ? QList<TemplateLine>{} : it->second);
  }
}

}  // namespace report
