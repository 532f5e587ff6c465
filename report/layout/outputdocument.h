// The output document of a report run (`TSestVystup`): pages (`TStranaPrvku`) of
// output elements (`TVystPrvek`), each a copy of a template element's look placed
// on its page with its final text. Plain data: the preview, the printers and the
// exports only draw what is here, and a test can read what is on page 3.
//
// Positions and sizes are in hundredths of an inch from the top-left corner of the
// printable area (the paper less its margins).
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

#include "report/barcode/barcode.h"
#include "report/model/reportelement.h"
#include "report/model/reportpaper.h"
#include "report/model/templatesettings.h"

namespace report {

// A piece of laid-out text in one font.
struct OutputRun {
  QString text;
  double x = 0;        // from the element's left, hundredths of an inch
  TReportFont font;    // name, size, style and colour index
  bool hasRgb = false; // a rich-text colour instead of the colour index
  std::uint32_t rgb = 0;
};

// One laid-out line of a text element.
struct OutputLine {
  double y = 0;       // top of the line, from the element's top, hundredths of an inch
  double ascent = 0;  // from the line's top to its baseline, hundredths of an inch
  double height = 0;  // to the next line's top, hundredths of an inch
  QList<OutputRun> runs;
};

struct TVystPrvek {
  TReportElement look;  // the template element (kind, font, alignment, flags, frame, pen, fill, …)
  int left = 0, top = 0, width = 0, height = 0;  // on the page
  int section = 0;      // index of the section that put it here
  // The final text of a text element; the picture names of a picture (tried in
  // order); the text a barcode encodes (with its check digits).
  QString text;
  // Text laid out line by line (wrapped, justified, rich, or more than one line);
  // empty when `text` is drawn as one line in the element's box.
  QList<OutputLine> lines;
  // A barcode's bars and the module width in device units it is drawn with.
  std::shared_ptr<const barcode::BarcodePattern> barcode;
  int moduleWidth = 1;
  bool showsPageCount = false;  // a variable element of "Počet stran"
};

struct TStranaPrvku {
  QList<TVystPrvek> elements;  // in drawing order
};

struct TSestVystup {
  QList<TStranaPrvku> pages;
  ReportPaper paper;                 // of the main report
  TemplateRaster raster;             // line and character pitch of text output
  TemplateBackground background;
  // The print range and copies of the run, handed over by the main run.
  int StartPage = 1, EndPage = 9999, PrintCopies = 1, ExportLanguage = 0;

  int pageCount() const { return static_cast<int>(pages.size()); }
  int elementCount() const;
  void clear() { *this = TSestVystup{}; }
};

}  // namespace report
