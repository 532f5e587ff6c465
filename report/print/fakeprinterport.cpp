#include "report/print/fakeprinterport.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace report {

FakePrinterPort::FakePrinterPort() : FakePrinterPort(QList<Printer>{}) {}

FakePrinterPort::FakePrinterPort(const QList<Printer>& printers, int defaultIndex)
    : printers_(printers) {
  default_ = fallbackIndex(defaultIndex, static_cast<int>(printers_.size()), 0);
  fileDevice_.name = kFilePort.toString();
  fileDevice_.driver = u"PDF"_s;
  fileDevice_.keepsCopies = false;
}

FakePrinterPort::~FakePrinterPort() {
  if (painter_.isActive()) painter_.end();
}

void FakePrinterPort::setFileDevice(const Printer& device) { fileDevice_ = device; }
void FakePrinterPort::setBeginError(const QString& message) { beginError_ = message; }
void FakePrinterPort::setTextError(const QString& message) { textError_ = message; }
void FakePrinterPort::setAbortAfterPages(int pages) { abortAfterPages_ = pages; }

QStringList FakePrinterPort::printerNames() const {
  QStringList names;
  for (const Printer& p : printers_) names.append(p.name);
  return names;
}

int FakePrinterPort::defaultPrinter() const { return default_; }

bool FakePrinterPort::select(int index, const QString& port) {
  if (active_) return fail(u"Během tiskové úlohy nelze měnit tiskárnu."_s);
  port_ = port;
  toFile_ = isFilePort(port);
  selected_ = toFile_ ? -1 : fallbackIndex(index, static_cast<int>(printers_.size()), default_);
  if (!toFile_ && selected_ < 0) return fail(u"Není nainstalována žádná tiskárna."_s);
  return true;
}

const FakePrinterPort::Printer* FakePrinterPort::device() const {
  if (toFile_) return &fileDevice_;
  return selected_ >= 0 ? &printers_.at(selected_) : nullptr;
}

QString FakePrinterPort::driverName() const { return device() ? device()->driver : QString(); }

bool FakePrinterPort::isTextOnly() const { return device() && device()->textOnly; }

bool FakePrinterPort::driverKeepsCopies() const { return device() && device()->keepsCopies; }

int FakePrinterPort::resolution() const { return device() ? device()->dpi : 0; }

QSizeF FakePrinterPort::paperSizeHundredths() const {
  if (!device()) return {};
  const QSizeF portrait = paper_.isEmpty() ? device()->paper : paper_;
  return orientation_ == 1 ? portrait.transposed() : portrait;
}

QMarginsF FakePrinterPort::unprintableHundredths() const {
  if (!device()) return {};
  return orientation_ == 1 ? landscapeFromPortrait(device()->unprintable) : device()->unprintable;
}

QImage FakePrinterPort::blankPage() const {
  const QSizeF paper = paperSizeHundredths();
  const int dpi = resolution();
  QImage page(static_cast<int>(std::lround(paper.width() * dpi / 100.0)),
              static_cast<int>(std::lround(paper.height() * dpi / 100.0)), QImage::Format_RGB32);
  page.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  page.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  page.fill(Qt::white);
  return page;
}

bool FakePrinterPort::fail(const QString& message) {
  error_ = message;
  return false;
}

bool FakePrinterPort::begin(const QString& jobTitle) {
  log_.append(u"begin "_s + jobTitle);
  titles_.append(jobTitle);
  if (active_) return fail(u"Tisková úloha již běží."_s);
  if (!device()) return fail(u"Není vybrána tiskárna."_s);
  if (!beginError_.isEmpty()) return fail(beginError_);
  if (toFile_ && outputFile_.isEmpty()) return fail(u"Není zadán soubor pro tisk do souboru."_s);
  pages_.clear();
  pages_.append(blankPage());
  painter_.begin(&pages_.last());
  active_ = true;
  aborted_ = false;
  finishedPages_ = 0;
  error_.clear();
  return true;
}

bool FakePrinterPort::newPage() {
  log_.append(u"newPage"_s);
  if (!active_) return fail(u"Tisková úloha neběží."_s);
  if (aborted_) return false;
  painter_.end();  // before the list grows: the painter holds the page's address
  ++finishedPages_;
  if (abortAfterPages_ >= 0 && finishedPages_ >= abortAfterPages_) {
    aborted_ = true;
    scratch_ = blankPage();
    painter_.begin(&scratch_);
    return fail(u"Tisk byl přerušen."_s);
  }
  pages_.append(blankPage());
  painter_.begin(&pages_.last());
  return true;
}

bool FakePrinterPort::end() {
  log_.append(u"end"_s);
  if (!active_) return fail(u"Tisková úloha neběží."_s);
  painter_.end();
  active_ = false;
  if (aborted_) return fail(u"Tisk byl přerušen."_s);
  ++finishedPages_;
  return true;
}

void FakePrinterPort::abort() {
  log_.append(u"abort"_s);
  if (!active_) return;
  painter_.end();
  active_ = false;
  aborted_ = true;
}

bool FakePrinterPort::printText(const QByteArray& bytes, const QString& jobTitle) {
  log_.append(u"text "_s + jobTitle);
  titles_.append(jobTitle);
  if (active_) return fail(u"Během grafické tiskové úlohy nelze tisknout text."_s);
  if (!device()) return fail(u"Není vybrána tiskárna."_s);
  if (!textError_.isEmpty()) return fail(textError_);
  texts_.append(bytes);
  return true;
}

}  // namespace report
