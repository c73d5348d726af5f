#include <gtest/gtest.h>

#include <memory>

#include "ClassRegistration.h"
#include "ClassRegistry.h"
#include "FieldKindsSample.h"

namespace {

// Registers the program's classes, and the sample with every field kind, once for all tests.
class TRegisteredClassesEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        tulma::RegisterAllClasses();
        tulma::ClassRegistry().RegisterObjectClass<tulma::TFieldKindsSample>();
    }
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] testing::Environment* const Environment =
    testing::AddGlobalTestEnvironment(std::make_unique<TRegisteredClassesEnvironment>().release());

}  // namespace
