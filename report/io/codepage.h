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

// Text output of one line in the given code page. The text is first put into code
// page 1250; bytes below 128 are never changed; a byte of 128 or more that is one of
// the 44 letters of the conversion list is replaced by the same letter in the target
// code page, any other byte is left as it is.
QByteArray ConvertExportText(QStringView text, TSestLanguage language);

}  // namespace report
