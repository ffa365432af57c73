#pragma once

#include <QByteArray>
#include <QString>

// The list file stores text in the Windows-1252 code page, one byte per
// character. The five bytes that code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, so
// that any byte read from a file is written back unchanged.
namespace Windows1252 {

// True when every character of the text has a byte in Windows-1252.
bool PuoCodificare(const QString& testo);

// The first character of the text that Windows-1252 cannot hold, or a null
// QChar when there is none (a character outside the Basic Multilingual
// Plane, such as an emoji, is reported by its first half).
QChar PrimoNonCodificabile(const QString& testo);

// One byte per character; a character with no byte becomes "?".
QByteArray Codifica(const QString& testo);

QString Decodifica(const char* bytes, int lunghezza);

}  // namespace Windows1252
