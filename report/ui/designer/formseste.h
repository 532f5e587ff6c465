// The template designer `TFormSestE`: the paper with the template's sections and
// elements (TPapir), the palette (TPaleta), the property area (TPropertyPanel),
// and the commands, each a toolbar button with its hint and a menu item:
//   "Nová předloha", "Uložit předlohu" (the menu also "Uložit předlohu jako..."),
//   "Vymazat prvek", "Zrušit" / "Zpět" (undo / redo; their hints name the step:
//   "Zrušit …" or "Zrušit změny", "Znovu …" or "Znovu změny"), "Ukázka před tiskem",
//   "Tisknout sestavu", "Vystřihnout", "Kopírovat", "Vložit", "Nastavit prvek",
//   "Nastavit předlohu" (TSestDlg), "Nastavit prostředí", "Ukončit opravu předlohy",
//   "Přesunout dozadu", "Přenést dopředu"; in the menu also "Vyrovnat vše do rastru"
//   and "Vyrovnat vybrané".
// Keys: Delete, Ctrl+Z, Ctrl+Y, Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+S; the arrows move the
// selection by one raster step, Shift with the arrows resizes it.
//
// The designer edits its own copy of the component's template (TemplateDocument)
// and writes it back through the component when saving (TSestava::SaveTemplate,
// or the Predloha property of a stored template). Elements are copied through the
// system clipboard as template lines, so they paste between designer windows.
//
// Modal dialogs run through `dialogRunner` (default exec()), message boxes through
// ReportMessages; the preview and printing through `previewHook` and `printHook`
// (default: the component's PreviewAt and Print over the template as designed).
#pragma once

#include <QList>
#include <QMainWindow>
#include <functional>

#include "report/ui/designer/elementref.h"
#include "report/ui/designer/templatedocument.h"

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSplitter;

namespace report {

class TSestava;
class TPapir;
class TPaleta;
class TPropertyPanel;

class TFormSestE : public QMainWindow {
  Q_OBJECT
 public:
  // MIME type of elements on the clipboard (template lines, UTF-8).
  static constexpr const char* kClipboardMime = "application/x-sestava-prvky";

  explicit TFormSestE(TSestava& sestava, QWidget* parent = nullptr);
  ~TFormSestE() override;

  // Runs a modal dialog; the default is exec().
  std::function<int(QDialog&)> dialogRunner;
  std::function<void()> previewHook;
  std::function<void()> printHook;
  // Whether the folder of the template file can be written; the default asks
  // the file system (tests answer for a folder even root could not write).
  std::function<bool(const QString& folder)> folderWritable;
  // The user's own configuration folder of the program, where a template from a
  // folder that cannot be written is saved; empty: the system's location.
  QString userFolder;

  TemplateDocument& document() { return document_; }
  TSestava& sestava() { return sestava_; }
  TPapir* paper() const { return paper_; }
  TPaleta* palette() const { return palette_; }
  TPropertyPanel* properties() const { return properties_; }

  const QList<ElementRef>& selection() const { return selection_; }
  void setSelection(const QList<ElementRef>& selection);
  // The section that pasting and placing go to: the last one clicked (the body at first).
  int currentSection() const { return currentSection_; }
  void setZoomPercent(int percent);
  int zoomPercent() const { return zoomPercent_; }
  // The command of this text (the toolbar's hint text, or the menu item's text).
  QAction* command(const QString& text) const;

  // ---- Commands.
  void newTemplate();
  bool saveTemplate();
  void saveTemplateAs();
  void deleteSelected();
  void undo();
  void redo();
  void preview();
  void print();
  void cut();
  void copy();
  void paste();
  void configureElement();
  void templateSettings();
  void environmentSettings();
  void sendToBack();
  void bringToFront();
  void alignAll();
  void alignSelected();
  void addFunction();
  void editFunction(int index);
  void removeFunction(int index);
  void chooseFont();

  // Where "Uložit předlohu jako..." starts: the template's own file when its
  // folder can be written, else the same name in `userFolder` (the user's own
  // configuration folder of the program; empty: none).
  static QString SaveAsStartPath(const QString& templateFile, bool folderWritable, const QString& userFolder);

  // Shows the window modally and returns when it has closed.
  void runModal();

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* addCommand(const QString& text, int icon, const std::function<void()>& run, const QKeySequence& key = {});
  void buildCommands();
  void buildWindow();
  void connectPaper();
  void refresh();
  void updateCommands();
  void updateProperties();
  void updateTitle();
  void fitPropertyArea();
  void fitWindow();
  int runDialog(QDialog& dialog);
  void pushToComponent();
  void runWithDesignedTemplate(const std::function<void()>& run);
  void changeSelected(int code, const std::function<void(TReportElement&)>& change);
  void elementClicked(ElementRef ref, Qt::KeyboardModifiers modifiers);
  void bandSelected(const QList<ElementRef>& caught, Qt::KeyboardModifiers modifiers);
  void place(int section, QPoint at);
  void arrowKey(int dx, int dy, bool resize);
  QString iniPath() const;
  bool templateFolderWritable() const;
  QString saveAsStartPath() const;
  // Where Save writes instead of the template's own file: the user's copy when
  // that file's folder cannot be written, else empty.
  QString userCopyPath() const;
  // After a save under a new name: the template lives there from now on.
  void adoptTemplateFile(const QString& file);

  TSestava& sestava_;
  TemplateDocument document_;
  QList<ElementRef> selection_;
  int currentSection_ = kSectionBody;
  int zoomPercent_ = 100;

  TPapir* paper_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QScrollArea* side_ = nullptr;  // the property area
  QSplitter* split_ = nullptr;    // the paper beside the property area
  TPaleta* palette_ = nullptr;
  TPropertyPanel* properties_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QLabel* status_ = nullptr;
  QList<QAction*> commands_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QList<QAction*> needSelection_;
  QAction* paste_ = nullptr;
};

}  // namespace report
