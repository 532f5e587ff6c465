// The diagram window TDiagramForm: the T-s chart ImageTS with the point markers
// bod1 .. bod12 in the viewport ChartArea, and beside it, in a panel at the left
// edge, the buttons fit to height (BitBtn1), full size (BitBtn2) and close
// (BitBtn3) over the navigator ImageNahled with its frame poloha. The window
// draws no curves: the chart is the picture the main window loads into it, and
// the markers are placed from the main window's shared state.
#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>

#include <array>

#include "app/charthost.h"
#include "app/diagramlogic.h"
#include "app/mainstate.h"

class QLabel;
class QToolButton;

namespace tab97 {

namespace diagram_widgets {
class ChartImage;
class MarkerShape;
class NavigatorFrame;
}  // namespace diagram_widgets

class TDiagramForm : public QDialog, public ChartHost {
  Q_OBJECT
 public:
  // Reads the markers' state from `state` (StateValues, PointsMode, PointTable,
  // DecimalPlaces, LanguageIndex, DecimalSeparator) whenever they are placed.
  explicit TDiagramForm(const MainState& state, QWidget* parent = nullptr);
  ~TDiagramForm() override;

  // The screen the window fills; by default the size of the screen it is on.
  // Tests and the screenshot renderer give their own.
  void SetScreenSize(QSize size) { screenSize_ = size; }

  // ChartHost: loads the chart bitmap into ImageTS and the navigator picture from
  // the same directory (a reduced copy of the chart when that file is missing).
  bool LoadChart(const QString& path) override;
  void ShowModal() override;

  // Event handlers.
  void FormActivate();
  void BitBtn1Click();  // fit to height
  void BitBtn2Click();  // full size
  void BitBtn3Click();  // close
  void ImageTSMouseDown(QPoint pos);
  void ImageTSMouseMove(QPoint pos);
  void ImageTSMouseUp();
  void polohaMouseDown(QPoint pos);
  void polohaMouseMove(QPoint pos);
  void polohaMouseUp();

  // Positions, shows or hides the markers and sets their tooltips.
  void PlaceMarkers();

  // For tests and screenshots. The chart's and the markers' geometries are in
  // the viewport, the viewport's, the frame's and the controls' in the window.
  QRect ViewportGeometry() const;
  QRect ChartGeometry() const;
  bool ChartStretched() const;
  QRect FrameGeometry() const;
  bool NavigatorVisible() const;
  QWidget* Marker(int k) const;  // k = 1..12
  QWidget* ChartWidget() const;
  QWidget* FrameWidget() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  QToolButton* AddButton(const char* name, int index, const QIcon& glyph);
  diagram::Rect ChartRect() const;
  QSize Screen() const;
  void SetWindowGeometry(const diagram::Rect& window);
  void MoveMarkers(int dx, int dy);

  const MainState& state_;
  QSize screenSize_;
  QImage picture_;
  QWidget* ChartArea_ = nullptr;  // the viewport: the chart and its markers, clipped to it
  diagram_widgets::ChartImage* ImageTS_ = nullptr;
  std::array<diagram_widgets::MarkerShape*, diagram::kMarkerCount> bod_{};
  QLabel* ImageNahled_ = nullptr;
  diagram_widgets::NavigatorFrame* poloha_ = nullptr;
  QToolButton* BitBtn1_ = nullptr;
  QToolButton* BitBtn2_ = nullptr;
  QToolButton* BitBtn3_ = nullptr;

  // Window state of the mouse gestures.
  bool PanActive_ = false;
  bool PanMoved_ = false;
  int PanOriginX_ = 0;
  int PanOriginY_ = 0;
  int PanLeft_ = 0;
  int PanTop_ = 0;
  bool FrameDragActive_ = false;
  int FrameOriginX_ = 0;
  int FrameOriginY_ = 0;
};

}  // namespace tab97
