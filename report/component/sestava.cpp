// TSestava: the template file, the Before/After events and OnError.
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>

#include "report/component/sestava.h"
#include "report/io/defaulttemplate.h"
#include "report/io/templatefile.h"
#include "report/io/templatetext.h"
#include "report/ui/messages.h"

namespace report {

TSestava::TSestava() = default;

void TSestava::setReportName(const QString& name) {
  if (name.isEmpty()) {
    reportName_.clear();
    return;
  }
  const QFileInfo info(name);
  QString base = name;
  if (!info.suffix().isEmpty()) base.chop(info.suffix().size() + 1);
  reportName_ = base + QStringLiteral(".pts");
}

void TSestava::setReportDir(const QString& dir) {
  QString d = dir;
  d.replace(u'\\', u'/');
  if (!d.isEmpty() && !d.endsWith(u'/')) d += u'/';
  reportDir_ = d;
  if (!d.isEmpty()) reportAlias_.clear();
}

void TSestava::setReportAlias(const QString& alias) {
  reportAlias_ = alias;
  if (!alias.isEmpty()) reportDir_.clear();
}

QString TSestava::GetTemplateFileName() {
  QString result;
  if (!reportAlias_.isEmpty()) {
    // No database engine with aliases here: an alias names no directory.
    if (DataSource && DataSource->DataSet)
      ReportMessages::Warning(nullptr, QStringLiteral("Neznámý alias: %1\rBude použito stand. nastavení").arg(reportAlias_));
    else
      ReportMessages::Warning(
          nullptr, QStringLiteral("Nelze použít alias, protože není definován zdroj dat nebo není typu TDBDataSet"));
  }
  if (result.isEmpty()) result = (ReportDirIgnore ? programDirectory() : reportDir_) + reportName_;
  return result;
}

void TSestava::SetTemplate(const TPredloha& lines) { TSestavaTyp::SetTemplate(lines); }

void TSestava::raiseSetPredloha() {
  if (OnSetPredloha) OnSetPredloha(*this);
}

bool TSestava::LoadTemplate(bool showErrors) {
  bool ok = false;
  if (OnNactiPredlohu) {
    ok = OnNactiPredlohu(*this);
  } else if (IsStored) {
    SetTemplate(TPredloha(Predloha));
    ok = true;
  } else {
    const QString path = GetTemplateFileName();
    if (!QFileInfo::exists(path)) {
      const QString question = QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"").arg(path);
      if (showErrors && ReportMessages::Ask(nullptr, question) == Answer::Yes) {
        // A new template with the automatic layout of the current columns, so
        // that the next run prints a real report; this run still fails.
        if (!WriteTemplateFile(path, DefaultTemplate(FieldNames, static_cast<int>(Parametry.size()))))
          ReportMessages::Error(nullptr, QStringLiteral("Soubor s předlohou se nepodařilo vytvořit. \"%1\"").arg(path));
      }
    } else {
      QStringList lines;
      const LoadResult read = ReadTemplateFile(path, &lines);
      if (read.ok) {
        SetTemplate(lines);
        ok = true;
      } else if (showErrors) {
        ReportMessages::Error(nullptr, read.error().message);
      }
    }
  }
  if (!ok) {
    raiseError(seTemplateNotLoaded);
    loadErrorRaised_ = true;
  }
  return ok;
}

bool TSestava::SaveTemplate() {
  if (OnUlozPredlohu) return OnUlozPredlohu(*this);
  QString error;
  // The new text is complete on disk before the old file becomes ".BAK".
  if (WriteTemplateFile(GetTemplateFileName(), FormatTemplate(definition()), &error)) return true;
  setLastError(error);
  ReportMessages::Error(nullptr, QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
  return false;
}

bool TSestava::SaveTemplateAs(const QString& fileName) {
  QString file = fileName;
  if (OnUlozPredlohuJako) return OnUlozPredlohuJako(*this, file);
  QString error;
  if (WriteTemplateFile(file, FormatTemplate(definition()), &error)) return true;
  setLastError(error);
  ReportMessages::Error(nullptr, QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
  return false;
}

int TSestava::prepare(Operation op) {
  if (Predloha.isEmpty() && !OnNactiPredlohu && reportName_.isEmpty() && !IsStored) {
    ReportMessages::Error(nullptr, QStringLiteral("Není definována cesta a název souboru s předlohou."));
    return seTemplateNotLoaded;
  }
  return TSestavaD::prepare(op);
}

void TSestava::before(Operation op) {
  const auto raise = [this](const std::function<void(TSestava&)>& e) {
    if (e) e(*this);
  };
  switch (op) {
    case Operation::Edit: raise(BeforeEdit); break;
    case Operation::Preview: raise(BeforePreview); break;
    case Operation::PrintPreview: raise(BeforePrintPreview); break;
    case Operation::Print:
    case Operation::Text: raise(BeforePrint); break;
    case Operation::Export: break;
  }
}

void TSestava::after(Operation op) {
  const auto raise = [this](const std::function<void(TSestava&)>& e) {
    if (e) e(*this);
  };
  switch (op) {
    case Operation::Edit: raise(AfterEdit); break;
    case Operation::Preview: raise(AfterPreview); break;
    case Operation::PrintPreview: raise(AfterPrintPreview); break;
    case Operation::Print:
    case Operation::Text: raise(AfterPrint); break;
    case Operation::Export: break;
  }
}

void TSestava::raiseError(int code) {
  if (OnError) OnError(*this, code);
}

bool TSestava::loadPicture(const QString& name, QImage* image) {
  bool ok = OnNactiObraz ? OnNactiObraz(*this, name, *image) : TSestavaD::loadPicture(name, image);
  if (ok && OnPreparePicture) OnPreparePicture(*this, *image, image->width(), image->height());
  return ok;
}

void TSestava::raiseVypoctiFunkce() {
  if (OnVypoctiFunkce) OnVypoctiFunkce(*this);
}

void TSestava::raiseTiskOddilu(int section, bool& print) {
  if (OnTiskOddilu) OnTiskOddilu(*this, section, print);
}

}  // namespace report
