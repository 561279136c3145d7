#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hcd/CHcdInstance.h"
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
// attaches no handler and says why, the host unloads it with that reason, and the
// other owner's template stays.
TEST(ModuleTemplates, TakenTemplateIdFailsTheLoadWithTheReason) {
  static const char otherOwner = 0;
  DialogTemplate other;
  other.id = 12000;
  other.title = "someone else's";
  ASSERT_TRUE(TemplateRegistry::Instance().Register(&otherOwner, {other}));

  const std::string reason = "dialog template 12000 is already registered by another module";
  try {
    HcdModule::Open(KELO_MODULE_PATH);
    ADD_FAILURE() << "the module loaded";
  } catch (const HcdLoadError& error) {
    EXPECT_NE(std::string(error.what())
                  .find(std::string(KELO_MODULE_PATH) +
                        " attached no handler: the module's dialog "
                        "templates could not be registered: " +
                        reason),
              std::string::npos)
        << error.what();
  }
  EXPECT_EQ(TemplateRegistry::Instance().Get(12000)->title, "someone else's");
  EXPECT_EQ(TemplateRegistry::Instance().size(), 1u) << "the module registered nothing";

  // Through the entry point itself: asked to attach, it reports instead.
  void* handle = dlopen(KELO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto entry = reinterpret_cast<int (*)(CHcdInstance*)>(dlsym(handle, "HCDProc"));
  ASSERT_NE(entry, nullptr);
  CHcdInstance create(true);
  EXPECT_EQ(entry(&create), 0);
  EXPECT_EQ(create.Attached(), nullptr);
  EXPECT_NE(create.AttachFailure().str().find(reason), std::string::npos)
      << create.AttachFailure().str();
  dlclose(handle);

  TemplateRegistry::Instance().Withdraw(&otherOwner);
  EXPECT_NO_THROW(HcdModule::Open(KELO_MODULE_PATH));
  EXPECT_FALSE(AnyRegistered());
}

}  // namespace
