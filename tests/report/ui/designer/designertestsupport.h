// Shared by the designer's tests: a report component over a copy of the
// program's own template (zostava.pts) and ini file in a temporary directory,
// with the program's six columns and fifteen parameters and a fake printer.
#pragma once

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "report/component/sestava.h"
#include "report/io/inifile.h"
#include "report/print/fakeprinterport.h"
#include "report/ui/messages.h"

namespace designertest {

inline QStringList FieldNames() {
  QStringList names;
  for (int i = 1; i <= 6; ++i) names.append(QStringLiteral("Vel%1").arg(i));
  return names;
}

inline QStringList Parameters() {
  return {QStringLiteral("Teplota"),   QStringLiteral("Tlak"),        QStringLiteral("Měrný objem"),
          QStringLiteral("Entalpie"),  QStringLiteral("Entropie"),    QStringLiteral("Suchost"),
          QStringLiteral("°C"),        QStringLiteral("MPa"),         QStringLiteral("m3/kg"),
          QStringLiteral("kJ/kg"),     QStringLiteral("kJ/(kg.K)"),   QStringLiteral("-"),
          QStringLiteral("Vlastnosti vody a vodní páry"), QStringLiteral("podle IAPWS-IF97"), QStringLiteral("Bod")};
}

inline QString Resource(const QString& name) {
  return QStringLiteral(DESIGNER_RESOURCE_DIR) + u'/' + name;
}

// A component whose template is a copy of zostava.pts in `dir`, loaded; its
// paper formats come from a copy of SestDLL.ini there.
inline std::unique_ptr<report::TSestava> MakeSestava(const QString& dir,
                                                     std::unique_ptr<report::PrinterPort> port = nullptr) {
  QFile::remove(dir + QStringLiteral("/zostava.pts"));
  QFile::remove(dir + QStringLiteral("/SestDLL.ini"));
  QFile::copy(Resource(QStringLiteral("zostava.pts")), dir + QStringLiteral("/zostava.pts"));
  QFile::copy(Resource(QStringLiteral("SestDLL.ini")), dir + QStringLiteral("/SestDLL.ini"));
  QFile::setPermissions(dir + QStringLiteral("/zostava.pts"), QFile::ReadOwner | QFile::WriteOwner);
  QFile::setPermissions(dir + QStringLiteral("/SestDLL.ini"), QFile::ReadOwner | QFile::WriteOwner);
  auto s = std::make_unique<report::TSestava>();
  s->FieldNames = FieldNames();
  s->Parametry = Parameters();
  s->ReportDirIgnore = false;
  s->setReportDir(dir);
  s->setReportName(QStringLiteral("zostava.pts"));
  s->IniFileName = dir + QStringLiteral("/SestDLL.ini");
  s->setPrinterPort(port ? std::move(port) : std::make_unique<report::FakePrinterPort>());
  (void)s->readPaperFormats();
  (void)s->LoadTemplate(true);
  return s;
}

// A value of the ini file at `path`, "(none)" when missing, "(unreadable)".
inline QString IniValue(const QString& path, const QString& section, const QString& key) {
  report::IniFile ini;
  if (!ini.load(path).ok) return QStringLiteral("(unreadable)");
  const auto v = ini.value(section, key);
  return v ? v->text : QStringLiteral("(none)");
}

// What an expression builder offers: its columns, parameters and functions,
// each list joined with ',' and the three with '|'.
inline QString Offered(const QWidget* builder) {
  QStringList lists;
  for (const char* name : {"columns", "parameters", "functions"}) {
    QStringList items;
    const auto* list = builder->findChild<QListWidget*>(QLatin1String(name));
    for (int i = 0; list && i < list->count(); ++i) items.append(list->item(i)->text());
    lists.append(items.join(u','));
  }
  return lists.join(u'|');
}

// What the builder offers over this report's columns and parameters and `functions`.
inline QString Offering(const QStringList& functions) {
  QStringList parameters;  // by their numbers: "&1  Teplota"
  for (const QString& p : Parameters()) parameters.append(QStringLiteral("&%1  %2").arg(parameters.size() + 1).arg(p));
  return FieldNames().join(u',') + u'|' + parameters.join(u',') + u'|' + functions.join(u',');
}

// "Ok", "Yes", "No" or "Cancel" as the answer to a box.
inline report::Answer AnswerNamed(const QString& name) {
  const QStringList names = {QStringLiteral("Ok"), QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")};
  return static_cast<report::Answer>(qMax(0, names.indexOf(name)));
}

}  // namespace designertest
