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
// The program's blank rule (bytes up to 0x20 at both ends) on Qt text.
bool holdsMoreThanBlanks(const QString& text);

// A text box's text with its paragraph and line separators as LF.
QString withLineFeeds(QString text);

// Text of a Qt text box (LF, or the paragraph and line separators a text
// document uses) as program text with CR LF.
std::string fromQtLines(const QString& text);
