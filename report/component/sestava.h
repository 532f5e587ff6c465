// The report component: the one header a host includes. A host owns a TSestava,
// fills its parameter and column lists, answers its two data events (or gives it
// a data source), and calls one operation: print, preview, text or file export.
// The component loads the template, runs the record loop into the output
// document and hands the pages to the preview or a printer.
//
// Three layers: TSestavaTyp (template, data lists, output document, operations,
// the record loop), TSestavaD (the data events and the data source), TSestava
// (the template file, the Before/After events, OnError). Events are std::function
// members; an empty one is not assigned.
#pragma once

#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>

#include "report/component/datasource.h"
#include "report/io/codepage.h"
#include "report/io/loadresult.h"
#include "report/io/paperformats.h"
#include "report/layout/generator.h"
#include "report/model/reportdefinition.h"
#include "report/print/printerport.h"
#include "report/render/metafiledevice.h"
#include "report/render/pagerenderer.h"
#include "report/run/reportdata.h"

class QPainter;
class QAbstractItemModel;

namespace report {

// Codes of the operations.
enum TSestError : int {
  seOk = 0,
  seCancelled = 3,          // the user cancelled in the progress window
  seTemplateNotLoaded = 4,  // the template could not be loaded
  seDataNotReady = 7,       // the data source was not ready
  sePrintFailed = 8,        // the printer or an output file failed (a code of our own)
  seEditUnavailable = 9,    // no template designer in this build (a code of our own)
};

class TSestavaTyp : public ReportData {
 public:
  TSestavaTyp();
  ~TSestavaTyp() override;
  TSestavaTyp(const TSestavaTyp&) = delete;
  TSestavaTyp& operator=(const TSestavaTyp&) = delete;

  // ---- Published properties.
  TPredloha Predloha;  // the template stored in the component (used when IsStored)
  QString Popis = QStringLiteral("Tisková úloha IF97");  // the print job's title
  QString IniFileName = QStringLiteral("SestDLL.ini");
  quint16 PrintCopies = 1, StartPage = 1, EndPage = 9999;
  qint32 MaxRecords = 0;
  TSestLanguage ExportLanguage = slUndefined;
  bool TiskJedenZaznam = false;
  bool PrintBackground = false;
  QString Background;
  // The preview offers "Oprava předlohy..." (the designer sets it; a host may).
  bool AllowTemplateEdit = false;
  // The preview is the designer's own (set by the designer while it runs one):
  // Esc and the window's close button go back to editing. A host's preview
  // that offers "Oprava předlohy..." closes on Esc.
  bool PreviewFromDesigner = false;

  // Window states of Edit and PreviewAt.
  static constexpr int kWindowNormal = 0, kWindowMinimised = 1, kWindowMaximised = 2;

  // ---- The model and the last run's pages.
  ReportDefinition& definition() { return *definition_; }
  const ReportDefinition& definition() const { return *definition_; }
  const TSestVystup& document() const { return document_; }
  const TListFormatu& paperFormats() const { return formats_; }
  // Reads the paper formats of IniFileName (relative names: in the program's directory).
  LoadResult readPaperFormats();

  // ---- Operations. Those that generate first return the code of the run.
  virtual int Edit(QRect bounds = {}, QPoint position = {}, int windowState = 0);
  virtual int Print(int printerIndex = -1, const QString& port = {});
  virtual int PrintToStream(QIODevice& stream);
  virtual int PrintToFile(const QString& fileName);
  bool Preview();
  virtual bool PreviewAt(QRect bounds, QPoint position, int zoomPercent, int windowState);
  bool SavePageEmf(QIODevice& stream, int page);
  int SavePageEmfFile(const QString& fileName, int page);
  int ExportEmf(const QString& baseName);
  bool SavePageWmf(QIODevice& stream, int page);
  int SavePageWmfFile(const QString& fileName, int page);
  int ExportWmf(const QString& baseName);
  virtual bool LoadTemplate(bool showErrors);
  virtual void SetTemplate(const TPredloha& lines);
  void ForcePageBreak();
  // The step/get-data protocol (ReportData): FetchRow raises the data event,
  // StepRow moves through the rows, then fetches.
  void FetchRow() override;
  int StepRow(int dir) override;

  // ---- Services the host may replace (tests, command-line hosts).
  void setPrinterPort(std::unique_ptr<PrinterPort> port);
  PrinterPort& printerPort();
  // Makes the progress window of a main run (none: runs without one).
  std::function<std::unique_ptr<ProgressHook>()> progressFactory;
  // Shows the preview; 1 closed normally, 2 closed to edit the template.
  std::function<int(TSestavaTyp& report, QRect bounds, QPoint position, int zoom, int windowState)> previewer;
  // Opens the template designer (set by a host that links it); empty: Edit
  // answers seEditUnavailable.
  std::function<int(TSestavaTyp& report, QRect bounds, QPoint position, int windowState)> designer;
  // The text measurer of layout (default: the fonts pages are drawn with).
  void setTextMeasurer(std::unique_ptr<TextMeasurer> measurer);
  // The directory of the running program, with a trailing separator.
  QString programDirectory() const;
  void setProgramDirectory(const QString& directory);
  RenderHooks renderHooks() const;
  const QString& lastError() const { return lastError_; }
  // How the last preview was closed: 1 normally, 2 to edit the template, 0 when
  // none was shown (the run failed).
  int lastPreviewResult() const { return lastPreviewResult_; }

 protected:
  enum class Operation { Edit, Print, Preview, PrintPreview, Text, Export };
  // Preparation and generation of a run: 0 or the code that ends it.
  virtual int prepare(Operation op);
  virtual void finishRun(Operation op) { (void)op; }
  int generate();
  // The starred operations: Before event, preparation, generation, output, After
  // event and OnError.
  int run(Operation op, const std::function<int()>& output);
  virtual void before(Operation op) { (void)op; }
  virtual void after(Operation op) { (void)op; }
  virtual void raiseError(int code) { (void)code; }
  virtual void raiseSetPredloha() {}
  virtual bool paintBox(int index, int width, int height, QPainter& painter) {
    (void)index, (void)width, (void)height, (void)painter;
    return false;
  }
  virtual bool loadPicture(const QString& name, QImage* image);
  int exportPages(MetafileDevice::Format format, const QString& baseName);
  // Raised while generating.
  virtual void raiseVypoctiFunkce() {}
  virtual void raiseTiskOddilu(int section, bool& print) { (void)section, (void)print; }
  void setLastError(const QString& e) { lastError_ = e; }

  std::unique_ptr<ReportDefinition> definition_;
  TSestVystup document_;
  TListFormatu formats_;
  std::unique_ptr<PrinterPort> printer_;
  std::unique_ptr<TextMeasurer> measurer_;
  ReportGenerator* generator_ = nullptr;  // the run in progress
  QString programDir_;
  QString lastError_;
  bool loadErrorRaised_ = false;
  int lastPreviewResult_ = 0;
};

class TSestavaD : public TSestavaTyp {
 public:
  // ---- Data events.
  std::function<void(TSestavaD& sender)> OnGetData;
  std::function<int(TSestavaD& sender, int dir)> OnStepData;
  std::function<void(TSestavaD& sender, int index, int& dataType)> OnGetDataType;
  std::function<void(TSestavaD& sender, int index, int& alignment)> OnGetAlignment;
  std::function<void(TSestavaD& sender, int index, int width, int height, QPainter& canvas)> OnPaintBox;
  // A data source (data-set mode, when OnGetData is not assigned).
  TDataSource* DataSource = nullptr;

  bool eventMode() const { return static_cast<bool>(OnGetData); }
  void FetchRow() override;
  int StepRow(int dir) override;

  int columnDataType(int index) const override;
  int columnAlignment(int index) const override;
  int columnDisplayWidth(int index) const override;
  QString columnText(int index) const override;
  double columnValue(int index) const override;

 protected:
  int prepare(Operation op) override;
  void finishRun(Operation op) override;
  bool paintBox(int index, int width, int height, QPainter& painter) override;

 private:
  DataCursor cursor_;
  int bookmark_ = 0;
  bool openedByUs_ = false;
};

class TSestava : public TSestavaD {
 public:
  TSestava();

  // ---- Template file.
  const QString& ReportName() const { return reportName_; }
  void setReportName(const QString& name);  // the extension becomes ".pts"
  const QString& ReportDir() const { return reportDir_; }
  void setReportDir(const QString& dir);  // a trailing separator is added; clears ReportAlias
  const QString& ReportAlias() const { return reportAlias_; }
  void setReportAlias(const QString& alias);  // clears ReportDir
  bool ReportDirIgnore = true;
  bool IsStored = false;

  QString GetTemplateFileName();
  bool LoadTemplate(bool showErrors) override;
  bool SaveTemplate();
  bool SaveTemplateAs(const QString& fileName);
  void SetTemplate(const TPredloha& lines) override;

  // ---- Events.
  std::function<bool(TSestava& sender)> OnUlozPredlohu;
  std::function<bool(TSestava& sender, QString& file)> OnUlozPredlohuJako;
  std::function<bool(TSestava& sender)> OnNactiPredlohu;
  std::function<void(TSestava& sender)> OnSetPredloha;
  std::function<void(TSestava& sender, QStringList& items)> OnNactiSeznamObrazu;
  std::function<bool(TSestava& sender, const QString& name, QImage& picture)> OnNactiObraz;
  std::function<void(TSestava& sender, QImage& picture, int width, int height)> OnPreparePicture;
  std::function<void(TSestava& sender)> OnVypoctiFunkce;
  std::function<void(TSestava& sender, int index, bool& print)> OnTiskOddilu;
  std::function<void(TSestava& sender)> BeforeEdit, AfterEdit, BeforePreview, AfterPreview, BeforePrint, AfterPrint,
      BeforePrintPreview, AfterPrintPreview;
  std::function<bool(TSestava& sender, int error)> OnError;

 protected:
  int prepare(Operation op) override;
  void before(Operation op) override;
  void after(Operation op) override;
  void raiseError(int code) override;
  bool loadPicture(const QString& name, QImage* image) override;
  void raiseVypoctiFunkce() override;
  void raiseTiskOddilu(int section, bool& print) override;
  void raiseSetPredloha() override;

 private:
  QString reportName_, reportDir_, reportAlias_;
};

}  // namespace report
