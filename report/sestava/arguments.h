// The command line of `sestava`: commands, their options and the usage text.
#pragma once

#include <QString>
#include <QStringList>

#include "report/io/codepage.h"

namespace report::tool {

// Exit statuses of the tool besides the component's codes (3, 4, 7, 8).
enum ExitStatus : int {
  kExitOk = 0,
  kExitBadInput = 1,  // bad data file, unreadable database, template with issues (check)
  kExitUsage = 2,     // wrong command line
};

struct RunArguments {
  QString templatePath;
  QString dataPath;                // --data: a CSV file
  QString sqlitePath, query;       // --sqlite and --query
  QStringList parameters;          // --param, in order
  QString textPath;                // --text ("-": standard output)
  TSestLanguage codepage = slUndefined;
  QString pdfPath, pngDir, emfBase, wmfBase;
  int dpi = 96;
  int startPage = 1, endPage = 9999;
  int maxRecords = 0;
  bool oneRecord = false;
  bool quiet = false;

  // With no output option the text goes to standard output.
  bool textToStdout() const {
    return textPath == u"-" ||
           (textPath.isEmpty() && pdfPath.isEmpty() && pngDir.isEmpty() && emfBase.isEmpty() && wmfBase.isEmpty());
  }
};

struct BarcodeArguments {
  int type = -1;
  QString text;
  bool checkDigit = false;
  double ratio = 2.0;
  bool modules = false;
};

struct CheckArguments {
  QString templatePath;
  QString dataPath;      // --data: the column names from a CSV header
  QStringList fields;    // --fields a,b,c
  bool fieldsGiven = false;
};

enum class Command { Help, Run, Barcode, Check };

struct Arguments {
  Command command = Command::Help;
  RunArguments run;
  BarcodeArguments barcode;
  CheckArguments check;
};

// Parses the arguments after the program's name. False with a one-line reason
// in *error for a wrong command line (exit status 2). "--help" or "-h" anywhere
// gives Command::Help.
bool ParseArguments(const QStringList& args, Arguments* parsed, QString* error);

// The usage text of --help (several lines, ending with a line end), and the
// synopsis shown after a wrong command line.
QString UsageText();
QString ShortUsageText();

// Page ranges "FROM-TO" or "N", 1 ≤ FROM ≤ TO ≤ 65535.
bool ParsePageRange(const QString& text, int* from, int* to);

}  // namespace report::tool
