#include "Languages.h"

#include "text/Messages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using kestrum::InterfaceLanguage;

namespace {

struct TranslationFiles {
    const char* program; // ours, built into the resources; none for the source language
    const char* qt;      // Qt's, from the system
};

TranslationFiles filesFor(InterfaceLanguage language) {
    switch (language) {
    case InterfaceLanguage::Source:
        return {nullptr, "qtbase_zh_CN"};
    case InterfaceLanguage::TaiwanTraditional:
        return {"kestrum_zh_TW", "qtbase_zh_TW"};
    case InterfaceLanguage::HongKongTraditional:
        return {"kestrum_zh_HK", "qtbase_zh_TW"};
    case InterfaceLanguage::English:
        break;
    }
    return {"kestrum_en", nullptr};
}

void load(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(name, folder))
        app.installTranslator(translator);
    else
        delete translator;
}

std::string coreTranslation(const char* context, const char* utf8) {
    return QCoreApplication::translate(context, utf8).toStdString();
}

} // namespace

InterfaceLanguage systemInterfaceLanguage() {
    std::vector<std::string> preferred;
    for (const QString& name : QLocale::system().uiLanguages())
        preferred.push_back(name.toStdString());
    return kestrum::interfaceLanguage(preferred);
}

void installTranslations(QCoreApplication& app, InterfaceLanguage language) {
    TranslationFiles files = filesFor(language);
    if (files.program)
        load(app, QString::fromLatin1(files.program), QStringLiteral(":/translations"));
    if (files.qt)
        load(app, QString::fromLatin1(files.qt),
             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    kestrum::Messages::setTranslator(&coreTranslation);
}
