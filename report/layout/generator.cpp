#include "report/layout/generator.h"

#include <algorithm>
#include <cmath>

#include "report/io/formatpattern.h"
#include "report/io/systemvariables.h"
#include "report/layout/richtext.h"
#include "report/layout/textflow.h"

namespace report {

// One report of a run: the main report or a detail, with its run state.
struct ReportGenerator::Frame {
  Frame(ReportDefinition& d, ReportData& dt, Frame* p, bool main)
      : def(d), data(dt), run(d, dt), parent(p), mainRun(main) {}
  ReportDefinition& def;
  ReportData& data;
  ReportRun run;
  Frame* parent;
  bool mainRun;
  bool newPagePending = true;
  int rowCount = 0;
  QStringList loadedRow;  // the column texts of the row loaded last
  std::vector<bool> marked;  // groups changed at the current group break
};

namespace {

bool IsVariableHeight(const TReportElement& e) { return IsTextKind(e.kind) && (e.flags & kFlagVariableHeight); }

bool IsGrower(const TReportElement& e, bool body) {
  return IsVariableHeight(e) || (body && e.kind == kElementDetail);
}

int FlowAlignmentOf(const TReportElement& e) {
  if (e.flags & kFlagJustify) return kFlowJustify;
  switch (e.alignment & 3) {
    case kAlignRight: return kFlowRight;
    case kAlignCenter: return kFlowCenter;
    default: return kFlowLeft;
  }
}

QList<FlowParagraph> RichParagraphs(const QString& text, const TReportElement& e) {
  const RichText rich = ParseRichText(text);
  QList<FlowParagraph> out;
  for (const RichParagraph& p : rich.paragraphs) {
    FlowParagraph fp;
    fp.alignment = p.alignment;
    for (const RichRun& r : p.runs) {
      FlowPiece piece;
      piece.text = r.text;
      piece.font = e.font;
      if (!r.fontName.isEmpty()) piece.font.name = r.fontName;
      if (r.pointSize > 0) piece.font.size = std::clamp(static_cast<int>(std::lround(r.pointSize)), 1, kMaxFontSize);
      piece.font.style = (r.bold ? kFontBold : 0) | (r.italic ? kFontItalic : 0) | (r.underline ? kFontUnderline : 0);
      piece.hasRgb = r.hasColor;
      piece.rgb = r.rgb;
      fp.pieces.append(piece);
    }
    out.append(fp);
  }
  return out;
}

}  // namespace

ReportGenerator::ReportGenerator(const TextMeasurer& measurer, GenerateEvents* events, ProgressHook* progress)
    : m_(measurer), events_(events ? events : &noEvents_), progress_(progress) {}

ReportGenerator::~ReportGenerator() = default;

int ReportGenerator::Generate(ReportDefinition& report, ReportData& data, const GenerateOptions& options,
                              TSestVystup& doc) {
  doc.clear();
  doc.paper = report.paper;
  doc.raster = report.raster;
  doc.background = report.background;
  doc_ = &doc;
  opt_ = options;
  if (!opt_.now.isValid()) opt_.now = QDateTime::currentDateTime();
  page_ = overflow_ = 0;
  y_ = x_ = 0;
  column_ = 1;
  bottom_ = report.paper.printableHeight();
  stop_ = cancel_ = forceBreak_ = boundReached_ = false;
  pageFresh_ = true;
  elements_ = rows_ = 0;
  pageTops_.assign(1, 0.0);
  pageCountElements_.clear();
  moduleWidths_.clear();
  doc.pages.append(TStranaPrvku{});

  report.resolveReferences(data.FieldNames);
  Frame frame(report, data, nullptr, true);
  main_ = &frame;
  const int result = run(frame);
  main_ = nullptr;
  doc.StartPage = opt_.StartPage;
  doc.EndPage = opt_.EndPage;
  doc.PrintCopies = opt_.PrintCopies;
  doc.ExportLanguage = opt_.ExportLanguage;
  doc_ = nullptr;
  return result;
}

void ReportGenerator::checkCancel() {
  if (progress_ && progress_->cancelled()) cancel_ = true;
  if (rows_ >= kMaxGeneratedRows || elements_ >= kMaxOutputElements || doc_->pageCount() >= kMaxPages) {
    boundReached_ = true;
    cancel_ = true;
  }
}

int ReportGenerator::run(Frame& f) {
  ReportDefinition& def = f.def;
  const bool main = f.mainRun;
  // 1-2: the first row.
  f.rowCount = 0;
  f.newPagePending = true;
  int step = 0;
  if (main && opt_.TiskJedenZaznam) {
    f.data.FetchRow();
  } else {
    step = f.data.StepRow(sdFirst);
    if (!main && step >= srEof) return 0;
  }
  // 3.
  if (main && progress_) progress_->begin(QStringLiteral("Připravuji tisk položky číslo: "), 1);
  // 4.
  f.run.functions.markResetAll();
  loadRow(f);
  computeFunctions(f);
  // 5. Report start.
  if (main) stop_ = false;
  for (int v = 0; v < f.run.variableCount(); ++v) f.run.setVariable(v, 1);
  const double now = DateTimeToVariable(opt_.now);
  f.run.setVariable(kVarPrintDate, now);
  f.run.setVariable(kVarPrintTime, now);
  const TOddilSestavy& start = def.sections[kSectionStart];
  if (start.visible) outputSection(f, start, Role::Start);
  // 6.
  const auto groupStarts = [&] {
    for (const TPolSkup& g : def.groups)
      if (!cancel_ && g.startBand.visible) outputSection(f, g.startBand, Role::Band);
  };
  if (main && start.visible && def.pagination.BreakAfterStart) {
    if (!halted()) {
      endPage();
      startNewPage(false);
    }
    if (!cancel_) groupStarts();
  } else {
    const TOddilSestavy& header = def.sections[kSectionHeader];
    if (main && header.visible && !def.pagination.NoFirstHeader) outputSection(f, header, Role::Header);
    if (!cancel_) groupStarts();
  }
  // 7. The record loop.
  const TOddilSestavy& body = def.sections[kSectionBody];
  for (;;) {
    if (!f.newPagePending) groupBreak(f);
    if (f.newPagePending && !fits(body.height) && !halted() && !pageFresh_) {
      endPage();
      startNewPage(false);
    }
    if (body.visible) outputSection(f, body, Role::Body);
    if (main) {
      page_ += overflow_;
      overflow_ = 0;
    }
    f.newPagePending = false;
    ++f.rowCount;
    ++rows_;
    if (main && opt_.TiskJedenZaznam) break;
    if (main && opt_.MaxRecords >= 1 && f.rowCount >= opt_.MaxRecords) break;
    step = f.data.StepRow(sdNext);
    if (main && progress_) progress_->update(f.rowCount + 1);
    checkCancel();
    if (halted() || step != srOk) break;
  }
  // 8. End bands, innermost group first.
  if (!cancel_) {
    if (body.columns > 1 && column_ > 1) {
      column_ = 1;
      x_ = 0;
      y_ += body.height;
    }
    for (int g = def.groups.count() - 1; g >= 0; --g)
      if (!cancel_ && def.groups[g].endBand.visible) outputSection(f, def.groups[g].endBand, Role::Band);
  }
  // 9.
  const TOddilSestavy& end = def.sections[kSectionEnd];
  if (main && end.visible && def.pagination.BreakBeforeEnd && !halted()) {
    endPage();
    startNewPage(false);
  }
  // 10.
  if (!cancel_) reportEnd(f);
  if (main && progress_) progress_->end();
  return cancel_ ? 3 : 0;
}

void ReportGenerator::groupBreak(Frame& f) {
  const ReportDefinition& def = f.def;
  const int groups = def.groups.count();
  f.marked.assign(static_cast<std::size_t>(groups), false);
  int first = -1;
  for (int g = 0; g < groups && first < 0; ++g)
    if (f.data.columnText(def.groups[g].columnIndex) != f.run.groupKeys[static_cast<std::size_t>(g)]) first = g;
  bool newPage = false;
  double startHeights = 0;
  const TOddilSestavy& body = def.sections[kSectionBody];
  if (first >= 0) {
    for (int g = first; g < groups; ++g) f.marked[static_cast<std::size_t>(g)] = true;
    if (body.columns > 1 && column_ > 1) {
      column_ = 1;
      x_ = 0;
      y_ += body.height;
    }
    for (int g = groups - 1; g >= first; --g) {
      const TPolSkup& group = def.groups[g];
      if (group.endBand.visible) outputSection(f, group.endBand, Role::Band);
      f.run.functions.markReset(kResetFirstGroup + g);
      newPage = newPage || group.newPage;
      if (group.startBand.visible) startHeights += group.startBand.height;
    }
  }
  if (!newPage && !def.pagination.NewBodyNewPage && fits(body.height + startHeights)) {
    loadRow(f);
    computeFunctions(f);
  } else {
    if (!halted() && !pageFresh_) endPage();
    loadRow(f);
    f.run.functions.markReset(kResetPage);
    computeFunctions(f);
    if (!stop_ && !pageFresh_) startNewPage(false);
  }
  for (int g = std::max(first, 0); first >= 0 && g < groups; ++g) {
    f.run.setVariable(kVarFirstGroup + 2 * g, 1);
    f.run.setVariable(kVarFirstGroup + 1 + 2 * g, f.run.variable(kVarFirstGroup + 1 + 2 * g) + 1);
    f.run.setVariable(kVarFirstGroup + 1 + 2 * (g + 1), 0);
    f.marked[static_cast<std::size_t>(g)] = false;
    if (def.groups[g].startBand.visible) outputSection(f, def.groups[g].startBand, Role::Band);
  }
  if (page_ + 1 > opt_.EndPage) stop_ = true;
}

void ReportGenerator::loadRow(Frame& f) {
  const int columns = f.data.columnCount();
  f.loadedRow.clear();
  f.loadedRow.reserve(columns);
  for (int c = 0; c < columns; ++c) f.loadedRow.append(f.data.columnText(c));
  f.run.setVariable(kVarRow, f.run.variable(kVarRow) + 1);
  for (int g = 0; g < f.def.groups.count(); ++g) {
    f.run.groupKeys[static_cast<std::size_t>(g)] = f.data.columnText(f.def.groups[g].columnIndex);
    f.run.setVariable(kVarFirstGroup + 2 * g, f.run.variable(kVarFirstGroup + 2 * g) + 1);
  }
}

void ReportGenerator::computeFunctions(Frame& f) {
  f.run.computeFunctions();
  events_->OnVypoctiFunkce();
}

void ReportGenerator::reportEnd(Frame& f) {
  const ReportDefinition& def = f.def;
  const TOddilSestavy& end = def.sections[kSectionEnd];
  if (!f.mainRun) {
    if (end.visible) outputSection(f, end, Role::End);
    return;
  }
  const TOddilSestavy& footer = def.sections[kSectionFooter];
  const bool lastFooter = footer.visible && !def.pagination.NoLastFooter;
  if (end.visible) {
    if (def.pagination.EndToFooter) {
      const double target = bottom_ - end.height - (lastFooter ? footer.height : 0);
      if (target < y_ && !halted()) {
        endPage();
        startNewPage(false);
      }
      y_ = std::max(y_, target);
    }
    outputSection(f, end, Role::End);
  }
  if (lastFooter && !stop_) {
    y_ = bottom_ - footer.height;
    outputSection(f, footer, Role::Footer);
  }
  // The page count into every element that shows it.
  const int pages = doc_->pageCount();
  for (const auto& [page, index] : pageCountElements_) {
    TVystPrvek& e = doc_->pages[page].elements[index];
    e.text = e.look.text.isEmpty() ? QString::number(pages)
                                   : FormatValue(e.look.text, FormatArgument::ofInteger(pages), f.data.locale);
  }
}

double ReportGenerator::footerHeight() const {
  const TOddilSestavy& footer = main_->def.sections[kSectionFooter];
  return footer.visible ? footer.height : 0;
}

bool ReportGenerator::fits(double height) const { return bottom_ - footerHeight() - y_ >= height; }

double ReportGenerator::pageTop(int page) const {
  return page >= 0 && page < static_cast<int>(pageTops_.size()) ? pageTops_[static_cast<std::size_t>(page)] : 0;
}

void ReportGenerator::endPage() {
  const TOddilSestavy& footer = main_->def.sections[kSectionFooter];
  if (!footer.visible || stop_) return;
  y_ = bottom_ - footer.height;
  outputSection(*main_, footer, Role::Footer);
}

void ReportGenerator::startNewPage(bool samePage) {
  // No page beyond the last one asked for is ever made.
  if (currentPage() + 1 >= opt_.EndPage) {
    stop_ = true;
    return;
  }
  if (doc_->pageCount() >= kMaxPages) {
    boundReached_ = cancel_ = true;
    return;
  }
  if (samePage) ++overflow_;
  else ++page_;
  while (doc_->pageCount() <= currentPage()) doc_->pages.append(TStranaPrvku{});
  y_ = 0;
  column_ = 1;
  x_ = 0;
  main_->run.setVariable(kVarPage, main_->run.variable(kVarPage) + 1);
  const TOddilSestavy& header = main_->def.sections[kSectionHeader];
  if (header.visible) outputSection(*main_, header, Role::Header);
  forceBreak_ = false;
  // Continued content starts below the header too, never over it.
  pageTops_.resize(static_cast<std::size_t>(currentPage()) + 1, 0.0);
  pageTops_[static_cast<std::size_t>(currentPage())] = y_;
  pageFresh_ = true;
}

bool ReportGenerator::outputSection(Frame& f, const TOddilSestavy& s, Role role) {
  if (stop_) return false;
  bool print = true;
  events_->OnTiskOddilu(s.index, print);
  if (!print) return false;
  const bool noLastFooter = f.def.pagination.NoLastFooter && f.mainRun;
  if (role == Role::Body || role == Role::Band || role == Role::End) {
    // With no last footer the report end may use the footer's place, but stays
    // within the printable area.
    const bool fit = role == Role::End && noLastFooter ? bottom_ - y_ >= s.height : fits(s.height);
    if ((forceBreak_ || !fit) && !pageFresh_ && !halted()) {
      endPage();
      startNewPage(false);
    }
    forceBreak_ = false;
    if (stop_) return false;
  }
  if (role == Role::Header) forceBreak_ = false;
  bool grows = false;
  if (role != Role::Header && role != Role::Footer)
    for (const TReportElement& e : s.elements) grows = grows || IsGrower(e, role == Role::Body);
  if (grows) placeGrowing(f, s);
  else placeFixed(f, s, currentPage(), y_);
  advance(f, s, role);
  if (role != Role::Header && role != Role::Footer) pageFresh_ = false;
  checkCancel();
  return true;
}

void ReportGenerator::advance(Frame& f, const TOddilSestavy& s, Role role) {
  if (role == Role::Body && s.columns > 1) {
    if (column_ >= s.columns) {
      column_ = 1;
      x_ = 0;
      y_ += s.height;
    } else {
      ++column_;
      x_ += static_cast<double>(main_->def.paper.printableWidth() + s.columnGap) / s.columns;
      return;
    }
  } else {
    y_ += s.height;
  }
  const TemplateRaster& raster = main_->def.raster;
  if (raster.type == kRasterCharacter && raster.lineHeight() > 0)
    y_ = std::round(y_ / raster.lineHeight()) * raster.lineHeight();
  (void)f;
}

void ReportGenerator::placeFixed(Frame& f, const TOddilSestavy& s, int page, double y) {
  for (const TReportElement& e : s.elements) {
    if (e.kind == kElementDetail) continue;
    add(page, makeElement(f, e, s.index, y + e.top));
  }
}

// A section that grows is cut into horizontal slices at the top and bottom
// edges of its growing elements; slice by slice it moves down by what the
// growing elements above needed, across pages when they run over one.
void ReportGenerator::placeGrowing(Frame& f, const TOddilSestavy& s) {
  const bool body = s.index == kSectionBody;
  std::vector<int> cuts{0, s.height};
  for (const TReportElement& e : s.elements) {
    if (!IsGrower(e, body)) continue;
    cuts.push_back(std::clamp(e.top, 0, s.height));
    cuts.push_back(std::clamp(e.top + e.height, 0, s.height));
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

  auto later = [](Pos a, Pos b) { return a.page != b.page ? (a.page > b.page ? a : b) : (a.y >= b.y ? a : b); };
  Pos sliceStart{currentPage(), y_};
  Pos furthest = sliceStart;
  std::vector<std::pair<int, Pos>> ends;  // template bottom of a grower, where it ended
  for (std::size_t k = 0; k < cuts.size(); ++k) {
    const int a = cuts[k];
    const bool last = k + 1 == cuts.size();
    const int b = last ? a : cuts[k + 1];
    for (const auto& [bottom, at] : ends)
      if (bottom == a) sliceStart = later(sliceStart, at);
    // A slice that does not fit goes to the next page, below its header.
    if (b > a && bottom_ - footerHeight() - sliceStart.y < b - a && !halted()) {
      if (sliceStart.page < currentPage()) {
        sliceStart = {sliceStart.page + 1, pageTop(sliceStart.page + 1)};
      } else if (!(pageFresh_ && sliceStart.y <= pageTop(sliceStart.page))) {
        endPage();
        startNewPage(true);
        if (stop_ || cancel_) break;
        sliceStart = {currentPage(), y_};
      }
    }
    for (const TReportElement& e : s.elements) {
      const bool inSlice = last ? e.top >= a : (e.top >= a && e.top < b) || (k == 0 && e.top < 0);
      if (!inSlice) continue;
      if (IsGrower(e, body)) {
        const Pos end = placeGrower(f, s, e, {sliceStart.page, sliceStart.y + (e.top - a)});
        ends.emplace_back(std::clamp(e.top + e.height, 0, s.height), end);
        furthest = later(furthest, end);
      } else if (e.kind != kElementDetail) {
        add(sliceStart.page, makeElement(f, e, s.index, sliceStart.y + (e.top - a)));
      }
      if (halted()) break;
    }
    furthest = later(furthest, {sliceStart.page, sliceStart.y + (b - a)});
    if (halted()) break;
    sliceStart = {sliceStart.page, sliceStart.y + (b - a)};
  }
  // The caller moves Y down by the section height: leave Y so that it ends below
  // all that was placed, on the last page reached.
  while (currentPage() < furthest.page) {
    ++overflow_;
    while (doc_->pageCount() <= currentPage()) doc_->pages.append(TStranaPrvku{});
  }
  y_ = (furthest.page == currentPage() ? furthest.y : pageTop(currentPage())) - s.height;
}

ReportGenerator::Pos ReportGenerator::placeGrower(Frame& f, const TOddilSestavy& s, const TReportElement& e, Pos at) {
  // Growing content continues on the newest page.
  if (at.page < currentPage()) at = {currentPage(), pageTop(currentPage())};
  if (e.kind == kElementDetail) {
    const int d = e.index;
    ReportData* data = d >= 0 && d < f.def.detailCount() ? f.data.detailData(d) : nullptr;
    if (!data) return {at.page, at.y + e.height};
    ReportDefinition& detail = f.def.detail(d);
    detail.resolveReferences(data->FieldNames);
    y_ = at.y;
    Frame child(detail, *data, &f, false);
    run(child);
    // The detail's own position is handed back.
    return {currentPage(), std::max(y_, at.y)};
  }
  TVystPrvek whole = makeElement(f, e, s.index, at.y);
  QList<OutputLine> lines = whole.lines;
  if (lines.isEmpty()) {
    add(at.page, std::move(whole));
    return {at.page, at.y + e.height};
  }
  // Line by line, as many as fit on each page; the rest continues on the next.
  int page = at.page;
  double top = at.y;
  qsizetype from = 0;
  for (;;) {
    const double room = bottom_ - footerHeight() - top;
    qsizetype to = from;
    while (to < lines.size() && lines[to].y + lines[to].height - lines[from].y <= room) ++to;
    if (to == from && (pageFresh_ && top <= pageTop(page))) to = from + 1;  // taller than a page: placed anyway
    if (to > from) {
      TVystPrvek part = whole;
      part.lines = lines.mid(from, to - from);
      const double shift = part.lines.first().y;
      for (OutputLine& l : part.lines) l.y -= shift;
      part.top = static_cast<int>(std::lround(top));
      part.height = static_cast<int>(std::ceil(LinesHeight(part.lines)));
      if (to == lines.size()) part.height = std::max(part.height, e.height);
      add(page, std::move(part));
    }
    if (to >= lines.size()) {
      const double height = LinesHeight(lines) - lines[from].y;
      return {page, top + std::max(height, from == 0 ? static_cast<double>(e.height) : height)};
    }
    if (page < currentPage()) {
      page = page + 1;
      top = pageTop(page);
    } else {
      endPage();
      startNewPage(true);
      if (halted()) return {currentPage(), y_};
      page = currentPage();
      top = y_;
    }
    from = to;
    pageFresh_ = true;
  }
}

QString ReportGenerator::elementText(Frame& f, const TReportElement& e, bool* pageCount) {
  const ReportLocale& locale = f.data.locale;
  const auto formatted = [&](const QString& value) {
    return e.text.isEmpty() ? value : FormatValue(e.text, FormatArgument::ofText(value), locale);
  };
  switch (e.kind) {
    case kElementText: return e.text;
    case kElementColumn:
      return formatted(e.index >= 0 && e.index < f.loadedRow.size() ? f.loadedRow.at(e.index)
                                                                     : f.data.columnText(e.index));
    case kElementCaption: return formatted(f.data.columnCaption(e.index));
    case kElementParameter: return formatted(f.data.parameterText(e.index));
    case kElementVariable:
      if (e.index == kVarPageCount) {
        *pageCount = true;
        return {};
      }
      if (e.index == kVarPage) return SystemVariableText(e.index, main_->run.variable(kVarPage), e.text, locale);
      return SystemVariableText(e.index, f.run.variable(e.index), e.text, locale);
    case kElementFunction: {
      if (e.index < 0 || e.index >= f.run.functions.count()) return {};
      const FunctionState& fn = f.run.functions[e.index];
      if (!e.text.isEmpty() && fn.definition().type == kFunctionNumeric && fn.hasValue)
        return FormatValue(e.text, FormatArgument::ofFloat(fn.value), locale);
      return f.run.functionText(e.index);
    }
    default: return e.text;
  }
}

TVystPrvek ReportGenerator::makeElement(Frame& f, const TReportElement& e, int section, double top) {
  TVystPrvek out;
  out.look = e;
  out.section = section;
  out.left = static_cast<int>(std::lround(x_)) + e.left;
  out.top = static_cast<int>(std::lround(top));
  out.width = e.width;
  out.height = e.height;
  if (IsTextKind(e.kind)) {
    out.text = elementText(f, e, &out.showsPageCount);
    const bool rich = (e.flags & kFlagRichText) && IsRichText(out.text);
    const bool wrap = (e.flags & (kFlagVariableHeight | kFlagJustify)) != 0;
    if (e.rotation() == 0 && (rich || wrap || out.text.contains(u'\n'))) {
      const QList<FlowParagraph> paragraphs =
          rich ? RichParagraphs(out.text, e) : PlainParagraphs(out.text, e.font, FlowAlignmentOf(e));
      out.lines = FlowText(paragraphs, e.width, rich || wrap, m_);
      if (rich) out.text = ParseRichText(out.text).plainText();
      if (e.flags & kFlagVariableHeight)
        out.height = std::max(e.height, static_cast<int>(std::ceil(LinesHeight(out.lines))));
    }
  } else if (e.kind == kElementBarcode) {
    const QByteArray latin = e.text.toLatin1();
    auto pattern = std::make_shared<barcode::BarcodePattern>(barcode::EncodeBarcode(
        e.barcodeType(), std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())),
        (e.frame & kBarcodeCheckDigit) != 0));
    out.text = QString::fromLatin1(pattern->encodedText.data(), static_cast<qsizetype>(pattern->encodedText.size()));
    out.barcode = std::move(pattern);
    out.moduleWidth = moduleWidths_[&e].accept(e.barWidth());
  } else {
    out.text = e.text;
  }
  return out;
}

void ReportGenerator::add(int page, TVystPrvek&& e) {
  if (page < 0) return;
  while (doc_->pageCount() <= page) doc_->pages.append(TStranaPrvku{});
  QList<TVystPrvek>& list = doc_->pages[page].elements;
  if (e.showsPageCount) pageCountElements_.emplace_back(page, static_cast<int>(list.size()));
  list.append(std::move(e));
  ++elements_;
}

}  // namespace report
