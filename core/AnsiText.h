#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Conversion between text and the single-byte code page of the description
// field: exactly one byte per character in both directions.
QByteArray ToAnsi(QStringView text);
QString FromAnsi(QByteArrayView bytes);

// The characters of text that the code page has no byte for, each once, in
// the order they first come; empty when every character has one.
QStringList CharactersOutsideCodePage(QStringView text);
