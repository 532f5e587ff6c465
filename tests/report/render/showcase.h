// A report that shows every kind of element (texts in fonts and alignments,
// frames, lines, boxes, ellipses, a picture, barcodes straight and rotated,
// rotated and justified text, a drawing area) over a few rows: the page the
// renderer tests look at and the screenshots show.
#pragma once

#include <QImage>

#include "../layout/tabledata.h"
#include "report/io/systemvariables.h"
#include "report/layout/generator.h"

namespace report {

inline void BuildShowcase(ReportDefinition& r, const QString& picturePath) {
  r.paper.width = 826;
  r.paper.height = 1169;
  r.paper.marginLeft = r.paper.marginRight = r.paper.marginTop = r.paper.marginBottom = 50;
  TOddilSestavy& start = r.sections[kSectionStart];
  start.height = 420;
  TReportElement title = MakeElement(kElementParameter, 0, 0, 0, 726, 40);
  title.font.size = 20;
  title.font.style = kFontBold;
  title.alignment = kAlignCenter;
  start.elements.append(title);
  TReportElement framed = MakeElement(kElementText, 0, 0, 60, 220, 30, QStringLiteral("Rámeček vlevo a dole"));
  framed.frame = kFrameSide1 | kFrameSide4;
  start.elements.append(framed);
  TReportElement right = MakeElement(kElementText, 0, 240, 60, 220, 30, QStringLiteral("Vpravo, kurzíva"));
  right.alignment = kAlignRight;
  right.font.style = kFontItalic;
  right.font.color = 12;
  start.elements.append(right);
  TReportElement justified = MakeElement(kElementText, 0, 480, 60, 246, 60,
      QStringLiteral("Text zarovnaný do bloku se rozloží na celou šířku prvku, poslední řádek zůstává vlevo."));
  justified.flags = kFlagJustify | kFlagVariableHeight;
  justified.font.size = 8;
  start.elements.append(justified);
  TReportElement line = MakeElement(kElementLine, 0, 0, 110, 460, 0);
  line.penWidth = 2;
  start.elements.append(line);
  TReportElement box = MakeElement(kElementRectangle, 0, 0, 130, 140, 80);
  box.fillColor = 11;
  box.fillStyle = 0;
  start.elements.append(box);
  TReportElement round = MakeElement(kElementRoundRect, 0, 160, 130, 140, 80);
  round.fillStyle = 6;
  round.fillColor = 4;
  round.penColor = 4;
  start.elements.append(round);
  TReportElement ellipse = MakeElement(kElementEllipse, 0, 320, 130, 140, 80);
  ellipse.fillColor = 10;
  ellipse.penStyle = 1;
  start.elements.append(ellipse);
  TReportElement picture = MakeElement(kElementPicture, 0, 480, 140, 120, 70, QStringLiteral("chybi.png;") + picturePath);
  picture.frame = kPictureStretch | kPictureKeepAspect;
  start.elements.append(picture);
  TReportElement ean = MakeElement(kElementBarcode, 0, 0, 230, 300, 80, QStringLiteral("400638133393"));
  ean.penStyle = 14;
  ean.penWidth = 2;
  ean.fillColor = 15;
  ean.frame = kBarcodeShowText;
  start.elements.append(ean);
  TReportElement code128 = MakeElement(kElementBarcode, 0, 360, 400, 260, 60, QStringLiteral("IF97 Tab"));
  code128.penStyle = 6;
  code128.penWidth = 1;
  code128.fillColor = 15;
  code128.extra = {0, 90, 0};  // rotated a quarter turn
  start.elements.append(code128);
  TReportElement rotated = MakeElement(kElementText, 0, 640, 230, 80, 160, QStringLiteral("Otočený text"));
  rotated.extra = {0, 90, 0};
  rotated.font.size = 12;
  start.elements.append(rotated);

  TOddilSestavy& header = r.sections[kSectionHeader];
  header.height = 30;
  const char16_t* captions[] = {u"Číslo", u"Teplota °C", u"Tlak MPa"};
  for (int c = 0; c < 3; ++c) {
    TReportElement e = MakeElement(kElementText, 0, c * 160, 0, 150, 25, QString::fromUtf16(captions[c]));
    e.font.style = kFontBold;
    e.frame = kFrameSide4;
    header.elements.append(e);
  }
  TOddilSestavy& body = r.sections[kSectionBody];
  body.height = 20;
  for (int c = 0; c < 3; ++c) {
    TReportElement e = MakeElement(kElementColumn, c, c * 160, 0, 150, 20);
    e.alignment = c == 0 ? kAlignLeft : kAlignRight;
    body.elements.append(e);
  }
  TOddilSestavy& footer = r.sections[kSectionFooter];
  footer.height = 30;
  footer.elements = {MakeElement(kElementVariable, kVarPage, 300, 5, 60, 20, QStringLiteral("Strana %d")),
                     MakeElement(kElementVariable, kVarPageCount, 370, 5, 60, 20, QStringLiteral("z %d"))};
  r.sections[kSectionEnd].visible = false;
}

inline TableData ShowcaseData(int rows) {
  QList<QStringList> table;
  for (int i = 1; i <= rows; ++i)
    table.append({QString::number(i), QString::number(100 + i * 2.5, 'f', 2), QString::number(i * 0.125, 'f', 3)});
  TableData data({QStringLiteral("n"), QStringLiteral("t"), QStringLiteral("p")}, table);
  data.Parametry = {QStringLiteral("Ukázka všech prvků sestavy")};
  return data;
}

// A small picture: a blue square with a yellow disc.
inline QImage ShowcasePicture() {
  QImage image(80, 60, QImage::Format_RGB32);
  image.fill(QColor(0, 0, 128));
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x)
      if ((x - 40) * (x - 40) + (y - 30) * (y - 30) < 400) image.setPixel(x, y, qRgb(255, 255, 0));
  return image;
}

}  // namespace report
