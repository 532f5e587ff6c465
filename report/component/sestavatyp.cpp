// TSestavaTyp: the template, the data lists, the output document, the operations
// and the run of a report.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "fileio/qtfile.h"
#include "report/component/sestava.h"
#include "report/io/templatetext.h"
#include "report/layout/qttextmeasurer.h"
#include "report/print/qtprinterport.h"
#include "report/print/reportprinter.h"
#include "report/render/metafileexport.h"
#include "report/render/textgrid.h"
#include "report/ui/previewwindow.h"
#include "report/ui/progresswindow.h"

namespace report {
namespace {

// Forwards the generator's events to the component.
class Events : public GenerateEvents {
 public:
  Events(std::function<void()> compute, std::function<void(int, bool&)> section)
      : compute_(std::move(compute)), section_(std::move(section)) {}
  void OnVypoctiFunkce() override { compute_(); }
  void OnTiskOddilu(int s, bool& print) override { section_(s, print); }

 private:
  std::function<void()> compute_;
  std::function<void(int, bool&)> section_;
};

}  // namespace

TSestavaTyp::TSestavaTyp() : definition_(std::make_unique<ReportDefinition>()) {
  // With a widget application the run shows the progress window and the preview;
  // without one (a command-line host, a test) it runs without windows.
  progressFactory = []() -> std::unique_ptr<ProgressHook> {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    return std::make_unique<TFormProgress>();
  };
  previewer = [](TSestavaTyp& r, QRect bounds, QPoint position, int zoom, int windowState) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 1;
    if (!position.isNull() && bounds.isValid()) bounds.moveTopLeft(position);
    return TFormSestP::Show(nullptr, r.document(), r.printerPort(), r.renderHooks(), r.AllowTemplateEdit, r.Popis,
                            zoom, bounds, windowState == kWindowMaximised, r.PreviewFromDesigner);
  };
}

TSestavaTyp::~TSestavaTyp() = default;

QString TSestavaTyp::programDirectory() const {
  if (!programDir_.isEmpty()) return programDir_;
  QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  if (!dir.endsWith(u'/')) dir += u'/';
  return dir;
}

void TSestavaTyp::setProgramDirectory(const QString& directory) {
  programDir_ = directory;
  if (!programDir_.isEmpty() && !programDir_.endsWith(u'/')) programDir_ += u'/';
}

LoadResult TSestavaTyp::readPaperFormats() {
  const QString path = QFileInfo(IniFileName).isAbsolute() ? IniFileName : programDirectory() + IniFileName;
  return formats_.loadIni(path);
}

void TSestavaTyp::setPrinterPort(std::unique_ptr<PrinterPort> port) { printer_ = std::move(port); }

PrinterPort& TSestavaTyp::printerPort() {
  if (!printer_) printer_ = std::make_unique<QtPrinterPort>();
  return *printer_;
}

void TSestavaTyp::setTextMeasurer(std::unique_ptr<TextMeasurer> measurer) { measurer_ = std::move(measurer); }

bool TSestavaTyp::loadPicture(const QString& name, QImage* image) {
  const QString path = QFileInfo(name).isAbsolute() ? name : programDirectory() + name;
  return image->load(path);
}

RenderHooks TSestavaTyp::renderHooks() const {
  RenderHooks hooks;
  auto* self = const_cast<TSestavaTyp*>(this);
  hooks.loadPicture = [self](const QString& name, QImage* image) { return self->loadPicture(name, image); };
  hooks.paintBox = [self](int index, int w, int h, QPainter& p) { self->paintBox(index, w, h, p); };
  return hooks;
}

void TSestavaTyp::FetchRow() {}

int TSestavaTyp::StepRow(int) {
  FetchRow();
  return srBofEof;
}

void TSestavaTyp::SetTemplate(const TPredloha& lines) {
  (void)ParseTemplate(*definition_, lines, FieldNames);
  raiseSetPredloha();
}

bool TSestavaTyp::LoadTemplate(bool) {
  SetTemplate(Predloha);
  return true;
}

void TSestavaTyp::ForcePageBreak() {
  if (generator_) generator_->ForcePageBreak();
}

int TSestavaTyp::prepare(Operation) {
  loadErrorRaised_ = false;
  return LoadTemplate(true) ? seOk : seTemplateNotLoaded;
}

int TSestavaTyp::generate() {
  if (!measurer_) measurer_ = std::make_unique<QtTextMeasurer>();
  Events events([this] { raiseVypoctiFunkce(); }, [this](int s, bool& print) { raiseTiskOddilu(s, print); });
  std::unique_ptr<ProgressHook> progress = progressFactory ? progressFactory() : nullptr;
  ReportGenerator generator(*measurer_, &events, progress.get());
  GenerateOptions options;
  options.TiskJedenZaznam = TiskJedenZaznam;
  options.MaxRecords = MaxRecords;
  options.StartPage = StartPage;
  options.EndPage = EndPage;
  options.PrintCopies = PrintCopies;
  options.ExportLanguage = ExportLanguage;
  generator_ = &generator;
  const int result = generator.Generate(*definition_, *this, options, document_);
  generator_ = nullptr;
  if (!Background.isEmpty() && !definition_->background.own) document_.background.picture = Background;
  return result == 0 ? seOk : seCancelled;
}

int TSestavaTyp::run(Operation op, const std::function<int()>& output) {
  before(op);
  int result = prepare(op);
  if (result == seOk) result = generate();
  finishRun(op);
  if (result == seOk && output) result = output();
  after(op);
  // A failed load has raised OnError already.
  if (result != seOk && !(result == seTemplateNotLoaded && loadErrorRaised_)) raiseError(result);
  return result;
}

int TSestavaTyp::Edit(QRect bounds, QPoint position, int windowState) {
  if (!designer) return seEditUnavailable;
  // The preparation of a run (Before event, source check, template), then the
  // designer instead of generation and output.
  before(Operation::Edit);
  loadErrorRaised_ = false;
  int result = prepare(Operation::Edit);
  if (result == seOk) {
    const bool allowed = AllowTemplateEdit;
    AllowTemplateEdit = true;  // the designer's preview offers "Oprava předlohy..."
    result = designer(*this, bounds, position, windowState);
    AllowTemplateEdit = allowed;
  }
  finishRun(Operation::Edit);
  after(Operation::Edit);
  if (result != seOk && !(result == seTemplateNotLoaded && loadErrorRaised_)) raiseError(result);
  return result;
}

int TSestavaTyp::Print(int printerIndex, const QString& port) {
  return run(Operation::Print, [&] {
    PrintJob job;
    job.printer = printerIndex;
    job.port = port.left(79);
    job.from = StartPage;
    job.to = EndPage;
    job.copies = PrintCopies;
    job.title = Popis;
    job.printBackground = PrintBackground;
    QString error;
    std::unique_ptr<ProgressHook> progress = progressFactory ? progressFactory() : nullptr;
    const int code = PrintDocument(document_, printerPort(), job, progress.get(), renderHooks(), &error);
    setLastError(error);
    return code == kPrintOk ? seOk : code == kPrintCancelled ? seCancelled : sePrintFailed;
  });
}

int TSestavaTyp::PrintToStream(QIODevice& stream) {
  return run(Operation::Text, [&] {
    const QByteArray text = TextOutput(document_, StartPage, EndPage, PrintCopies, ExportLanguage);
    if (stream.write(text) != text.size()) {
      setLastError(stream.errorString());
      return static_cast<int>(sePrintFailed);
    }
    return static_cast<int>(seOk);
  });
}

int TSestavaTyp::PrintToFile(const QString& fileName) {
  return run(Operation::Text, [&] {
    QString error;
    const QByteArray text = TextOutput(document_, StartPage, EndPage, PrintCopies, ExportLanguage);
    if (fileio::SaveFile(fileName, text, {}, &error)) return static_cast<int>(seOk);
    setLastError(error);
    return static_cast<int>(sePrintFailed);
  });
}

bool TSestavaTyp::Preview() { return PreviewAt(QRect(), QPoint(), 100, 2); }

bool TSestavaTyp::PreviewAt(QRect bounds, QPoint position, int zoomPercent, int windowState) {
  int shown = 1;
  lastPreviewResult_ = 0;
  const int result = run(Operation::Preview, [&] {
    if (previewer) shown = previewer(*this, bounds, position, zoomPercent, windowState);
    lastPreviewResult_ = shown;
    return static_cast<int>(seOk);
  });
  return result == seOk && shown == 1;
}

bool TSestavaTyp::SavePageEmf(QIODevice& stream, int page) {
  if (run(Operation::Export, {}) != seOk || page < 0 || page >= document_.pageCount()) return false;
  const QByteArray bytes = PageMetafile(document_, page, MetafileDevice::Format::Enhanced, renderHooks());
  return stream.write(bytes) == bytes.size();
}

bool TSestavaTyp::SavePageWmf(QIODevice& stream, int page) {
  if (run(Operation::Export, {}) != seOk || page < 0 || page >= document_.pageCount()) return false;
  const QByteArray bytes = PageMetafile(document_, page, MetafileDevice::Format::Placeable, renderHooks());
  return stream.write(bytes) == bytes.size();
}

int TSestavaTyp::SavePageEmfFile(const QString& fileName, int page) {
  return run(Operation::Export, [&] {
    if (page < 0 || page >= document_.pageCount()) return static_cast<int>(sePrintFailed);
    QString error;
    if (fileio::SaveFile(fileName, PageMetafile(document_, page, MetafileDevice::Format::Enhanced, renderHooks()), {},
                         &error))
      return static_cast<int>(seOk);
    setLastError(error);
    return static_cast<int>(sePrintFailed);
  });
}

int TSestavaTyp::SavePageWmfFile(const QString& fileName, int page) {
  return run(Operation::Export, [&] {
    if (page < 0 || page >= document_.pageCount()) return static_cast<int>(sePrintFailed);
    QString error;
    if (fileio::SaveFile(fileName, PageMetafile(document_, page, MetafileDevice::Format::Placeable, renderHooks()),
                         {}, &error))
      return static_cast<int>(seOk);
    setLastError(error);
    return static_cast<int>(sePrintFailed);
  });
}

int TSestavaTyp::exportPages(MetafileDevice::Format format, const QString& baseName) {
  return run(Operation::Export, [&] {
    QString error;
    if (ExportMetafiles(document_, baseName, format, &error, renderHooks())) return static_cast<int>(seOk);
    setLastError(error);
    return static_cast<int>(sePrintFailed);
  });
}

int TSestavaTyp::ExportEmf(const QString& baseName) { return exportPages(MetafileDevice::Format::Enhanced, baseName); }
int TSestavaTyp::ExportWmf(const QString& baseName) { return exportPages(MetafileDevice::Format::Placeable, baseName); }

}  // namespace report
