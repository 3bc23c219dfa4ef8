#include "app/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <vector>

#include "model/LanguageChoice.h"

namespace polygrav {

Language InterfaceLanguage() {
    std::vector<std::string> preferred;
    for (const QString& name : QLocale::system().uiLanguages()) {
        preferred.push_back(name.toStdString());
    }
    return LanguageOfPreferences(preferred);
}

namespace {

void Install(QCoreApplication& app, const QString& file, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(file, folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void InstallInterfaceLanguage(QCoreApplication& app, Language language) {
    SetMessageLanguage(language);
    if (language == Language::English) {
        // Japanese is the source language: only English needs a catalogue.
        Install(app, QStringLiteral("polygrav_en"), QStringLiteral(":/i18n"));
    } else {
        Install(app, QStringLiteral("qtbase_ja"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
}

}  // namespace polygrav
