// The two-language texts of the main window. Every table has two rows of equal
// length: row 0 Czech, row 1 English; a text is looked up by the language index.
// The lookup functions take the numbering the window uses (quantity 1..6, menu tag
// 1..6, region code 1..11, heading position 1..12) and give an empty string for a
// number outside the table, so a stray code never reads past an array.
// The texts the command-line tool shows too (result captions, units, region names,
// headings, the group 5 and expansion captions) come from the plain tables of
// res/texttables, which both programs share.
#pragma once

#include <QString>

namespace tab97::texts {

constexpr int kCzech = 0;
constexpr int kEnglish = 1;

QString MetastableNote(int language, bool preferMetastable);
QString MenuCaption(int language, int tag);                 // tag 1..6
QString InputCaption(int language, int quantity);           // quantity 1..6
QString ShortColumnCaption(int language, int quantity);     // quantity 1..6, '\r' breaks the line
QString ResultCaption(int language, int quantity);          // quantity 1..6
QString Unit(int language, int quantity);                   // quantity 1..6
QString RegionName(int language, int regionCode);           // code 1..11
QString Heading(int language, int position);                // position 1..12
QString GroupName(int language, int group);                 // group 1..5
QString SupplementaryName(int language, int index);         // index 0..6
QString SupplementaryResultCaption(int language, int index);  // index 0..6
QString SupplementaryResultUnit(int language, int index);   // index 0..6
QString ExpansionCaption(int language, int position);       // position 1..6

// The function mnemonics of groups 1..4, the same in both languages.
int MnemonicCount(int group);                    // 0 for a group outside 1..4
QString Mnemonic(int group, int index);          // index from 0

// The definition limits shown on the ranges page, the same in both languages:
// six letter-spaced lines joined by carriage returns.
QString LimitsText();

// Texts of the start page and the contact boxes (both languages in each).
QString StartTitle();
QString StartParagraph(int language, int paragraph);  // paragraph 1..2
QString ContactText(int contact);                     // contact 1..3
QString LanguageChoiceHint();

// Configuration and chart failure messages; the full path follows the text.
QString ConfigErrorPrefix(int language);
QString ChartErrorPrefix(int language);

// The application title.
QString ApplicationTitle();

// Carriage returns of the tables become line feeds for display in a label.
QString ForLabel(const QString& text);

}  // namespace tab97::texts
