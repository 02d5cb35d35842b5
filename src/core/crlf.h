#pragma once

#include <QString>

// The program holds multi-line text with CR LF line breaks; text widgets give LF. These convert
// between the two in one place.
QString toCrLf(const QString &text); // any CR LF, lone CR or lone LF becomes CR LF
QString toLf(const QString &text);   // any CR LF, lone CR or lone LF becomes LF
