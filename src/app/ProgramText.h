#pragma once

#include <QString>
#include <string>
#include <string_view>

// The one crossing between the core's 8-bit program text and Qt's strings;
// any byte string comes back unchanged.
QString toQt(std::string_view programText);
std::string fromQt(const QString& text);

// Editor text: Qt separates lines with LF, the program's text with CR LF.
QString toQtLines(std::string_view programText);
