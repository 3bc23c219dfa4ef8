#pragma once

#include "model/Messages.h"

class QCoreApplication;

namespace polygrav {

// The interface's language for this user: the core's rule applied to the
// preferred languages as Qt reads them (QLocale::system().uiLanguages()).
Language InterfaceLanguage();

// Puts the interface into language: the program's own English translation
// (embedded) for English, Qt's own translation of its dialogs and buttons
// (qtbase_ja.qm from Qt's translations folder) for Japanese, and the core's
// messages in the same language. The translators belong to app. A missing
// Qt translation leaves Qt's texts in English; nothing is reported.
void InstallInterfaceLanguage(QCoreApplication& app, Language language);

}  // namespace polygrav
