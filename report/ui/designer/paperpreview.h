// The paper drawn on the "Papír" tab of the report settings: the page in its
// orientation, the margins shaded, and the print columns with their gaps.
#pragma once

#include <QWidget>

#include "report/model/reportpaper.h"

namespace report {

class TPaperPreview : public QWidget {
  Q_OBJECT
 public:
  explicit TPaperPreview(QWidget* parent = nullptr);
  void setPaper(const ReportPaper& paper);
  QSize sizeHint() const override { return QSize(150, 170); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ReportPaper paper_;
};

}  // namespace report
