#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace tulma {

// The one language the program speaks, chosen by the locale at start: under a German locale the
// program's own texts as built in (German key names and errors, English forms); under any other, C and
// POSIX included, English throughout, from the translation file tulma_en.qm beside the program. The
// core's texts (ProgramTexts.h) follow the same choice. Undone when it ends.
class TProgramLanguage {
  public:
    TProgramLanguage(const QLocale& Locale, const QString& ProgramDirectory);
    ~TProgramLanguage();
    TProgramLanguage(const TProgramLanguage&) = delete;
    TProgramLanguage& operator=(const TProgramLanguage&) = delete;

    static bool SpeaksGerman(const QLocale& Locale) { return Locale.language() == QLocale::German; }
    // The locale of the user's messages: LANGUAGE, LC_ALL, LC_MESSAGES, LANG, the first that is set.
    static QLocale UserLocale() { return QLocale(QLocale::system().uiLanguages().value(0, "C")); }

  private:
    QTranslator FTranslator;
    bool FInstalled = false;
};

}  // namespace tulma
