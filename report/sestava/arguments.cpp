#include "report/sestava/arguments.h"

#include <QSet>

#include <cmath>
#include <functional>
#include <vector>

#include "report/barcode/barcode.h"

namespace report::tool {
namespace {

// A whole decimal number in [lo, hi].
bool ParseInt(const QString& text, int lo, int hi, int* value) {
  if (text.isEmpty() || text.size() > 10) return false;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return false;
  bool ok = false;
  const qlonglong v = text.toLongLong(&ok);
  if (!ok || v < lo || v > hi) return false;
  *value = static_cast<int>(v);
  return true;
}

struct Option {
  const char16_t* name;
  bool takesValue;
  // Applies the option; false with *error set when its value is wrong.
  std::function<bool(const QString& value, QString* error)> apply;
};

// Options of the form "--name VALUE" or "--name=VALUE", flags "--name"; the one
// positional argument (the template) when `positional` is given.
// "--help" or "-h" in the place of an option stops the parsing with *help set.
bool ParseOptions(const QStringList& args, qsizetype first, const std::vector<Option>& options, QString* positional,
                  const QString& command, bool* help, QString* error) {
  QSet<QString> seen;
  bool onlyPositional = false;
  for (qsizetype i = first; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    if (onlyPositional || !arg.startsWith(u'-') || arg == u"-") {
      if (!positional) {
        *error = QStringLiteral("sestava %1: unexpected argument '%2'").arg(command, arg);
        return false;
      }
      if (!positional->isNull()) {
        *error = QStringLiteral("sestava %1: more than one template ('%2')").arg(command, arg);
        return false;
      }
      *positional = arg;
      continue;
    }
    if (arg == u"--") {
      onlyPositional = true;
      continue;
    }
    if (arg == u"--help" || arg == u"-h") {
      *help = true;
      return true;
    }
    const qsizetype eq = arg.indexOf(u'=');
    const QString name = eq > 0 ? arg.left(eq) : arg;
    const Option* option = nullptr;
    for (const Option& o : options)
      if (name == QStringView(o.name)) option = &o;
    if (!option) {
      *error = QStringLiteral("sestava %1: unknown option '%2'").arg(command, name);
      return false;
    }
    QString value;
    if (option->takesValue) {
      if (eq > 0) {
        value = arg.mid(eq + 1);
      } else if (i + 1 < args.size()) {
        value = args.at(++i);
      } else {
        *error = QStringLiteral("sestava %1: %2 needs a value").arg(command, name);
        return false;
      }
    } else if (eq > 0) {
      *error = QStringLiteral("sestava %1: %2 takes no value").arg(command, name);
      return false;
    }
    if (name != u"--param" && seen.contains(name)) {
      *error = QStringLiteral("sestava %1: %2 given twice").arg(command, name);
      return false;
    }
    seen.insert(name);
    QString why;
    if (!option->apply(value, &why)) {
      *error = QStringLiteral("sestava %1: %2 %3").arg(command, name, why);
      return false;
    }
  }
  if (positional && positional->isNull()) {
    *error = QStringLiteral("sestava %1: the template file is missing").arg(command);
    return false;
  }
  return true;
}

bool NonEmpty(const QString& value, QString* target, QString* error) {
  if (value.isEmpty()) {
    *error = QStringLiteral("needs a non-empty value");
    return false;
  }
  *target = value;
  return true;
}

bool ParseRun(const QStringList& args, RunArguments* a, bool* help, QString* error) {
  const QString cmd = QStringLiteral("run");
  const auto path = [](QString* target) {
    return [target](const QString& v, QString* e) { return NonEmpty(v, target, e); };
  };
  const auto flag = [](bool* target) {
    return [target](const QString&, QString*) {
      *target = true;
      return true;
    };
  };
  const std::vector<Option> options = {
      {u"--data", true, path(&a->dataPath)},
      {u"--sqlite", true, path(&a->sqlitePath)},
      {u"--query", true, path(&a->query)},
      {u"--param", true,
       [a](const QString& v, QString*) {
         a->parameters.append(v);
         return true;
       }},
      {u"--text", true, path(&a->textPath)},
      {u"--codepage", true,
       [a](const QString& v, QString* e) {
         if (v == u"ascii") a->codepage = slASCII;
         else if (v == u"867") a->codepage = slCP867;
         else if (v == u"852") a->codepage = slCP852;
         else if (v == u"1250") a->codepage = slCP1250;
         else {
           *e = QStringLiteral("must be ascii, 867, 852 or 1250");
           return false;
         }
         return true;
       }},
      {u"--pdf", true, path(&a->pdfPath)},
      {u"--png", true, path(&a->pngDir)},
      {u"--dpi", true,
       [a](const QString& v, QString* e) {
         if (ParseInt(v, 10, 1200, &a->dpi)) return true;
         *e = QStringLiteral("must be a whole number from 10 to 1200");
         return false;
       }},
      {u"--emf", true, path(&a->emfBase)},
      {u"--wmf", true, path(&a->wmfBase)},
      {u"--pages", true,
       [a](const QString& v, QString* e) {
         if (ParsePageRange(v, &a->startPage, &a->endPage)) return true;
         *e = QStringLiteral("must be FROM-TO or N with 1 <= FROM <= TO <= 65535");
         return false;
       }},
      {u"--max-records", true,
       [a](const QString& v, QString* e) {
         if (ParseInt(v, 0, 2147483647, &a->maxRecords)) return true;
         *e = QStringLiteral("must be a whole number (0: no limit)");
         return false;
       }},
      {u"--one-record", false, flag(&a->oneRecord)},
      {u"--quiet", false, flag(&a->quiet)},
  };
  if (!ParseOptions(args, 1, options, &a->templatePath, cmd, help, error)) return false;
  if (*help) return true;
  if (!a->dataPath.isEmpty() && !a->sqlitePath.isEmpty()) {
    *error = QStringLiteral("sestava run: --data and --sqlite exclude each other");
    return false;
  }
  if (a->sqlitePath.isEmpty() != a->query.isEmpty()) {
    *error = QStringLiteral("sestava run: --sqlite and --query go together");
    return false;
  }
  return true;
}

bool ParseBarcode(const QStringList& args, BarcodeArguments* a, bool* help, QString* error) {
  bool typeGiven = false, textGiven = false;
  const std::vector<Option> options = {
      {u"--type", true,
       [&](const QString& v, QString* e) {
         typeGiven = true;
         if (ParseInt(v, 0, barcode::kBarcodeTypeCount - 1, &a->type)) return true;
         *e = QStringLiteral("must be a type number from 0 to %1").arg(barcode::kBarcodeTypeCount - 1);
         return false;
       }},
      {u"--text", true,
       [&](const QString& v, QString*) {
         textGiven = true;
         a->text = v;
         return true;
       }},
      {u"--check", false,
       [a](const QString&, QString*) {
         a->checkDigit = true;
         return true;
       }},
      {u"--ratio", true,
       [a](const QString& v, QString* e) {
         bool ok = false;
         const double r = v.toDouble(&ok);
         if (ok && std::isfinite(r) && r >= 1 && r <= 10) {
           a->ratio = r;
           return true;
         }
         *e = QStringLiteral("must be a number from 1 to 10");
         return false;
       }},
      {u"--modules", false,
       [a](const QString&, QString*) {
         a->modules = true;
         return true;
       }},
  };
  if (!ParseOptions(args, 1, options, nullptr, QStringLiteral("barcode"), help, error)) return false;
  if (*help) return true;
  if (!typeGiven || !textGiven) {
    *error = QStringLiteral("sestava barcode: --type and --text are required");
    return false;
  }
  return true;
}

bool ParseCheck(const QStringList& args, CheckArguments* a, bool* help, QString* error) {
  const std::vector<Option> options = {
      {u"--data", true, [a](const QString& v, QString* e) { return NonEmpty(v, &a->dataPath, e); }},
      {u"--fields", true,
       [a](const QString& v, QString*) {
         a->fieldsGiven = true;
         a->fields = v.split(u',', Qt::SkipEmptyParts);
         return true;
       }},
  };
  if (!ParseOptions(args, 1, options, &a->templatePath, QStringLiteral("check"), help, error)) return false;
  if (*help) return true;
  if (a->fieldsGiven && !a->dataPath.isEmpty()) {
    *error = QStringLiteral("sestava check: --data and --fields exclude each other");
    return false;
  }
  return true;
}

}  // namespace

bool ParsePageRange(const QString& text, int* from, int* to) {
  const qsizetype dash = text.indexOf(u'-');
  int a = 0, b = 0;
  if (dash < 0) {
    if (!ParseInt(text, 1, 65535, &a)) return false;
    b = a;
  } else if (!ParseInt(text.left(dash), 1, 65535, &a) || !ParseInt(text.mid(dash + 1), 1, 65535, &b) || a > b) {
    return false;
  }
  *from = a;
  *to = b;
  return true;
}

bool ParseArguments(const QStringList& args, Arguments* parsed, QString* error) {
  *parsed = Arguments();
  if (args.isEmpty()) {
    *error = QStringLiteral("sestava: no command");
    return false;
  }
  const QString& command = args.first();
  if (command == u"--help" || command == u"-h") return true;
  bool help = false, ok = false;
  if (command == u"run") {
    parsed->command = Command::Run;
    ok = ParseRun(args, &parsed->run, &help, error);
  } else if (command == u"barcode") {
    parsed->command = Command::Barcode;
    ok = ParseBarcode(args, &parsed->barcode, &help, error);
  } else if (command == u"check") {
    parsed->command = Command::Check;
    ok = ParseCheck(args, &parsed->check, &help, error);
  } else {
    *error = QStringLiteral("sestava: unknown command '%1'").arg(command);
    return false;
  }
  if (ok && help) *parsed = Arguments();
  return ok;
}

QString UsageText() {
  return QStringLiteral(
      "Usage:\n"
      "  sestava run TEMPLATE.pts [--data FILE.csv | --sqlite FILE.db --query SQL]\n"
      "              [--param TEXT]... [--text OUT.txt] [--codepage ascii|867|852|1250]\n"
      "              [--pdf OUT.pdf] [--png DIR [--dpi N]] [--emf BASE] [--wmf BASE]\n"
      "              [--pages FROM-TO] [--max-records N] [--one-record] [--quiet]\n"
      "      Runs the report over the rows of the CSV file or the query; the text\n"
      "      output goes to standard output unless an output option is given.\n"
      "  sestava barcode --type N --text TEXT [--check] [--ratio R] [--modules]\n"
      "      Prints the bars of a barcode of type N (0 ... 19); --modules: one line\n"
      "      of modules, 1 bar, 0 space, s short bar.\n"
      "  sestava check TEMPLATE.pts [--data FILE.csv | --fields A,B,...]\n"
      "      Lists the problems the template reader finds, one per line.\n"
      "  sestava --help\n"
      "Exit status: 0 success, 1 bad input data, 2 wrong usage, 3 stopped,\n"
      "  4 template not loaded, 7 data not ready, 8 output failed.\n");
}

QString ShortUsageText() {
  return QStringLiteral(
      "usage: sestava run TEMPLATE.pts [--data FILE.csv | --sqlite FILE.db --query SQL] [options]\n"
      "       sestava barcode --type N --text TEXT [--check] [--ratio R] [--modules]\n"
      "       sestava check TEMPLATE.pts [--data FILE.csv | --fields A,B,...]\n"
      "       sestava --help  (all options)\n");
}

}  // namespace report::tool
