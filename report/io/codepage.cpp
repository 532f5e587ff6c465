#include "report/io/codepage.h"

#include <array>
#include <cstdint>

namespace report {
namespace {

// Unicode of bytes 0x80 … 0xFF in code page 1250; the undefined bytes map to the
// control character of the same number.
constexpr std::array<char16_t, 128> kCp1250High{{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
}};

// The conversion list of text output: the letter (as Unicode), its replacement in
// plain ASCII and its code in code page 852. In code page 867 (Kamenický) the
// letter at list position k is the byte 128 + k.
struct ExportLetter {
  char16_t letter;
  char ascii;
  std::uint8_t cp852;
};
constexpr std::array<ExportLetter, 44> kExportLetters{{
    {u'Č', 'C', 172}, {u'ü', 'u', 129}, {u'é', 'e', 130}, {u'ď', 'd', 212},
    {u'ä', 'a', 132}, {u'Ď', 'D', 210}, {u'Ť', 'T', 155}, {u'č', 'c', 159},
    {u'ě', 'e', 216}, {u'Ě', 'E', 183}, {u'Ĺ', 'L', 145}, {u'Í', 'I', 214},
    {u'ľ', 'l', 150}, {u'ĺ', 'l', 146}, {u'Ä', 'A', 142}, {u'Á', 'A', 181},
    {u'É', 'E', 144}, {u'ž', 'z', 167}, {u'Ž', 'Z', 166}, {u'ô', 'o', 147},
    {u'ö', 'o', 148}, {u'Ó', 'O', 224}, {u'ů', 'u', 133}, {u'Ú', 'U', 233},
    {u'ý', 'y', 236}, {u'Ö', 'O', 153}, {u'Ü', 'U', 154}, {u'Š', 'S', 230},
    {u'Ľ', 'L', 149}, {u'Ý', 'Y', 237}, {u'Ř', 'R', 252}, {u'ť', 't', 156},
    {u'á', 'a', 160}, {u'í', 'i', 161}, {u'ó', 'o', 162}, {u'ú', 'u', 163},
    {u'ň', 'n', 229}, {u'Ň', 'N', 213}, {u'Ů', 'U', 222}, {u'Ô', 'O', 226},
    {u'š', 's', 231}, {u'ř', 'r', 253}, {u'ŕ', 'r', 234}, {u'Ŕ', 'R', 232},
}};

}  // namespace

QChar Cp1250CharOf(unsigned char byte) {
  return byte < 0x80 ? QChar(static_cast<char16_t>(byte)) : QChar(kCp1250High[byte - 0x80]);
}

int Cp1250ByteOf(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80) return u;
  for (std::size_t i = 0; i < kCp1250High.size(); ++i)
    if (kCp1250High[i] == u) return static_cast<int>(0x80 + i);
  return -1;
}

QString DecodeCp1250(QByteArrayView bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char b : bytes) out.append(Cp1250CharOf(static_cast<unsigned char>(b)));
  return out;
}

QByteArray EncodeCp1250(QStringView text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const int b = Cp1250ByteOf(c);
    out.append(b < 0 ? '?' : static_cast<char>(b));
  }
  return out;
}

QByteArray ConvertExportText(QStringView text, TSestLanguage language) {
  QByteArray out = EncodeCp1250(text);
  if (language == slUndefined || language == slCP1250) return out;
  for (char& b : out) {
    const auto byte = static_cast<unsigned char>(b);
    if (byte < 0x80) continue;
    const char16_t letter = kCp1250High[byte - 0x80];
    for (std::size_t k = 0; k < kExportLetters.size(); ++k) {
      if (kExportLetters[k].letter != letter) continue;
      switch (language) {
        case slASCII: b = kExportLetters[k].ascii; break;
        case slCP867: b = static_cast<char>(128 + k); break;
        case slCP852: b = static_cast<char>(kExportLetters[k].cp852); break;
        default: break;
      }
      break;
    }
  }
  return out;
}

}  // namespace report
