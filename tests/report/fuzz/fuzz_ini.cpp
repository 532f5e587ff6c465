// Fuzzing harness of the ini reader and the paper-format list: any text gives the
// built-in formats plus at most the capped number of valid user formats.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "report/codepage.h"
#include "report/inifile.h"
#include "report/paperformats.h"
#include "report/reportlimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = if97::DecodeCp1250(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if97::TListFormatu list;
  (void)list.loadIniText(text);
  if (list.count() < if97::TListFormatu::kBuiltinCount ||
      list.count() > if97::TListFormatu::kBuiltinCount + if97::kMaxUserFormats)
    std::abort();
  for (const if97::TFormatPapiru& f : list.formats())
    if (f.width < 1 || f.height < 1 || f.width > if97::kMaxPaperLength || f.height > if97::kMaxPaperLength ||
        f.name.size() > if97::kMaxFormatNameLength)
      std::abort();
  if97::IniFile ini;
  ini.parse(text);
  ini.setValue(QStringLiteral("FormatyPapiru"), QStringLiteral("PocetFormatu"), QStringLiteral("1"));
  (void)ini.text();
  return 0;
}
