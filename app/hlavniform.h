// The main window ThlavniForm: a borderless, fixed 514 × 366 navy window with five
// pages without visible tabs, a background picture per page, a row of six menu
// labels, window dragging by the backgrounds and a close picture on every page.
#pragma once

#include <QWidget>

#include <array>
#include <memory>

#include "app/mainstate.h"
#include "app/solverport.h"

class QLabel;
class QStackedWidget;

namespace report {
class TSestava;
class TSestavaD;
}  // namespace report

namespace tab97 {

class CalculatorPage;
class PrintRows;
class ChartHost;
class FunctionPage;
class MouseLabel;
class Platform;
class PointsPage;
class RangesPage;
class StartPage;

class ThlavniForm : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 514;
  static constexpr int kClientHeight = 366;
  enum PageIndex { kPageCalculator = 0, kPagePoints = 1, kPageFunctions = 2, kPageRanges = 3, kPageStart = 4 };

  // Builds the window and runs FormCreate: reads the configuration file and the
  // decimal separator through `platform` and shows the start page.
  ThlavniForm(const Platform& platform, SolveFunction solve, QWidget* parent = nullptr);
  ~ThlavniForm() override;

  MainState& State() { return state_; }
  const MainState& State() const { return state_; }
  int CurrentPageIndex() const;

  // The diagram window, once it exists (not owned).
  void SetChartHost(ChartHost* host) { chartHost_ = host; }

  // The printout's report component and its data events.
  report::TSestava& Sestava1() { return *Sestava1_; }
  void StartPrint();
  void Sestava1GetData(report::TSestavaD& sender);
  int Sestava1StepData(report::TSestavaD& sender, int dir);

  // Puts the window in the middle of its screen.
  void CentreOnScreen();

  // Event handlers.
  void FormActivate();
  void menuMouseMove(QLabel* Sender);
  void menuMouseUp(QLabel* Sender);
  void menuMouseLeave();
  void ZaciatokPresunu(QPoint pos);
  void ImageMouseMove(QPoint pos, QPoint globalPos);
  void KoniecPresunu();
  void konecClick();
  void Image10Click();
  void Image11Click();
  void Image12Click();
  void Image13Click();
  void Image14Click();

  // Internal operations the pages share.
  void RestyleMenuLabels();
  void ApplyLanguage();
  void RefreshCalculatorPage();

  CalculatorPage* Calculator() const { return calculator_; }

 protected:
  bool event(QEvent* event) override;

 private:
  void FormCreate(const Platform& platform);
  void BuildPages();
  void AddFrame(QWidget* page, int index);
  void ReadConfiguration();
  QString ConfigPath() const;
  void CreateSestava1();
  void EndHover();

  MainState state_;
  ConfigStatus configStatus_ = ConfigStatus::kMissing;
  SolveFunction solve_;
  ChartHost* chartHost_ = nullptr;
  QStackedWidget* PageControl1_ = nullptr;
  CalculatorPage* calculator_ = nullptr;
  PointsPage* points_ = nullptr;
  FunctionPage* functions_ = nullptr;
  RangesPage* ranges_ = nullptr;
  StartPage* start_ = nullptr;
  std::unique_ptr<report::TSestava> Sestava1_;
  std::unique_ptr<PrintRows> printRows_;  // the rows of the run in progress
};

}  // namespace tab97
