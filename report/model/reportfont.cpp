#include "report/model/reportfont.h"

#include <array>

namespace report {
namespace {

struct ScriptSuffix {
  const char16_t* suffix;
  int charset;
};
constexpr std::array<ScriptSuffix, 5> kSuffixes{{
    {u" CE", 238}, {u" Greek", 161}, {u" TUR", 162}, {u" Baltic", 186}, {u" CYR", 204},
}};

}  // namespace

ResolvedFont ResolveFontName(const QString& name, int charset,
                             const std::function<bool(const QString&)>& isInstalled) {
  if (isInstalled && isInstalled(name)) return {name, charset};
  for (const ScriptSuffix& s : kSuffixes) {
    const QString suffix = QString::fromUtf16(s.suffix);
    if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
      return {name.left(name.size() - suffix.size()), s.charset};
  }
  return {name, charset};
}

}  // namespace report
