// Renders every page of the main window in both languages, and the diagram
// window in both its modes, to PNG files, with a calculation done on the
// calculator page, so the look can be checked without a desktop. Usage:
// tab97-screenshots <output directory>. Runs on any Qt platform, normally
// QT_QPA_PLATFORM=offscreen.
//
// The pictures are the same however the user has set the program up: the
// windows run over a private program directory holding copies of the pictures
// and the chart from the program's own directory and a configuration file with
// the default decimal places. The user's "Tab97.cfg" is neither read nor written.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include "app/calculatorpage.h"
#include "app/charthost.h"
#include "app/config.h"
#include "app/diagr.h"
#include "app/functionpage.h"
#include "app/hlavniform.h"
#include "app/messages.h"
#include "app/platform.h"
#include "props/solver.h"
#include "res/texts.h"

namespace {

class ShotPlatform final : public tab97::Platform {
 public:
  ShotPlatform(QChar separator, QString programDir)
      : separator_(separator), programDir_(tab97::WithTrailingSeparator(programDir)) {}
  QChar DecimalSeparator() const override { return separator_; }
  QString ProgramDir() const override { return programDir_; }

 private:
  QChar separator_;
  QString programDir_;
};

// The private program directory: the pictures and the chart copied from the
// program's own directory, and the default configuration.
bool MakeProgramDir(const QTemporaryDir& program) {
  if (!program.isValid()) return false;
  const QDir own(QCoreApplication::applicationDirPath());
  const QStringList pictures =
      own.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.png"), QStringLiteral("*.bmp")}, QDir::Files);
  for (const QString& name : pictures) {
    if (!QFile::copy(own.filePath(name), program.filePath(name))) return false;
  }
  return tab97::WriteConfig(program.filePath(QString::fromLatin1(tab97::kConfigFileName)),
                            tab97::DefaultDecimalPlaces());
}

bool Save(QWidget& window, const QDir& dir, const QString& name) {
  QCoreApplication::processEvents();
  const QString path = dir.filePath(name + QStringLiteral(".png"));
  if (window.grab().save(path)) {
    std::printf("%s\n", qPrintable(path));
    return true;
  }
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

// Types the two inputs, presses Enter and lets the region name roll out.
void Calculate(tab97::ThlavniForm& form, const QString& first, const QString& second) {
  auto* edit1 = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));
  auto* edit2 = form.findChild<QLineEdit*>(QStringLiteral("Edit2"));
  edit1->setText(first);
  edit2->setText(second);
  form.Calculator()->Edit1KeyPress(edit2, QChar(13));
  auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer2"));
  for (int tick = 0; tick < 40 && timer->isActive(); ++tick) form.Calculator()->Timer2Timer();
}

void Menu(tab97::ThlavniForm& form, const char* label) {
  form.menuMouseUp(form.findChild<QLabel*>(QString::fromLatin1(label)));
}

// Types the two known values of a point into the editor of its row, as the
// user does; the row is solved when a later call (or LeaveRow) moves on.
void TypePoint(tab97::ThlavniForm& form, int row, const QString& first, const QString& second) {
  auto* grid = form.findChild<QTableWidget*>(QStringLiteral("SGBody1"));
  const QString texts[2] = {first, second};
  for (int column = 0; column < 2; ++column) {
    grid->setCurrentCell(row, column);
    if (auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()))) editor->setText(texts[column]);
  }
}

void LeaveRow(tab97::ThlavniForm& form, int nextRow) {
  form.findChild<QTableWidget*>(QStringLiteral("SGBody1"))->setCurrentCell(nextRow, 0);
}

// Chooses function `index` of `group` as the user does and evaluates it.
void EvaluateFunction(tab97::ThlavniForm& form, int group, int index, const QStringList& inputs) {
  auto* page = form.findChild<tab97::FunctionPage*>();
  form.findChild<QComboBox*>(QStringLiteral("ComboSkupiny"))->setCurrentIndex(group - 1);
  page->ComboSkupinyChange();
  form.findChild<QComboBox*>(QStringLiteral("Combo%1").arg(group))->setCurrentIndex(index);
  page->ComboChange(group);
  QLineEdit* last = nullptr;
  for (int k = 0; k < inputs.size(); ++k) {
    last = form.findChild<QLineEdit*>(QStringLiteral("EditVstup%1").arg(k + 1));
    last->setText(inputs[k]);
  }
  page->EditVstupKeyPress(last, QChar(13));
}

// The diagram window over the main window's state, on a 1280 × 1024 screen: as
// it opens (full size, with the navigator) and fitted to its height.
bool ShootDiagram(tab97::ThlavniForm& form, const QString& programDir, const QDir& dir, const QString& suffix) {
  tab97::TDiagramForm diagram(form.State());
  diagram.SetScreenSize(QSize(1280, 1024));
  if (!diagram.LoadChart(programDir + QString::fromLatin1(tab97::chart::kChartFile))) {
    std::fprintf(stderr, "cannot load the chart from %s\n", qPrintable(programDir));
    return false;
  }
  diagram.show();
  bool ok = Save(diagram, dir, QStringLiteral("4-diagram-full") + suffix);
  diagram.BitBtn1Click();
  ok &= Save(diagram, dir, QStringLiteral("4-diagram-fit") + suffix);
  diagram.hide();
  return ok;
}

bool ShootLanguage(int language, const QDir& dir) {
  const bool czech = language == tab97::texts::kCzech;
  const QTemporaryDir program;
  if (!MakeProgramDir(program)) {
    std::fprintf(stderr, "cannot prepare a program directory with the pictures\n");
    return false;
  }
  const ShotPlatform platform(czech ? QLatin1Char(',') : QLatin1Char('.'), program.path());
  tab97::ThlavniForm form(platform, &if97::SolveState);
  form.show();
  const QString suffix = czech ? QStringLiteral("-cz") : QStringLiteral("-en");
  bool ok = Save(form, dir, QStringLiteral("0-start") + suffix);
  if (czech) form.Image13Click();
  else form.Image14Click();
  Calculate(form, QStringLiteral("284.15"), QStringLiteral("16.257"));
  ok &= Save(form, dir, QStringLiteral("1-calculator") + suffix);
  form.Calculator()->ShapeV4MouseUp();  // dryness becomes the first input, T the second
  Calculate(form, QStringLiteral("0,35"), QStringLiteral("150"));
  ok &= Save(form, dir, QStringLiteral("2-calculator-wet") + suffix);
  form.Calculator()->lblMetastabClick();
  for (int tick = 0; tick < 40; ++tick) form.Calculator()->Timer2Timer();
  ok &= Save(form, dir, QStringLiteral("3-calculator-metastable") + suffix);
  Menu(form, "menuBody1");  // the known pair is now X, T
  TypePoint(form, 0, QStringLiteral("0,35"), QStringLiteral("150"));
  TypePoint(form, 1, QStringLiteral("1"), QStringLiteral("250.5"));
  TypePoint(form, 2, QStringLiteral("0"), QStringLiteral("99,61"));
  TypePoint(form, 3, QStringLiteral("-0.2"), QStringLiteral("100"));  // negative: "x x x"
  LeaveRow(form, 4);
  LeaveRow(form, 5);  // row 4 left empty: "- - -"
  TypePoint(form, 5, QStringLiteral("0,9"), QStringLiteral("3"));  // typed, not yet left
  ok &= Save(form, dir, QStringLiteral("4-points") + suffix);
  ok &= ShootDiagram(form, platform.ProgramDir(), dir, suffix);  // the solved points marked
  Menu(form, "menuFunkce2");
  EvaluateFunction(form, 5, 5, {QStringLiteral("10"), QStringLiteral("3300"), QStringLiteral("0,1")});  // HISO
  ok &= Save(form, dir, QStringLiteral("5-functions") + suffix);
  EvaluateFunction(form, 5, 2, {QStringLiteral("20"), QStringLiteral("0.1")});  // dynamic viscosity
  ok &= Save(form, dir, QStringLiteral("5-functions-viscosity") + suffix);
  EvaluateFunction(form, 1, 0, {QStringLiteral("1")});  // Ts_P
  ok &= Save(form, dir, QStringLiteral("5-functions-saturation") + suffix);
  EvaluateFunction(form, 1, 0, {QStringLiteral("50")});  // Ts_P above the critical pressure: no value
  ok &= Save(form, dir, QStringLiteral("5-functions-out-of-range") + suffix);
  Menu(form, "menuRozsahy3");
  ok &= Save(form, dir, QStringLiteral("6-ranges") + suffix);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tab97-screenshots <output directory>\n");
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) return 1;
  tab97::MessageBoxes::SetSink([](const QString&, const QString& text) {
    std::printf("(message) %s\n", qPrintable(text));
  });
  bool ok = ShootLanguage(tab97::texts::kCzech, dir);
  ok &= ShootLanguage(tab97::texts::kEnglish, dir);
  return ok ? 0 : 1;
}
