#include <gtest/gtest.h>

#include <memory>

#include "ClassRegistry.h"
#include "FieldKindsSample.h"

namespace {

// The sample with every field kind joins the program's classes for these tests.
class TFieldKindsSampleRegistration : public testing::Environment {
  public:
    void SetUp() override { tulma::ClassRegistry().RegisterObjectClass<tulma::TFieldKindsSample>(); }
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] testing::Environment* const Registration =
    testing::AddGlobalTestEnvironment(std::make_unique<TFieldKindsSampleRegistration>().release());

}  // namespace
