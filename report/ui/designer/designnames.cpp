#include "report/ui/designer/designnames.h"

#include <QComboBox>
#include <QPixmap>

#include "report/barcode/barcode.h"
#include "report/model/colortable.h"

namespace report {

QStringList DesignNames::Colours() {
  return {QStringLiteral("Černá"),        QStringLiteral("Tmavě červená"), QStringLiteral("Tmavě zelená"),
          QStringLiteral("Olivová"),      QStringLiteral("Tmavě modrá"),   QStringLiteral("Fialová"),
          QStringLiteral("Modrozelená"),  QStringLiteral("Šedá"),          QStringLiteral("Stříbrná"),
          QStringLiteral("Červená"),      QStringLiteral("Zelená"),        QStringLiteral("Žlutá"),
          QStringLiteral("Modrá"),        QStringLiteral("Purpurová"),     QStringLiteral("Azurová"),
          QStringLiteral("Bílá")};
}

QStringList DesignNames::PenStyles() {
  return {QStringLiteral("Plná"),       QStringLiteral("Čárkovaná"),          QStringLiteral("Tečkovaná"),
          QStringLiteral("Čerchovaná"), QStringLiteral("Dvojitě čerchovaná"), QStringLiteral("Žádná")};
}

QStringList DesignNames::FillStyles() {
  return {QStringLiteral("Plná"),          QStringLiteral("Žádná"),         QStringLiteral("Vodorovné šrafy"),
          QStringLiteral("Svislé šrafy"),  QStringLiteral("Šikmé šrafy /"), QStringLiteral("Šikmé šrafy \\"),
          QStringLiteral("Mřížka"),        QStringLiteral("Šikmá mřížka")};
}

QStringList DesignNames::BarcodeTypes() {
  QStringList out;
  for (int t = 0; t < barcode::kBarcodeTypeCount; ++t) {
    const std::string_view name = barcode::BarcodeTypeName(t);
    out.append(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  }
  return out;
}

QComboBox* DesignNames::ColourCombo(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  const QStringList names = Colours();
  for (int i = 0; i < kColorCount; ++i) {
    QPixmap swatch(14, 14);
    const ReportRgb c = ColorOfIndex(i);
    swatch.fill(QColor(c.red, c.green, c.blue));
    combo->addItem(QIcon(swatch), names.at(i));
  }
  return combo;
}

}  // namespace report
