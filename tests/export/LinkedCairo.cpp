// The export tests write PDF and PNG with the writers linked in.

#include <gtest/gtest.h>

#include "export/LinkedCairoEncoders.h"

namespace {

class LinkedCairo : public ::testing::Environment {
  public:
    void SetUp() override { polygrav::UseCairoEncoders(polygrav::LinkedCairoEncoders()); }
};

const auto* const kLinkedCairo = ::testing::AddGlobalTestEnvironment(new LinkedCairo);

}  // namespace
