#pragma once

#include <QByteArray>
#include <QString>

// Conversion between text and the single-byte code page of the description
// field: exactly one byte per character in both directions.
QByteArray ToAnsi(QStringView text);
QString FromAnsi(QByteArrayView bytes);
