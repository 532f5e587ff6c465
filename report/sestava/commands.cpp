#include "report/sestava/commands.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQueryModel>

#include <atomic>
#include <cmath>
#include <memory>

#include "fileio/qtfile.h"
#include "report/barcode/barcode.h"
#include "report/io/templatefile.h"
#include "report/io/templatetext.h"
#include "report/render/metafileexport.h"
#include "report/render/pdfexport.h"

using namespace Qt::StringLiterals;

namespace report::tool {
namespace {

// The component with one more operation: generating without any output, for
// runs whose outputs are made from the document afterwards.
class ToolReport : public TSestava {
 public:
  int Generate() { return run(Operation::Export, {}); }
};

// A read-only SQLite connection of its own and a query model over it; the
// connection is removed with the model.
class SqliteData {
 public:
  SqliteData() : name_(u"sestava-"_s + QString::number(++counter_)) {}
  ~SqliteData() {
    model_.reset();
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
  }
  SqliteData(const SqliteData&) = delete;
  SqliteData& operator=(const SqliteData&) = delete;

  // Opens the file and runs the query: 0, or the exit status with the message given.
  int open(const QString& path, const QString& sql, Console& console) {
    if (!QSqlDatabase::isDriverAvailable(u"QSQLITE"_s)) {
      console.error(u"the SQLite driver of Qt (QSQLITE) is not installed"_s);
      return seDataNotReady;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
      console.error(u"%1: no such file"_s.arg(path));
      return kExitBadInput;
    }
    if (!info.isFile()) {
      console.error(u"%1: not a regular file"_s.arg(path));
      return kExitBadInput;
    }
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name_);
      db.setDatabaseName(info.absoluteFilePath());
      db.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
      if (!db.open()) {
        console.error(u"%1: %2"_s.arg(path, db.lastError().text()));
        return kExitBadInput;
      }
    }
    model_ = std::make_unique<QSqlQueryModel>();
    source = SqlQuerySource(model_.get(), sql, name_);
    if (!source.open()) {
      console.error(u"the query failed: %1"_s.arg(model_->lastError().text()));
      return seDataNotReady;
    }
    return 0;
  }

  TDataSource source;

 private:
  static inline std::atomic<int> counter_{0};
  QString name_;
  std::unique_ptr<QSqlQueryModel> model_;
};

// The line of a failed run when the engine has not said why itself.
QString FailureMessage(int code, const QString& lastError) {
  switch (code) {
    case seCancelled: return u"the run stopped at a limit of the report engine"_s;
    case seTemplateNotLoaded: return u"the template could not be loaded"_s;
    case seDataNotReady: return u"the data source is not ready"_s;
    case sePrintFailed:
      return lastError.isEmpty() ? u"the text output could not be written"_s
                                 : u"cannot write the text output: %1"_s.arg(lastError);
    default: return u"the run failed with code %1"_s.arg(code);
  }
}

// PDF, page images and metafiles of the pages asked for, from the document of the run.
int WriteOutputs(ToolReport& report, const RunArguments& a, Console& console) {
  const TSestVystup& doc = report.document();
  const int from = a.startPage, to = std::min(a.endPage, doc.pageCount());
  const RenderHooks hooks = report.renderHooks();
  QString why;
  const auto failed = [&](const QString& message) {
    console.error(message);
    return static_cast<int>(sePrintFailed);
  };
  const bool pagesAsked = !a.pdfPath.isEmpty() || !a.pngDir.isEmpty() || !a.emfBase.isEmpty() || !a.wmfBase.isEmpty();
  // A range past the last page gives no page: say so instead of writing an empty
  // document and reporting success.
  if (pagesAsked && from > to)
    return failed(u"no page in the range %1-%2: the report has %3 pages"_s.arg(from).arg(a.endPage).arg(doc.pageCount()));
  if (!a.pdfPath.isEmpty()) {
    const QByteArray pdf = PdfOfPages(doc, from, to, report.definition().Popis, hooks);
    if (pdf.isEmpty()) return failed(u"%1: the PDF could not be made"_s.arg(a.pdfPath));
    if (!fileio::SaveFile(a.pdfPath, pdf, {}, &why)) return failed(why);
  }
  if (!a.pngDir.isEmpty() && from <= to) {
    const double scale = a.dpi / 100.0;
    if (std::ceil(doc.paper.pageWidth() * scale) * std::ceil(doc.paper.pageHeight() * scale) > kMaxImagePixels)
      return failed(u"the pages are too large for images at %1 dpi"_s.arg(a.dpi));
    if (!QDir().mkpath(a.pngDir)) return failed(u"%1: cannot create the directory"_s.arg(a.pngDir));
    const PageRenderer renderer(hooks);
    for (int page = from; page <= to; ++page) {
      const QImage image = renderer.pageImage(doc, page - 1, a.dpi);
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      if (image.isNull() || !image.save(&buffer, "PNG")) return failed(u"page %1: the image could not be made"_s.arg(page));
      if (!fileio::SaveFile(QDir(a.pngDir).filePath(u"page-%1.png"_s.arg(page)), png, {}, &why)) return failed(why);
      console.progress(u"page"_s, page);
    }
  }
  const std::pair<const QString*, MetafileDevice::Format> metafiles[] = {
      {&a.emfBase, MetafileDevice::Format::Enhanced}, {&a.wmfBase, MetafileDevice::Format::Placeable}};
  for (const auto& [base, format] : metafiles) {
    if (base->isEmpty()) continue;
    for (int page = from; page <= to; ++page) {
      if (!fileio::SaveFile(MetafilePageName(*base, page, format), PageMetafile(doc, page - 1, format, hooks), {}, &why))
        return failed(why);
      console.progress(u"page"_s, page);
    }
  }
  return seOk;
}

// "FILE, line N: message" (arguments substituted at once: a '%' in a file name stays).
QString CsvErrorLine(const QString& path, const CsvError& error) {
  return u"%1, line %2: %3"_s.arg(path, QString::number(error.line), error.message);
}

QString ElementToken(const barcode::PatternElement& e) {
  const QChar kind = e.kind == barcode::ElementKind::Bar ? u'B' : e.kind == barcode::ElementKind::Space ? u'S' : u's';
  return e.wide ? QString(kind) + u'w' : QString(kind) + QString::number(e.modules);
}

}  // namespace

int CsvRowSource::step(int dir) {
  const qsizetype count = table_.rowCount();
  switch (dir) {
    case sdFirst: row_ = 0; return count == 0 ? srBofEof : srBof;
    case sdPrior:
      if (row_ <= 0) return srBof;
      --row_;
      return srOk;
    case sdNext:
      if (row_ + 1 >= count) return srEof;
      ++row_;
      return srOk;
    case sdLast: row_ = count > 0 ? count - 1 : 0; return count == 0 ? srBofEof : srEof;
    default: return srOk;
  }
}

QStringList CsvRowSource::values() const {
  if (row_ < table_.rowCount()) return table_.row(row_);
  return QStringList(table_.columnCount(), QString());
}

void CsvRowSource::attach(TSestavaD& report) {
  report.FieldNames = table_.fieldNames();
  report.FieldLabels = table_.fieldNames();
  report.OnStepData = [this](TSestavaD&, int dir) { return step(dir); };
  report.OnGetData = [this](TSestavaD& sender) { sender.RowValues = values(); };
}

int RunReport(const RunArguments& a, QIODevice& out, Console& console) {
  const ConsoleMessages messages(console);
  // The data first: a bad file ends the run before anything is written.
  CsvTable table;
  if (!a.dataPath.isEmpty()) {
    QByteArray bytes;
    QString why;
    if (fileio::ReadRegularFile(a.dataPath, kMaxCsvFileBytes, &bytes, &why) != fileio::ReadStatus::kOk) {
      console.error(why);
      return kExitBadInput;
    }
    CsvError error;
    if (!ParseCsv(bytes, &table, &error)) {
      console.error(CsvErrorLine(a.dataPath, error));
      return kExitBadInput;
    }
  }
  CsvRowSource rows(table);
  SqliteData sql;
  ToolReport report;
  if (!a.sqlitePath.isEmpty()) {
    if (const int status = sql.open(a.sqlitePath, a.query, console)) return status;
    report.DataSource = &sql.source;
  } else {
    rows.attach(report);
  }

  // The template: a ".pts" file through the component's own loading from its
  // directory; any other name is handed over as a stored template. It is read
  // here first in either case, so that a failure names the file.
  const QFileInfo info(a.templatePath);
  QStringList lines;
  const LoadResult read = ReadTemplateFile(info.absoluteFilePath(), &lines);
  if (!read.ok) {
    const QString message = read.error().message;
    console.error(message.contains(info.absoluteFilePath()) ? message : a.templatePath + u": "_s + message);
    return seTemplateNotLoaded;
  }
  report.setProgramDirectory(info.absolutePath());  // pictures next to the template
  if (info.suffix() == u"pts") {
    report.ReportDirIgnore = false;
    report.setReportDir(info.absolutePath());
    report.setReportName(info.fileName());
  } else {
    report.IsStored = true;
    report.Predloha = lines;
  }

  report.Parametry = a.parameters;
  report.StartPage = static_cast<quint16>(a.startPage);
  report.EndPage = static_cast<quint16>(a.endPage);
  report.MaxRecords = a.maxRecords;
  report.TiskJedenZaznam = a.oneRecord;
  report.ExportLanguage = a.codepage;
  report.progressFactory = [&console] { return std::make_unique<RowProgress>(console); };

  const int errorsBefore = console.errorCount();
  int code = seOk;
  if (a.textToStdout()) code = report.PrintToStream(out);
  else if (!a.textPath.isEmpty()) code = report.PrintToFile(a.textPath);
  else code = report.Generate();
  if (code == seOk) code = WriteOutputs(report, a, console);
  console.endProgress();
  if (code != seOk && console.errorCount() == errorsBefore) console.error(FailureMessage(code, report.lastError()));
  return code;
}

QString DescribeBarcode(const BarcodeArguments& a) {
  const QByteArray latin = a.text.toLatin1();
  const barcode::BarcodePattern pattern =
      barcode::EncodeBarcode(a.type, std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())), a.checkDigit);
  if (a.modules) return QString::fromLatin1(barcode::PatternToModules(pattern, a.ratio)) + u'\n';
  const std::string_view name = barcode::BarcodeTypeName(a.type);
  QStringList elements;
  for (const barcode::PatternElement& e : pattern.elements) elements.append(ElementToken(e));
  return u"type: %1 %2\ntext: %3\nmodules: %4\nelements: %5\n"_s.arg(
      QString::number(a.type), QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
      QString::fromLatin1(pattern.encodedText.data(), static_cast<qsizetype>(pattern.encodedText.size())),
      QString::number(barcode::PatternWidthModules(pattern, a.ratio)), elements.join(u' '));
}

int RunBarcode(const BarcodeArguments& a, QIODevice& out, Console& console) {
  const QByteArray latin = a.text.toLatin1();
  if (barcode::EncodeBarcode(a.type, std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())),
                             a.checkDigit)
          .elements.empty()) {
    console.error(u"barcode: nothing in the text that this symbology can encode"_s);
    return kExitBadInput;
  }
  const QByteArray text = DescribeBarcode(a).toUtf8();
  if (out.write(text) != text.size()) {
    console.error(u"cannot write the output: %1"_s.arg(out.errorString()));
    return kExitBadInput;
  }
  return kExitOk;
}

int RunCheck(const CheckArguments& a, QIODevice& out, Console& console) {
  QStringList names = a.fields;
  if (!a.dataPath.isEmpty()) {
    QByteArray bytes;
    QString why;
    CsvTable table;
    CsvError error;
    if (fileio::ReadRegularFile(a.dataPath, kMaxCsvFileBytes, &bytes, &why) != fileio::ReadStatus::kOk) {
      console.error(why);
      return kExitBadInput;
    }
    if (!ParseCsv(bytes, &table, &error)) {
      console.error(CsvErrorLine(a.dataPath, error));
      return kExitBadInput;
    }
    names = table.fieldNames();
  }
  // Without a list of columns their names cannot be checked.
  const bool checkNames = a.fieldsGiven || !a.dataPath.isEmpty();

  QStringList lines;
  const LoadResult read = ReadTemplateFile(a.templatePath, &lines);
  if (!read.ok) {
    console.error(read.error().message);
    return kExitBadInput;
  }
  ReportDefinition definition;
  const LoadResult parsed = ParseTemplate(definition, lines, names);
  QString text;
  for (const LoadResult* result : {&read, &parsed})
    for (const LoadIssue& issue : result->issues) {
      if (!checkNames && issue.message == loadmsg::UnknownColumn()) continue;
      text += issue.field > 0
                  ? u"line %1, field %2: %3\n"_s.arg(QString::number(issue.line), QString::number(issue.field), issue.message)
                  : u"line %1: %2\n"_s.arg(QString::number(issue.line), issue.message);
    }
  const QByteArray bytes = text.toUtf8();
  if (out.write(bytes) != bytes.size()) {
    console.error(u"cannot write the output: %1"_s.arg(out.errorString()));
    return kExitBadInput;
  }
  return text.isEmpty() ? kExitOk : kExitBadInput;
}

int RunTool(const QStringList& args, QIODevice& out, QIODevice& err) {
  Arguments parsed;
  QString error;
  if (!ParseArguments(args, &parsed, &error)) {
    if (args.isEmpty()) {
      out.write(UsageText().toUtf8());
    } else {
      err.write((error + u'\n' + ShortUsageText()).toUtf8());
    }
    return kExitUsage;
  }
  switch (parsed.command) {
    case Command::Help: {
      const QByteArray usage = UsageText().toUtf8();
      return out.write(usage) == usage.size() ? kExitOk : kExitBadInput;
    }
    case Command::Run: {
      Console console(err, parsed.run.quiet);
      return RunReport(parsed.run, out, console);
    }
    case Command::Barcode: {
      Console console(err, false);
      return RunBarcode(parsed.barcode, out, console);
    }
    case Command::Check: {
      Console console(err, false);
      return RunCheck(parsed.check, out, console);
    }
  }
  return kExitUsage;
}

}  // namespace report::tool
