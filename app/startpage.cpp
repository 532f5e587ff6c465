#include "app/startpage.h"

#include <QLabel>
#include <QPixmap>

#include "app/style.h"
#include "app/widgets.h"
#include "res/pictures.h"
#include "res/texts.h"

namespace tab97 {
namespace {
constexpr int kTextLeft = 34;
constexpr int kTextWidth = 446;
constexpr int kPictureTop = 282;
constexpr int kFlagTop = 287;
constexpr int kFirstParagraphTop = 62;
constexpr int kParagraphGap = 5;
constexpr int kLanguageGap = 7;
}  // namespace

StartPage::StartPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TabSheetVstup"));
  setFont(style::FormFont());  // the paragraphs are measured in the window's font
  QLabel* title = style::MakeLabel(this, "lblTitul", style::kValue, QRect(14, 18, 486, 28), Qt::AlignCenter);
  title->setFont(style::PixelFont(22, true));
  title->setText(texts::StartTitle());

  // The paragraphs stand one under the other, each as tall as its wrapped text.
  const char* const names[4] = {"lblUvod1", "lblUvod2", "lblIntro1", "lblIntro2"};
  int top = kFirstParagraphTop;
  for (int k = 0; k < 4; ++k) {
    const int language = k < 2 ? texts::kCzech : texts::kEnglish;
    if (k == 2) top += kLanguageGap;
    QLabel* paragraph = style::MakeLabel(this, names[k], language == texts::kCzech ? style::kText : style::kUnit,
                                         QRect(kTextLeft, top, kTextWidth, 10), Qt::AlignLeft | Qt::AlignTop);
    paragraph->setWordWrap(true);
    paragraph->setText(texts::StartParagraph(language, k % 2 + 1));
    paragraph->resize(kTextWidth, paragraph->heightForWidth(kTextWidth));
    top += paragraph->height() + kParagraphGap;
  }

  Image10_ = MakePicture("Image10", QRect(40, kPictureTop, pictures::kContactSize, pictures::kContactSize),
                         QStringLiteral("Zadavatel · Contracting party"));
  Image11_ = MakePicture("Image11", QRect(96, kPictureTop, pictures::kContactSize, pictures::kContactSize),
                         QStringLiteral("Výpočtové knihovny · Calculation libraries"));
  Image12_ = MakePicture("Image12", QRect(152, kPictureTop, pictures::kContactSize, pictures::kContactSize),
                         QStringLiteral("Uživatelský program · User program"));
  Image13_ = MakePicture("Image13", QRect(352, kFlagTop, pictures::kFlagWidth, pictures::kFlagHeight),
                         QStringLiteral("Česky"));
  Image14_ = MakePicture("Image14", QRect(420, kFlagTop, pictures::kFlagWidth, pictures::kFlagHeight),
                         QStringLiteral("English"));
  QLabel* hint = style::MakeLabel(this, "lblJazyk", style::kHeading, QRect(300, 262, 190, 16), Qt::AlignCenter);
  hint->setText(texts::LanguageChoiceHint());
  QLabel* contacts = style::MakeLabel(this, "lblKontakty", style::kHeading, QRect(30, 262, 180, 16), Qt::AlignCenter);
  contacts->setText(QStringLiteral("Kontakty  ·  Contacts"));

  connect(Image10_, &MouseLabel::clicked, this, [this] { emit contactClicked(1); });
  connect(Image11_, &MouseLabel::clicked, this, [this] { emit contactClicked(2); });
  connect(Image12_, &MouseLabel::clicked, this, [this] { emit contactClicked(3); });
  connect(Image13_, &MouseLabel::clicked, this, &StartPage::czechChosen);
  connect(Image14_, &MouseLabel::clicked, this, &StartPage::englishChosen);
}

MouseLabel* StartPage::MakePicture(const char* objectName, const QRect& geometry, const QString& toolTip) {
  auto* picture = new MouseLabel(this);
  picture->setObjectName(QString::fromLatin1(objectName));
  picture->setGeometry(geometry);
  picture->setCursor(Qt::PointingHandCursor);
  picture->setToolTip(toolTip);
  picture->setScaledContents(true);
  return picture;
}

void StartPage::LoadPictures(const QString& programDir) {
  const auto load = [&programDir](QLabel* label, const char* file) {
    label->setPixmap(QPixmap(programDir + QString::fromLatin1(file)));
  };
  load(Image10_, pictures::kContactCustomer);
  load(Image11_, pictures::kContactLibraries);
  load(Image12_, pictures::kContactProgram);
  load(Image13_, pictures::kFlagCzech);
  load(Image14_, pictures::kFlagEnglish);
}

}  // namespace tab97
