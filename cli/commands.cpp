#include "cli/commands.h"

#include <string_view>

#include "cli/batch.h"
#include "cli/io.h"
#include "cli/parse.h"
#include "cli/solve.h"
#include "cli/texts.h"
#include "props/functions.h"

namespace if97::cli {

namespace {

constexpr std::string_view kMainHelp =
    "if97 - properties of water and steam after IAPWS-IF97\n"
    "\n"
    "Usage:\n"
    "  if97 state PAIR VALUE1 VALUE2 [--metastable] [--lang cs|en]\n"
    "  if97 batch [--metastable] < input.csv > output.csv\n"
    "  if97 function NAME IN1 [IN2 [IN3]] [--lang cs|en]\n"
    "  if97 function --list [--lang cs|en]\n"
    "  if97 COMMAND --help\n"
    "\n"
    "Units: T in °C, P in MPa, V in m3/kg, S in kJ/(kg K), I (enthalpy) in kJ/kg, X (dryness) 0 … 1.\n"
    "Exit status: 0 success; 1 unreadable batch rows, a state or function value outside the\n"
    "supported range, or a failed read or write; 2 wrong usage.\n";

constexpr std::string_view kStateHelp =
    "Usage: if97 state PAIR VALUE1 VALUE2 [--metastable] [--lang cs|en]\n"
    "\n"
    "Solves the state from a known pair and prints the six quantities and the region.\n"
    "  PAIR          two different letters of T P V S I X in any order (TP, PT, SX ...);\n"
    "                VALUE1 and VALUE2 are the values in the order of the letters\n"
    "  --metastable  prefer the metastable-steam region for (T,P), (P,S) and (P,I)\n"
    "  --lang cs|en  language of the captions and the region name (default en)\n"
    "Numbers may use '.' or ',' as the decimal separator.\n"
    "Exit status 1 when the state is outside the supported range (region 9, 10 or 11):\n"
    "the lines are printed as for any state, and standard error names the region.\n"
    "Example: if97 state TP 284.15 16.257\n";

constexpr std::string_view kBatchHelp =
    "Usage: if97 batch [--metastable]\n"
    "\n"
    "Reads CSV from standard input, one state per line: pair,value1,value2\n"
    "(pair as letters such as TP or PT, or as a two-digit pair code such as 12;\n"
    "the values in the order of the letters, lower quantity first for a code).\n"
    "Blank lines and lines starting with # are skipped. Lines may end in LF, CR LF or CR;\n"
    "a UTF-8 byte-order mark at the start is skipped.\n"
    "Writes CSV to standard output with the header\n"
    "  pair,value1,value2,T,P,V,S,I,X,region\n"
    "one row per input row, numbers in their shortest round-trip form.\n"
    "A row that cannot be read gives a row with 'error' in the region column and a\n"
    "message naming its line on standard error; the exit status is then 1. Its fields\n"
    "are echoed with every byte outside printable ASCII as \\xNN and a backslash as \\\\,\n"
    "cut to 200 characters (\"…\" appended), and quoted as CSV where needed.\n"
    "Region codes 9 (out of range), 10 and 11 are ordinary results.\n"
    "  --metastable  prefer the metastable-steam region for (T,P), (P,S) and (P,I)\n";

constexpr std::string_view kFunctionHelp =
    "Usage: if97 function NAME IN1 [IN2 [IN3]] [--lang cs|en]\n"
    "       if97 function --list [--lang cs|en]\n"
    "\n"
    "Evaluates one function of the function catalogue and prints its caption, value and unit.\n"
    "  NAME          a mnemonic such as Ts_P or V_TP, a function code such as 505, or the\n"
    "                English or Czech name of a supplementary function (\"Dynamic Viscosity\")\n"
    "  IN1 …         as many inputs as the function takes, in the order of the list\n"
    "  --list        prints the catalogue\n"
    "  --lang cs|en  language of the captions (default en)\n"
    "Exit status 1 when the state is outside the supported range or the function is\n"
    "not defined there (the value printed is then 0, or -1 for a supplementary function,\n"
    "2 for the moisture).\n";

// A number typed by a person: ',' counts as the decimal point.
std::optional<double> ParseTypedNumber(std::string text) {
  for (char& c : text)
    if (c == ',') c = '.';
  return ParseNumber(text);
}

struct Options {
  std::vector<std::string> positional;
  bool help = false;
  bool metastable = false;
  bool list = false;
  Language language = Language::kEnglish;
  std::string error;
};

enum OptionMask : unsigned { kOptMetastable = 1, kOptLang = 2, kOptList = 4 };

Options ParseOptions(const std::vector<std::string>& args, unsigned allowed) {
  Options o;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--metastable" && (allowed & kOptMetastable)) {
      o.metastable = true;
    } else if (a == "--list" && (allowed & kOptList)) {
      o.list = true;
    } else if ((a == "--lang" || a.rfind("--lang=", 0) == 0) && (allowed & kOptLang)) {
      std::string value;
      if (a == "--lang") {
        if (k + 1 >= args.size()) {
          o.error = "--lang needs a value: cs or en";
          return o;
        }
        value = args[++k];
      } else {
        value = a.substr(7);
      }
      if (value == "cs") {
        o.language = Language::kCzech;
      } else if (value == "en") {
        o.language = Language::kEnglish;
      } else {
        o.error = "unknown language '" + value + "' (cs or en)";
        return o;
      }
    } else if (a.size() > 1 && a[0] == '-' && !ParseTypedNumber(a)) {
      o.error = "unknown option '" + a + "'";
      return o;
    } else {
      o.positional.push_back(a);
    }
  }
  return o;
}

int UsageError(std::ostream& err, std::string_view command, const std::string& message) {
  err << "if97";
  if (!command.empty()) err << ' ' << command;
  err << ": " << message << "\nTry 'if97 " << command << (command.empty() ? "" : " ") << "--help'.\n";
  return kExitUsage;
}

bool IsBlank(std::string_view s) { return Trim(s).empty(); }

// Region 9, 10 or 11 of a state or a function: its name on `err`, status 1.
int OutOfRange(std::ostream& err, std::string_view command, PropertyRegion region, Language language) {
  err << "if97 " << command << ": the state is outside the supported range (" << RegionCaption(language) << ' '
      << region << ": " << RegionName(region, language) << ")\n";
  return kExitDataError;
}

std::string_view StripEquals(std::string_view caption) {
  caption = Trim(caption);
  if (!caption.empty() && caption.back() == '=') caption.remove_suffix(1);
  return Trim(caption);
}

// "caption value unit" on one line; a blank unit is left out.
void PrintValue(std::ostream& out, std::string_view caption, double value, std::string_view unit) {
  out << caption << FormatReadable(value);
  if (!IsBlank(unit)) out << ' ' << unit;
  out << '\n';
}

std::size_t DisplayWidth(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string Padded(std::string_view s, std::size_t width) {
  std::string r(s);
  for (std::size_t w = DisplayWidth(s); w < width; ++w) r.push_back(' ');
  return r;
}

std::string_view FunctionName(const FunctionEntry& f, Language language) {
  return language == Language::kCzech ? f.nameCs : f.nameEn;
}

std::string InputList(const FunctionEntry& f) {
  std::string s;
  for (int k = 0; k < f.inputCount; ++k) {
    if (k > 0) s += ", ";
    s += QuantityLetter(f.inputs[static_cast<std::size_t>(k)]);
  }
  return s;
}

// Result caption and unit of a function, as its page shows them.
std::string_view ResultCaptionOf(const FunctionEntry& f, Language language) {
  return f.group == 5 ? SupplementaryResultCaption(f.index, language) : ResultCaption(f.resultQuantity, language);
}
std::string_view ResultUnitOf(const FunctionEntry& f) {
  return f.group == 5 ? SupplementaryResultUnit(f.index) : Unit(f.resultQuantity);
}

void PrintCatalogue(std::ostream& out, Language language) {
  const int lang = static_cast<int>(language);
  for (int g = 1; g <= kFunctionGroupCount; ++g) {
    if (g > 1) out << '\n';
    out << g << ' ' << FunctionGroupName(g, lang) << '\n';
    for (const auto& f : FunctionsOfGroup(g)) {
      std::string result = f.group == 5 ? std::string(StripEquals(ResultCaptionOf(f, language)))
                                        : std::string(QuantityLetter(f.resultQuantity));
      const std::string_view unit = ResultUnitOf(f);
      if (!IsBlank(unit)) result += " [" + std::string(unit) + "]";
      out << "  " << f.code << "  " << Padded(FunctionName(f, language), 22) << Padded(InputList(f), 9) << "-> "
          << result << '\n';
    }
  }
}

const FunctionEntry* ResolveFunction(std::string_view name) {
  const std::string_view t = Trim(name);
  const bool digits = !t.empty() && t.size() <= 4 &&
                      t.find_first_not_of("0123456789") == std::string_view::npos;
  if (digits) {
    int code = 0;
    for (char c : t) code = code * 10 + (c - '0');
    return FindFunction(code);
  }
  return FindFunctionByName(t);
}

int RunState(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Options o = ParseOptions(args, kOptMetastable | kOptLang);
  if (!o.error.empty()) return UsageError(err, "state", o.error);
  if (o.help) {
    out << kStateHelp;
    return kExitOk;
  }
  if (o.positional.size() != 3)
    return UsageError(err, "state", "expected PAIR VALUE1 VALUE2, got " + std::to_string(o.positional.size()) +
                                        " argument(s)");
  const auto pair = ParsePairLetters(o.positional[0]);
  if (!pair)
    return UsageError(err, "state", "unknown pair '" + o.positional[0] + "' (two different letters of T P V S I X)");
  const auto first = ParseTypedNumber(o.positional[1]);
  const auto second = ParseTypedNumber(o.positional[2]);
  if (!first || !second)
    return UsageError(err, "state", "'" + (first ? o.positional[2] : o.positional[1]) + "' is not a number");

  const SolvedState s = SolvePair(*pair, *first, *second, o.metastable);
  for (int q = kT; q <= kX; ++q) PrintValue(out, ResultCaption(q, o.language), s.q[q], Unit(q));
  out << RegionCaption(o.language) << " = " << s.region;
  const std::string_view name = RegionName(s.region, o.language);
  if (!name.empty()) out << " (" << name << ')';
  out << '\n';
  // The zeros printed for a rejected state are no values: scripts reading the
  // lines as before learn it from the status.
  if (s.region >= kRegionInputRange) return OutOfRange(err, "state", s.region, o.language);
  return kExitOk;
}

int RunBatchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                    StreamError& output) {
  const Options o = ParseOptions(args, kOptMetastable);
  if (!o.error.empty()) return UsageError(err, "batch", o.error);
  if (o.help) {
    out << kBatchHelp;
    return kExitOk;
  }
  if (!o.positional.empty())
    return UsageError(err, "batch", "unexpected argument '" + o.positional[0] + "' (the rows come from standard input)");
  const BatchCounts counts = RunBatch(in, out, err, o.metastable);
  output = counts.output;
  if (counts.output.failed) return kExitDataError;  // RunCli says why
  if (counts.input.failed) {
    err << "if97: " << StreamErrorMessage("read the input", counts.input) << '\n';
    return kExitDataError;
  }
  return counts.errors > 0 ? kExitDataError : kExitOk;
}

int RunFunction(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Options o = ParseOptions(args, kOptLang | kOptList);
  if (!o.error.empty()) return UsageError(err, "function", o.error);
  if (o.help) {
    out << kFunctionHelp;
    return kExitOk;
  }
  if (o.list) {
    if (!o.positional.empty()) return UsageError(err, "function", "--list takes no further arguments");
    PrintCatalogue(out, o.language);
    return kExitOk;
  }
  if (o.positional.empty()) return UsageError(err, "function", "expected a function NAME and its inputs");
  const FunctionEntry* f = ResolveFunction(o.positional[0]);
  if (f == nullptr)
    return UsageError(err, "function", "unknown function '" + o.positional[0] + "' (see 'if97 function --list')");
  const int given = static_cast<int>(o.positional.size()) - 1;
  if (given != f->inputCount)
    return UsageError(err, "function", std::string(FunctionName(*f, o.language)) + " takes " +
                                           std::to_string(f->inputCount) + " input(s) (" + InputList(*f) +
                                           "), got " + std::to_string(given));
  double in[3] = {0.0, 0.0, 0.0};
  for (int k = 0; k < given; ++k) {
    const auto v = ParseTypedNumber(o.positional[static_cast<std::size_t>(k) + 1]);
    if (!v) return UsageError(err, "function", "'" + o.positional[static_cast<std::size_t>(k) + 1] + "' is not a number");
    in[k] = *v;
  }

  PropertyRegion region = kRegionNone;
  const double value = EvaluateFunction(f->code, in[0], in[1], in[2], region);
  PrintValue(out, ResultCaptionOf(*f, o.language), value, ResultUnitOf(*f));
  if (region >= kRegionInputRange) return OutOfRange(err, "function", region, o.language);
  if (f->group == 5 && value == -1.0) {
    err << "if97 function: " << FunctionName(*f, o.language) << " is not defined for these inputs\n";
    return kExitDataError;
  }
  return kExitOk;
}

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
               StreamError& output) {
  if (args.empty()) {
    err << kMainHelp;
    return kExitUsage;
  }
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    out << kMainHelp;
    return kExitOk;
  }
  if (command == "state") return RunState(rest, out, err);
  if (command == "batch") return RunBatchCommand(rest, in, out, err, output);
  if (command == "function") return RunFunction(rest, out, err);
  return UsageError(err, "", "unknown command '" + command + "' (state, batch or function)");
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  StreamError output;
  const int status = RunCommand(args, in, out, err, output);
  // A failed write leaves `out` failed, so one check after the final flush covers
  // every write of the command; a batch has already stopped at its failed write.
  if (!FlushChecked(out, output)) {
    err << "if97: " << StreamErrorMessage("write the output", output) << '\n';
    return kExitDataError;
  }
  return status;
}

}  // namespace if97::cli
