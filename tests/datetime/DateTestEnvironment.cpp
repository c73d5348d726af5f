#include <gtest/gtest.h>

#include <memory>

#include "ClassRegistry.h"
#include "DateClasses.h"
#include "ObjectList.h"
#include "Text.h"

namespace tulma {
namespace {

// The classes registered as start-up does, once for the whole test program.
class DateClassesEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        ClassRegistry().RegisterObjectClass<TObjectList>();
        ClassRegistry().RegisterObjectClass<TText>();
        RegisterDateClasses();
    }
};

// GoogleTest takes ownership of the environment.
[[maybe_unused]] const auto* const Environment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<DateClassesEnvironment>().release());

}  // namespace
}  // namespace tulma
