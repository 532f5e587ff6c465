#include "report/print/qtprinterport.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <QFileInfo>

#include "fileio/qtfile.h"
#include "report/print/qtprinterport_p.h"
#include "report/print/spooler_p.h"

using namespace Qt::StringLiterals;

namespace report {

namespace {

// Hundredths of an inch per unit.
double hundredthsPer(QPageLayout::Unit unit) {
  switch (unit) {
    case QPageLayout::Millimeter: return 100.0 / 25.4;
    case QPageLayout::Point: return 100.0 / 72.0;
    case QPageLayout::Inch: return 100.0;
    case QPageLayout::Pica: return 100.0 / 6.0;            // 12 points
    case QPageLayout::Didot: return 0.375 * 100.0 / 25.4;  // 0.375 mm
    case QPageLayout::Cicero: return 4.5 * 100.0 / 25.4;   // 12 didot
  }
  return 100.0 / 72.0;
}

// Driver names that mark a text-only printer; a name may be followed by a
// space or a comma and more (driver version, driver kind).
// A printed file is read back whole before it replaces the target; nothing the
// engine prints comes near this size.
constexpr std::size_t kMaxPrintFileBytes = std::size_t{1} << 30;

constexpr QStringView kTextOnlyDrivers[] = {
    u"Generic / Text Only",        // Windows
    u"Obecná nebo jen textová",    // Windows, Czech
    u"Generic Text-Only Printer",  // CUPS (cups-filters, foomatic)
    u"Local Raw Printer",          // CUPS raw queue
    u"Raw Queue",
};

}  // namespace

void QtPrinterPortPrivate::applySettings() {
  if (!printer) return;
  printer->setFullPage(true);
  printer->setPageSize(paper.isEmpty() ? devicePageSize
                                        : QPageSize(QSizeF(paper.width() / 100.0, paper.height() / 100.0),
                                                    QPageSize::Inch, QString(), QPageSize::FuzzyMatch));
  // The driver's margins belong to the portrait page; read them in portrait.
  printer->setPageOrientation(QPageLayout::Portrait);
  const QPageLayout layout = printer->pageLayout();
  portraitUnprintable = layout.minimumMargins() * hundredthsPer(layout.units());
  printer->setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer->setCopyCount(printer->supportsMultipleCopies() ? copies : 1);
}

QtPrinterPort::QtPrinterPort() : d_(std::make_unique<QtPrinterPortPrivate>()) { refresh(); }

QtPrinterPort::~QtPrinterPort() {
  if (d_->active()) abort();
}

bool QtPrinterPort::refresh() {
  if (d_->active()) return false;
  d_->printer.reset();
  d_->selected = -1;
  d_->toFile = false;
  d_->names.clear();
  d_->makeAndModels.clear();
  const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
  for (const QPrinterInfo& info : printers) {
    d_->names.append(info.printerName());
    d_->makeAndModels.append(info.makeAndModel());
  }
  d_->defaultIndex = static_cast<int>(d_->names.indexOf(QPrinterInfo::defaultPrinterName()));
  if (d_->defaultIndex < 0 && !d_->names.isEmpty()) d_->defaultIndex = 0;
  return true;
}

bool QtPrinterPort::isTextOnlyDriver(const QString& makeAndModel) {
  const QString name = makeAndModel.trimmed();
  if (name.isEmpty()) return true;
  for (const QStringView known : kTextOnlyDrivers) {
    if (!name.startsWith(known, Qt::CaseInsensitive)) continue;
    if (name.size() == known.size()) return true;
    const QChar next = name.at(known.size());
    if (next == u' ' || next == u',') return true;
  }
  return false;
}

QStringList QtPrinterPort::printerNames() const { return d_->names; }

int QtPrinterPort::defaultPrinter() const { return d_->defaultIndex; }

bool QtPrinterPort::select(int index, const QString& port) {
  if (d_->active()) {
    d_->error = u"Během tiskové úlohy nelze měnit tiskárnu."_s;
    return false;
  }
  d_->printer.reset();
  d_->selected = -1;
  d_->toFile = false;
  if (isFilePort(port)) {
    d_->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    d_->printer->setOutputFormat(QPrinter::PdfFormat);
    d_->devicePageSize = d_->printer->pageLayout().pageSize();
    d_->toFile = true;
    d_->applySettings();
    return true;
  }
  const int chosen = fallbackIndex(index, static_cast<int>(d_->names.size()), d_->defaultIndex);
  if (chosen < 0) {
    d_->error = u"Není nainstalována žádná tiskárna."_s;
    return false;
  }
  const QString name = d_->names.at(chosen);
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setPrinterName(name);
  if (printer->outputFormat() != QPrinter::NativeFormat || printer->printerName() != name) {
    d_->error = u"Tiskárna %1 není k dispozici."_s.arg(name);
    return false;
  }
  d_->printer = std::move(printer);
  d_->devicePageSize = d_->printer->pageLayout().pageSize();
  d_->selected = chosen;
  d_->applySettings();
  return true;
}

int QtPrinterPort::selectedPrinter() const { return d_->selected; }

void QtPrinterPort::setOutputFile(const QString& path) { d_->outputFile = path; }

QString QtPrinterPort::driverName() const {
  if (d_->toFile) return u"PDF"_s;
  return d_->selected >= 0 ? d_->makeAndModels.at(d_->selected) : QString();
}

bool QtPrinterPort::isTextOnly() const {
  return d_->selected >= 0 && isTextOnlyDriver(d_->makeAndModels.at(d_->selected));
}

void QtPrinterPort::setOrientation(int orientation) {
  d_->orientation = orientation == 1 ? 1 : 0;
  if (!d_->active()) d_->applySettings();
}

void QtPrinterPort::setPaperSizeHundredths(const QSizeF& portraitSize) {
  d_->paper = portraitSize;
  if (!d_->active()) d_->applySettings();
}

void QtPrinterPort::setCopies(int copies) {
  d_->copies = std::max(1, copies);
  if (!d_->active()) d_->applySettings();
}

bool QtPrinterPort::driverKeepsCopies() const {
  return d_->printer && d_->printer->supportsMultipleCopies();
}

int QtPrinterPort::resolution() const { return d_->printer ? d_->printer->resolution() : 0; }

QSizeF QtPrinterPort::paperSizeHundredths() const {
  if (!d_->printer) return {};
  // Whole points, as QPrinter makes the page and the driver describes it.
  return QSizeF(d_->printer->pageLayout().fullRectPoints().size()) * hundredthsPer(QPageLayout::Point);
}

QMarginsF QtPrinterPort::unprintableHundredths() const {
  if (!d_->printer) return {};
  return d_->orientation == 1 ? landscapeFromPortrait(d_->portraitUnprintable) : d_->portraitUnprintable;
}

bool QtPrinterPort::begin(const QString& jobTitle) {
  if (d_->active()) {
    d_->error = u"Tisková úloha již běží."_s;
    return false;
  }
  if (!d_->printer) {
    d_->error = u"Není vybrána tiskárna."_s;
    return false;
  }
  if (d_->toFile && d_->outputFile.isEmpty()) {
    d_->error = u"Není zadán soubor pro tisk do souboru."_s;
    return false;
  }
  d_->applySettings();
  d_->aborted = false;
  d_->error.clear();
  d_->jobTitle = jobTitle;
  d_->printer->setDocName(jobTitle);
  if (d_->toFile || detail::spoolsRenderedFiles()) {
    // The pages go to a temporary file first. A printer gets it as a job; a
    // target file is replaced by it only when the job has ended well, so an
    // aborted or failed job leaves an existing file as it was. For a printer the
    // name must not end in ".pdf": that would switch QPrinter from the printer to
    // a plain PDF device and lose the printer's page sizes and margins; for a
    // file the target's own ending chooses the format as before.
    const QString suffix = d_->toFile ? QFileInfo(d_->outputFile).suffix() : u"prn"_s;
    d_->spoolFile = std::make_unique<QTemporaryFile>(QDir::tempPath() + u"/report-print-XXXXXX"_s +
                                                     (suffix.isEmpty() ? QString() : u"."_s + suffix));
    if (!d_->spoolFile->open()) {
      d_->error = u"Dočasný soubor tiskové úlohy nelze vytvořit: %1"_s.arg(d_->spoolFile->errorString());
      d_->spoolFile.reset();
      return false;
    }
    d_->printer->setOutputFileName(d_->spoolFile->fileName());
  }
  d_->painter = std::make_unique<QPainter>();
  if (!d_->painter->begin(d_->printer.get())) {
    d_->painter.reset();
    d_->spoolFile.reset();
    d_->error = d_->toFile ? u"Soubor %1 nelze zapsat."_s.arg(d_->outputFile)
                           : u"Tiskárnu %1 nelze otevřít."_s.arg(d_->names.at(d_->selected));
    return false;
  }
  return true;
}

bool QtPrinterPort::newPage() {
  if (!d_->active()) {
    d_->error = u"Tisková úloha neběží."_s;
    return false;
  }
  if (aborted()) return false;
  if (!d_->printer->newPage()) {
    d_->error = u"Novou stránku nelze založit."_s;
    return false;
  }
  return true;
}

bool QtPrinterPort::end() {
  if (!d_->active()) {
    d_->error = u"Tisková úloha neběží."_s;
    return false;
  }
  const bool painted = d_->painter->end();
  d_->painter.reset();
  const std::unique_ptr<QTemporaryFile> spoolFile = std::move(d_->spoolFile);
  if (d_->printer->printerState() == QPrinter::Aborted) {
    d_->aborted = true;
    d_->error = u"Tisk byl přerušen."_s;
    return false;
  }
  if (!painted || d_->printer->printerState() == QPrinter::Error) {
    d_->error = d_->toFile ? u"Soubor %1 se nepodařilo zapsat."_s.arg(d_->outputFile)
                           : u"Tisk na tiskárnu %1 se nezdařil."_s.arg(d_->names.at(d_->selected));
    return false;
  }
  if (!spoolFile) return true;
  if (d_->toFile) {
    QByteArray bytes;
    QString why;
    if (fileio::ReadRegularFile(spoolFile->fileName(), kMaxPrintFileBytes, &bytes, &why) != fileio::ReadStatus::kOk ||
        !fileio::SaveFile(d_->outputFile, bytes, {}, &why)) {
      d_->error = u"Soubor %1 se nepodařilo zapsat: %2"_s.arg(d_->outputFile, why);
      return false;
    }
    return true;
  }
  detail::SpoolOptions options;
  options.media = d_->printer->pageLayout().pageSize().key();
  options.copies = d_->copies;
  options.landscape = d_->orientation == 1;
  return detail::sendDocumentJob(d_->names.at(d_->selected), d_->jobTitle, spoolFile->fileName(),
                                 options, &d_->error);
}

void QtPrinterPort::abort() {
  if (!d_->active()) return;
  // Where QPrinter talks to the spooler itself, ask it to drop the job; rendered
  // pages of ours are simply not handed over.
  if (!d_->spoolFile && !d_->toFile) d_->printer->abort();
  d_->painter->end();
  d_->painter.reset();
  d_->spoolFile.reset();  // a target file is left as it was
  d_->aborted = true;
}

QPainter* QtPrinterPort::painter() { return d_->painter.get(); }

bool QtPrinterPort::aborted() const {
  return d_->aborted || (d_->printer && d_->printer->printerState() == QPrinter::Aborted);
}

QString QtPrinterPort::lastError() const { return d_->error; }

bool QtPrinterPort::printText(const QByteArray& bytes, const QString& jobTitle) {
  if (d_->active()) {
    d_->error = u"Během grafické tiskové úlohy nelze tisknout text."_s;
    return false;
  }
  if (d_->toFile) {
    if (d_->outputFile.isEmpty()) {
      d_->error = u"Není zadán soubor pro tisk do souboru."_s;
      return false;
    }
    QString why;
    if (!fileio::SaveFile(d_->outputFile, bytes, {}, &why)) {
      d_->error = u"Soubor %1 se nepodařilo zapsat: %2"_s.arg(d_->outputFile, why);
      return false;
    }
    return true;
  }
  if (d_->selected < 0) {
    d_->error = u"Není vybrána tiskárna."_s;
    return false;
  }
  if (bytes.isEmpty()) return true;  // nothing to print, no empty job
  return detail::sendRawJob(d_->names.at(d_->selected), jobTitle, bytes, &d_->error);
}

}  // namespace report
