// The start page (page index 4): title, a short description in both languages,
// three contact pictures and the two flags that choose the language.
#pragma once

#include <QWidget>

namespace tab97 {

class MouseLabel;

class StartPage : public QWidget {
  Q_OBJECT
 public:
  explicit StartPage(QWidget* parent = nullptr);

  // Loads the contact pictures and flags from the program directory.
  void LoadPictures(const QString& programDir);

 signals:
  void contactClicked(int contact);  // 1..3 for Image10..Image12
  void czechChosen();                // Image13
  void englishChosen();              // Image14

 private:
  MouseLabel* MakePicture(const char* objectName, const QRect& geometry, const QString& toolTip);

  MouseLabel* Image10_ = nullptr;
  MouseLabel* Image11_ = nullptr;
  MouseLabel* Image12_ = nullptr;
  MouseLabel* Image13_ = nullptr;
  MouseLabel* Image14_ = nullptr;
};

}  // namespace tab97
