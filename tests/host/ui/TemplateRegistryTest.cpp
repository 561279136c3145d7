#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/CDialogEx.h"
#include "ui/CPropertyPage.h"
#include "ui/TemplateRegistry.h"

namespace {

DialogTemplate Named(int id, const std::string& title) {
  DialogTemplate dialog;
  dialog.id = id;
  dialog.title = title;
  return dialog;
}

class TemplateRegistryTest : public ::testing::Test {
 protected:
  ~TemplateRegistryTest() override {
    registry.Withdraw(&first);
    registry.Withdraw(&second);
  }

  TemplateRegistry& registry = TemplateRegistry::Instance();
  int first = 0;
  int second = 0;
};

TEST_F(TemplateRegistryTest, RegistersAndWithdrawsPerOwner) {
  ASSERT_TRUE(registry.Register(&first, {Named(9500, "a"), Named(9501, "b")}));
  ASSERT_TRUE(registry.Register(&second, {Named(9502, "c")}));
  ASSERT_NE(registry.Find(9501), nullptr);
  EXPECT_EQ(registry.Get(9501)->title, "b");

  registry.Withdraw(&first);
  EXPECT_EQ(registry.Find(9500), nullptr);
  EXPECT_EQ(registry.Find(9501), nullptr);
  EXPECT_NE(registry.Find(9502), nullptr);
}

TEST_F(TemplateRegistryTest, AnIdHeldByAnotherOwnerRefusesTheWholeList) {
  ASSERT_TRUE(registry.Register(&first, {Named(9500, "a")}));
  EXPECT_FALSE(registry.Register(&second, {Named(9503, "new"), Named(9500, "taken")}));
  EXPECT_EQ(registry.Find(9503), nullptr);
  EXPECT_EQ(registry.Get(9500)->title, "a");

  // The same owner may register an id again: the new template replaces the old.
  EXPECT_TRUE(registry.Register(&first, {Named(9500, "again")}));
  EXPECT_EQ(registry.Get(9500)->title, "again");
  // An id twice in one list is refused too.
  EXPECT_FALSE(registry.Register(&second, {Named(9504, "x"), Named(9504, "y")}));
  EXPECT_EQ(registry.Find(9504), nullptr);
}

TEST_F(TemplateRegistryTest, ATemplateFetchedBeforeWithdrawalStaysUsable) {
  ASSERT_TRUE(registry.Register(&first, {Named(9500, "kept")}));
  auto held = registry.Get(9500);
  registry.Withdraw(&first);
  EXPECT_EQ(held->title, "kept");
}

TEST_F(TemplateRegistryTest, AnUnregisteredTemplateIsAClearError) {
  auto message = [](auto&& make) {
    try {
      make();
    } catch (const std::runtime_error& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { registry.Get(12000); }), "dialog template 12000 is not registered");
  EXPECT_EQ(message([] { CDialogEx dialog(12000); }), "dialog template 12000 is not registered");
  EXPECT_EQ(message([] { CPropertyPage page(12004); }), "dialog template 12004 is not registered");
}

}  // namespace
