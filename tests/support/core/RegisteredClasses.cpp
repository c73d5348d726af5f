#include <gtest/gtest.h>

#include "ClassRegistration.h"

namespace {

// Every persistent class is registered once for the whole test program, as at start-up.
class RegisteredClasses : public ::testing::Environment {
  public:
    void SetUp() override { tulma::RegisterAllClasses(); }
};

const auto* const Registered = ::testing::AddGlobalTestEnvironment(new RegisteredClasses);

}  // namespace
