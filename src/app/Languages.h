#pragma once

#include "base/InterfaceLanguage.h"

class QCoreApplication;

// The interface language for the user's locale (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG, as Qt reads them).
kestrum::InterfaceLanguage systemInterfaceLanguage();

// Installs the program's translations for `language` and Qt's own for its
// dialogs and buttons, and hands the core its translator. Missing Qt
// translations (a Recommends of the package) leave Qt's texts in English.
void installTranslations(QCoreApplication& app, kestrum::InterfaceLanguage language);
