#include "report/model/reportelement.h"

namespace report {

QString ElementKindName(int kind) {
  switch (kind) {
    case kElementText: return QStringLiteral("Text");
    case kElementColumn: return QStringLiteral("Položka tabulky");
    case kElementCaption: return QStringLiteral("Popis položky");
    case kElementParameter: return QStringLiteral("Parametr");
    case kElementVariable: return QStringLiteral("Proměnná");
    case kElementFunction: return QStringLiteral("Funkce");
    case kElementLine: return QStringLiteral("Úsečka");
    case kElementRectangle: return QStringLiteral("Rámeček");
    case kElementRoundRect: return QStringLiteral("Zaoblený rámeček");
    case kElementEllipse: return QStringLiteral("Elipsa");
    case kElementPicture: return QStringLiteral("Obrázek");
    case kElementBarcode: return QStringLiteral("Čárový kód");
    case kElementPaintBox: return QStringLiteral("Kreslicí plocha");
    default: return QStringLiteral("Neznámý");
  }
}

}  // namespace report
