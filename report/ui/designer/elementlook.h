// How the designer shows an element: an output element of the page renderer,
// the same the preview and the printer draw, with the element's own text where
// it has one and a placeholder where its text comes only with the data (the
// column's name, the parameter, the variable's or function's name). So what the
// designer shows is what prints, except for the data itself.
#pragma once

#include <QStringList>

#include "report/layout/outputdocument.h"
#include "report/layout/textmeasurer.h"
#include "report/model/userfunction.h"

namespace report {

class ElementLook {
 public:
  // What the placeholders are taken from.
  struct Context {
    QStringList fieldNames, fieldLabels, parameters;
    TListFunkci functions;
  };

  // The text shown for an element: the text of a "Text"; the name of the column
  // ("Položka tabulky"); the column's caption or name ("Popis položky"); the
  // parameter's text or "Parametr n"; the variable's name; the function's name
  // or "Funkce n"; the picture's name; the barcode's text.
  static QString Placeholder(const TReportElement& e, const Context& context);
  // One line about the element for the property area and the status bar: its
  // kind and what it shows ("Položka tabulky: Vel1").
  static QString Describe(const TReportElement& e, const Context& context);

  // The output element at (0, 0): the element's look with its placeholder, laid
  // out in lines where it prints in lines (line breaks, wrapping, justified and
  // rich text), a barcode with its bars.
  static TVystPrvek Output(const TReportElement& e, const Context& context, const TextMeasurer& measurer);
};

}  // namespace report
