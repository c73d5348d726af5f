#include "ProgramLanguage.h"

#include <QCoreApplication>

#include <iostream>

#include "ProgramTexts.h"

namespace tulma {
namespace {

constexpr const char* TranslationFile = "tulma_en";
// The translation context of the core's texts.
constexpr const char* CoreContext = "ProgramText";

}  // namespace

TProgramLanguage::TProgramLanguage(const QLocale& Locale, const QString& ProgramDirectory) {
    if (SpeaksGerman(Locale)) {
        return;
    }
    if (!FTranslator.load(TranslationFile, ProgramDirectory)) {
        std::cerr << "tulma: " << TranslationFile << ".qm is missing in " << ProgramDirectory.toStdString()
                  << ": the texts stay German" << std::endl;
        return;
    }
    FInstalled = QCoreApplication::installTranslator(&FTranslator);
    TranslateProgramTexts([this](std::string_view BuiltIn, std::string_view Name) {
        return FTranslator.translate(CoreContext, std::string(BuiltIn).c_str(), std::string(Name).c_str())
            .toStdString();
    });
}

TProgramLanguage::~TProgramLanguage() {
    if (FInstalled) {
        QCoreApplication::removeTranslator(&FTranslator);
    }
    UseBuiltInTexts();
}

}  // namespace tulma
