#pragma once

#include <QTest>

#include "Application.h"

// QTEST_MAIN with the program's own application object, so that its error handler is in force.
#define TULMA_QTEST_MAIN(TestClass)                  \
    int main(int Argc, char** Argv) {                \
        tulma::TApplication Application(Argc, Argv); \
        TestClass Test;                              \
        return QTest::qExec(&Test, Argc, Argv);      \
    }
