#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "hcd/CHcdWrapper.h"
#include "hcd/HcdModule.h"

// Loads the real HCDKELO.hcd through the host's loader once for a test suite.
class ModuleFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = HcdModule::Open(KELO_MODULE_PATH); }
  static void TearDownTestSuite() { module_.reset(); }
  static CHcdWrapper& Wrapper() { return module_->Wrapper(); }

 private:
  static inline std::unique_ptr<HcdModule> module_;
};
