// The language of the platform's own windows and texts: the Romanian
// translation of the standard dialogs is installed for Romanian and removed
// for English.
#include <QApplication>
#include <QPointer>
#include <QTranslator>

#include "dialog/platform_internal.h"

namespace {

int g_language = 1;  // 1 Romanian, 2 English

// Romanian for the standard dialogs (chooser, buttons, menus) and for the
// platform layer's own texts, built from translations/qt_ro.ts into the resources.
QTranslator* RomanianTranslator() {
    static QPointer<QTranslator> translator;
    if (!translator && qApp) {
        translator = new QTranslator(qApp);
        if (!translator->load(QStringLiteral(":/i18n/qt_ro.qm")))
            qWarning("The Romanian translation of the standard dialogs is missing.");
    }
    return translator;
}

// Installs the Romanian translator for Romanian and removes it for English.
void ApplyLanguage() {
    if (!qApp) return;
    static QPointer<QTranslator> installed;
    QTranslator* romanian = RomanianTranslator();
    if (platform_qt::Romanian() && installed != romanian) {
        QCoreApplication::installTranslator(romanian);
        installed = romanian;
    } else if (!platform_qt::Romanian() && installed) {
        QCoreApplication::removeTranslator(installed);
        installed = nullptr;
    }
}

}  // namespace

namespace platform_qt {

bool Romanian() { return g_language != 2; }

// The platform's own texts are written in English; their Romanian forms come
// with the translation of the standard dialogs.
QString Tr(const char* text) { return QCoreApplication::translate("Orvane", text); }

QLocale LanguageLocale() {
    return Romanian() ? QLocale(QLocale::Romanian, QLocale::Romania) : QLocale(QLocale::English, QLocale::UnitedStates);
}

}  // namespace platform_qt

namespace platform {

void SetLanguage(int lang) {
    g_language = lang == 2 ? 2 : 1;
    ApplyLanguage();
}

}  // namespace platform
