#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hcd/HcdModule.h"
#include "ui/TemplateRegistry.h"

namespace {

constexpr int kModuleTemplates[] = {12000, 12001, 12002, 12003, 12004};

bool AnyRegistered() {
  for (int id : kModuleTemplates) {
    if (TemplateRegistry::Instance().Find(id)) return true;
  }
  return false;
}

TEST(ModuleTemplates, AreRegisteredWhileTheModuleIsLoaded) {
  ASSERT_FALSE(AnyRegistered());
  auto module = HcdModule::Open(KELO_MODULE_PATH);
  for (int id : kModuleTemplates) EXPECT_NE(TemplateRegistry::Instance().Find(id), nullptr) << id;
  module.reset();
  EXPECT_FALSE(AnyRegistered());
}

// A template id already taken by someone else fails the whole load: the module
// attaches no handler, the host unloads it, and the other owner's template stays.
TEST(ModuleTemplates, TakenTemplateIdFailsTheLoad) {
  static const char otherOwner = 0;
  DialogTemplate other;
  other.id = 12000;
  other.title = "someone else's";
  ASSERT_TRUE(TemplateRegistry::Instance().Register(&otherOwner, {other}));

  try {
    HcdModule::Open(KELO_MODULE_PATH);
    ADD_FAILURE() << "the module loaded";
  } catch (const HcdLoadError& error) {
    EXPECT_NE(std::string(error.what()).find("attached no handler"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(TemplateRegistry::Instance().Get(12000)->title, "someone else's");
  EXPECT_EQ(TemplateRegistry::Instance().size(), 1u) << "the module registered nothing";

  TemplateRegistry::Instance().Withdraw(&otherOwner);
  EXPECT_NO_THROW(HcdModule::Open(KELO_MODULE_PATH));
  EXPECT_FALSE(AnyRegistered());
}

}  // namespace
