// The program's 8-bit text. Lines are read as UTF-8 when their bytes are valid
// UTF-8 and as Windows-1258 (the Vietnamese ANSI code page) otherwise; text is
// written as UTF-8.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One line of 8-bit text to UTF-16 as it stands: what the program keeps byte
// for byte, such as paths (a folder named with decomposed accents must still
// be found).
QString DecodeText(QByteArrayView bytes);

// One line of 8-bit text to UTF-16, composed (NFC) so that names compare
// equal whichever code page stored them.
QString DecodeLine(QByteArrayView bytes);

// Text composed (NFC) in time linear in its length: text with a run of more
// than 30 combining marks is left as it is.
QString ComposeText(const QString& text);

// UTF-16 to the bytes the program writes.
QByteArray EncodeText(const QString& text);

// The longest prefix of the encoded text that fits in maxBytes without cutting
// a character.
QByteArray EncodeTextLimited(const QString& text, int maxBytes);
