// The preview of a report's pages before printing ("Prohlížení sestavy před
// tiskem"): one page at a time at one of eleven zoom factors, paging, printing
// the pages, saving them as text, metafiles or PDF, and going back to the
// template's designer.
//
// The window shows the output document it is given (not owned: it must outlive
// the window) and prints through the given printer port. exec() returns 1 when
// the preview was closed ("Zavřít náhled"), 2 when the template is to be edited
// ("Oprava předlohy...", only offered when editing is allowed). Esc and closing
// the window count as 2 in a preview opened from the designer that allows
// editing (they go back to the design), else as 1: a preview of the host's
// printout that offers "Oprava předlohy..." just closes.
//
// Every command is a menu item and a toolbar button of the same text:
//   zoom "32" … "300" (factors 0.32 … 3.00), first/previous/next/last page,
//   "Zobrazit stránku ..." (a floating panel "Výběr stránky"), "Tisk náhledu...",
//   "Uložit do souboru" ("Textový soubor...", "Aktuální stránku jako EMF/WMF...",
//   "Všechny stránky jako EMF/WMF...", "Dokument PDF..."), "Oprava předlohy...",
//   "Zavřít náhled".
// Keys: Page Up / Page Down the previous / next page, Ctrl+Page Up / Ctrl+Page
// Down the first / last page, the arrows scroll the page by one step of the
// scroll bar, Ctrl+E "Oprava předlohy...", Ctrl+P or Ctrl+T "Tisk náhledu...",
// Esc closes. The mouse wheel scrolls; Ctrl with the wheel goes to the next or
// previous zoom factor, one per notch.
//
// The page is shown at 96 logical pixels per inch times the zoom (TPagePanel).
//
// Printing and saving ask the user through replaceable choosers (the print
// dialog, a file dialog), so that the program can be driven without them.
#pragma once

#include <QDialog>
#include <QRect>
#include <array>
#include <functional>

#include "report/layout/outputdocument.h"
#include "report/print/printerport.h"
#include "report/render/pagerenderer.h"
#include "report/ui/printdialogtyp.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollArea;

namespace report {

class TPagePanel;
class TPageSelectPanel;

class TFormSestP : public QDialog {
  Q_OBJECT
 public:
  static constexpr std::array<int, 11> kZoomPercents{32, 40, 50, 64, 75, 83, 100, 120, 150, 200, 300};
  enum Result { kClosed = 1, kEditTemplate = 2 };

  // Opens the print dialog on `data`; returns its result (2 print, 1 preview,
  // 3 edit, 0 cancel). The default shows TSestPrintDlg.
  using PrintDialogChooser = std::function<int(QWidget* parent, PrinterPort& port, TPrintDialogTyp& data)>;
  // Asks for the name of a file to write; empty: the user gave up. The default
  // shows the save-file dialog.
  using FileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;

  // `title`: the report's title, given to the PDF document; `zoomPercent`: the
  // zoom to start with (the nearest of kZoomPercents).
  TFormSestP(const TSestVystup& doc, PrinterPort& port, const RenderHooks& hooks, bool allowEdit,
             const QString& title, int zoomPercent, QWidget* parent = nullptr);
  ~TFormSestP() override;

  // Shows the preview modally, in `bounds` when they lie on a screen (else at
  // its own size), maximised if asked; returns 1 or 2 as exec() does.
  static int Show(QWidget* parent, const TSestVystup& doc, PrinterPort& port, const RenderHooks& hooks,
                  bool allowEdit, const QString& title, int zoomPercent, QRect bounds, bool maximised,
                  bool fromDesigner = false);

  // The page shown, from 1 (0 when the document has no page), and their count.
  int currentPage() const;
  int pageCount() const;
  // The zoom factor: 0.32 … 3.00.
  double zoom() const;
  bool editAllowed() const { return allowEdit_; }
  // The preview was opened from the designer: Esc goes back to editing.
  bool openedFromDesigner() const { return fromDesigner_; }
  void setOpenedFromDesigner(bool fromDesigner) { fromDesigner_ = fromDesigner; }

  // Shows page `page` (from 1), kept within 1 … pageCount().
  void showPage(int page);
  // Zooms to the factor nearest to `percent` %.
  void setZoomPercent(int percent);
  // Goes `steps` zoom factors up (positive) or down, stopping at the ends.
  void zoomStep(int steps);

  void setPrintDialogChooser(PrintDialogChooser chooser) { printDialog_ = std::move(chooser); }
  void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }

  TPagePanel* pagePanel() const { return panel_; }
  // The panel "Výběr stránky" (nullptr until first opened).
  TPageSelectPanel* pageSelectPanel() const { return pageSelect_; }

  // The commands.
  void printPages();           // "Tisk náhledu..."
  void saveText();             // "Textový soubor..."
  void saveCurrentMetafile();  // "Aktuální stránku jako EMF/WMF..."
  void saveAllMetafiles();     // "Všechny stránky jako EMF/WMF..."
  void savePdf();              // "Dokument PDF..."
  void openPageSelect();       // "Zobrazit stránku ..."

  void done(int result) override;

 protected:
  // Esc and the window's close button.
  void reject() override;
  // Ctrl with the mouse wheel over the page zooms.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* command(const QString& text, void (TFormSestP::*slot)(), QList<QKeySequence> keys = {});
  void buildCommands();
  void updatePageState();
  void scrollStep(Qt::Orientation orientation, int direction);
  QString chooseFile(const QString& caption, const QString& filter, const QString& defaultSuffix);
  void reportFailure(const QString& reason);

  const TSestVystup& doc_;
  PrinterPort& port_;
  RenderHooks hooks_;
  bool allowEdit_;
  bool fromDesigner_ = false;
  QString title_;
  int zoomIndex_ = 6;  // into kZoomPercents
  int wheelTurn_ = 0;  // Ctrl+wheel turned so far towards the next zoom step
  PrintDialogChooser printDialog_;
  FileChooser fileChooser_;

  TPagePanel* panel_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  TPageSelectPanel* pageSelect_ = nullptr;
  QAction* first_ = nullptr;
  QAction* previous_ = nullptr;
  QAction* next_ = nullptr;
  QAction* last_ = nullptr;
  QAction* edit_ = nullptr;
  QActionGroup* zoomGroup_ = nullptr;
  QList<QAction*> zoomActions_;
  QMenu* saveMenu_ = nullptr;
};

}  // namespace report
