// Windows code page 1250, the 8-bit text of templates, ini files and text export,
// and the code-page conversion of text output.
//
// Conversion happens only where text crosses a file boundary; the model holds
// Unicode text. The five byte values that code page 1250 leaves undefined (0x81,
// 0x83, 0x88, 0x90, 0x98) are read as the control characters of the same number
// and written back to the same byte, so that no file is changed by reading and
// writing it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace report {

QString DecodeCp1250(QByteArrayView bytes);
// Characters that code page 1250 cannot hold are written as '?'.
QByteArray EncodeCp1250(QStringView text);
// Byte of one character in code page 1250, or -1 when it has none.
int Cp1250ByteOf(QChar c);
QChar Cp1250CharOf(unsigned char byte);

// Code page of text output (`ExportLanguage`).
enum TSestLanguage : int {
  slUndefined = 0,  // the program's own text, code page 1250
  slASCII = 1,      // the 44 Czech and Slovak letters without their accents
  slCP867 = 2,      // Kamenický layout
  slCP852 = 3,      // code page 852 (Latin 2, DOS)
  slCP1250 = 4,     // code page 1250 (changes nothing)
};

// Text output of one line in the given code page. Characters below 128 are never
// changed. The 44 Czech and Slovak letters of the conversion list become their
// plain letter (ASCII), the byte 128 + their list position (Kamenický) or their
// code in code page 852. Every other character is written as the target code
// page has it (ASCII: the letter without its accent; Kamenický: the upper rows it
// shares with code page 437, such as '°'), or as '?' when the target lacks it.
// slUndefined and slCP1250 give the program's own code page 1250.
QByteArray ConvertExportText(QStringView text, TSestLanguage language);

}  // namespace report
