// The designer's palette (`TPaleta`): what can be placed, on seven tabs.
//   "Položky"        one entry per column (a "Položka tabulky" element)
//   "Popisy"         one entry per column (a "Popis položky" element)
//   "Parametry"      one entry per parameter
//   "Proměnné"       the system variables ("Datum tisku", "Čas tisku", "Číslo řádku
//                    v sestavě", "Číslo strany", "Číslo řádku ve skupině", "Číslo
//                    skupiny", "Celkový počet stran"; the group ones for the group
//                    chosen beside them)
//   "Funkce"         one entry per user function, with "Oprav", "Přidej", "Vynech"
//   "Grafické prvky" "Grafický text", "Úsečky", "Hranatý rámeček", "Zaoblený
//                    rámeček", "Elipsa", "Obrázek", "Čárový kód", "Kreslicí plocha"
//   "Detaily"        "Detail": the place of a detail report in the body
// Choosing an entry (it stays pressed) makes the next click on the paper place
// its element there; choosing it again, or placing, lets it go.
#pragma once

#include <QHash>
#include <QStringList>
#include <QTabWidget>
#include <optional>

#include "report/model/reportelement.h"
#include "report/model/userfunction.h"

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace report {

class TPaleta : public QTabWidget {
  Q_OBJECT
 public:
  explicit TPaleta(QWidget* parent = nullptr);

  // A new element of `kind` as the palette places it: its default size, font,
  // pen and fill (index: the column, parameter, variable, function or detail).
  static TReportElement Prototype(int kind, int index = 0);

  void setColumns(const QStringList& names, const QStringList& labels);
  void setParameters(const QStringList& parameters);
  void setFunctions(const TListFunkci& functions);
  void setGroupCount(int groups);

  // The element that the chosen entry places, or nothing.
  std::optional<TReportElement> chosen() const;
  // The function of the chosen entry of "Funkce", or -1.
  int chosenFunction() const;
  void clearChoice();

  // The entry whose hint (or text) is `text`, or nullptr.
  QToolButton* entry(const QString& text) const;

 signals:
  void choiceChanged(bool chosen);
  void editFunctionRequested(int index);    // "Oprav"
  void addFunctionRequested();              // "Přidej"
  void removeFunctionRequested(int index);  // "Vynech"

 private:
  QWidget* addPage(const QString& title, QHBoxLayout** entries);
  QToolButton* addEntry(QHBoxLayout* layout, const QString& text, const QString& hint, const TReportElement& e,
                        const QIcon& icon = {});
  void clearEntries(QHBoxLayout* layout);
  void buttonToggled(QAbstractButton* button, bool on);

  QButtonGroup* group_;
  QHash<QAbstractButton*, TReportElement> prototypes_;
  QHash<QAbstractButton*, int> functionOf_;
  QHBoxLayout* columns_ = nullptr;
  QHBoxLayout* captions_ = nullptr;
  QHBoxLayout* parameters_ = nullptr;
  QHBoxLayout* variables_ = nullptr;
  QHBoxLayout* functions_ = nullptr;
  QHBoxLayout* graphics_ = nullptr;
  QHBoxLayout* details_ = nullptr;
  QSpinBox* groupNumber_ = nullptr;
  QPushButton* editFunction_ = nullptr;
  QPushButton* removeFunction_ = nullptr;
};

}  // namespace report
