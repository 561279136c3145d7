#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hcd/CHcdInstance.h"
#include "hcd/IHcdConfigChangesAction.h"
#include "hcd/IHcdDataPersistence.h"
#include "hcd/ModuleVersionInfo.h"
#include "tests/kelo/handler/ModuleFixture.h"

namespace {

using HandlerFrameTest = ModuleFixture;

TEST_F(HandlerFrameTest, IdentityAnswersThroughTheIdentityFacet) {
  IHcdIdentity* identity = Wrapper().Identity();
  ASSERT_NE(identity, nullptr);
  EXPECT_STREQ(identity->GetHandlerName(), "KELO");
  EXPECT_STREQ(identity->GetHandlerDescription(), "KEL Benchmark Administration Output");
  EXPECT_EQ(identity->GetHandlerCode(), 0x04000AA2);
  EXPECT_EQ(static_cast<int>(identity->GetHelpID()), 223);
  // Host defaults that the handler keeps.
  EXPECT_EQ(identity->GetNumFtolPorts(), 0u);
  EXPECT_FALSE(identity->IsSupportZdl4CfgIf());
}

TEST_F(HandlerFrameTest, WrapperCarriesNineFacetsAndNoUpgrading) {
  CHcdWrapper& w = Wrapper();
  EXPECT_NE(w.PropertyPages(), nullptr);
  EXPECT_NE(w.Generic(), nullptr);
  EXPECT_NE(w.Summary(), nullptr);
  EXPECT_NE(w.Validation(), nullptr);
  EXPECT_NE(w.ConfigChangesAction(), nullptr);
  EXPECT_NE(w.Auditing(), nullptr);
  EXPECT_NE(w.DataPersistence(), nullptr);
  EXPECT_NE(w.PathsValidation(), nullptr);
  EXPECT_EQ(w.Upgrading(), nullptr);
  EXPECT_EQ(w.GetSolo(), nullptr);
}

TEST_F(HandlerFrameTest, ConstantOperationsThroughTheirFacets) {
  IHcdGeneric* generic = Wrapper().Generic();
  EXPECT_EQ(generic->ReservedQuery(7, nullptr), 0);
  generic->ReservedNotify(7, nullptr);
  generic->ReservedNotify2(7, nullptr);

  IHcdConfigChangesAction* changes = Wrapper().ConfigChangesAction();
  const std::string a = "<Properties/>", b = "garbage";
  EXPECT_EQ(changes->CheckOtherChange1(a, b), IHcdConfigChangesAction::ECA_NONE);
  EXPECT_EQ(changes->CheckOtherChange2(a, b), IHcdConfigChangesAction::ECA_NONE);
  EXPECT_EQ(changes->CheckOtherChange3(a, b), IHcdConfigChangesAction::ECA_NONE);
  EXPECT_EQ(changes->CheckOtherChange4(a, b), IHcdConfigChangesAction::ECA_NONE);
  // Host defaults.
  EXPECT_EQ(changes->CheckHandlerPageFormatChange(a, b), IHcdConfigChangesAction::ECA_NONE);
  EXPECT_FALSE(changes->SupportsUnlimitedDynRecs());

  rr::RRString error("kept");
  EXPECT_EQ(Wrapper().Validation()->IsRecordValid(rr::RRString(""), 0, 0, error), 1);
  EXPECT_TRUE(error == "kept");
}

TEST(HandlerVersionRecord, IsReadableFromTheFile) {
  const ModuleVersionInfo v = ModuleVersionInfo::ReadFromFile(KELO_MODULE_PATH);
  EXPECT_EQ(v.Get("InternalName"), "HCDKELO");
  EXPECT_EQ(v.Get("OriginalFilename"), "HCDKELO.hcd");
  EXPECT_EQ(v.Get("FileDescription"), "KEL Benchmark Administration Output Handler");
  EXPECT_EQ(v.Get("FileVersion"), "1.000.00.001");
  EXPECT_EQ(v.Get("ProductVersion"), "1.000.00.001");
  EXPECT_EQ(v.Get("FileVersionNumber"), "1.0.0.1");
}

// Records what HCDProc asks of the host.
class RecordingInstance : public CHcdInstance {
 public:
  explicit RecordingInstance(bool createMode) : CHcdInstance(createMode) {}
  bool CheckCreateMode() override {
    calls.push_back("CheckCreateMode");
    return CHcdInstance::CheckCreateMode();
  }
  bool AttachHcdWrapper(CHcdWrapper* w) override {
    calls.push_back("Attach");
    seen.push_back(w);
    return false;  // the result is not examined
  }
  bool DetachHcdWrapper(CHcdWrapper* w) override {
    calls.push_back("Detach");
    seen.push_back(w);
    return false;
  }
  std::vector<std::string> calls;
  std::vector<CHcdWrapper*> seen;
};

TEST(HandlerEntryPoint, AttachesInCreateModeAndDetachesOtherwise) {
  void* handle = dlopen(KELO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  auto entry = reinterpret_cast<int (*)(CHcdInstance*)>(dlsym(handle, "HCDProc"));
  ASSERT_NE(entry, nullptr);

  // Detach before any attach, then two attaches: the handler guards nothing.
  RecordingInstance detach(false), first(true), second(true);
  EXPECT_EQ(entry(&detach), 0);
  EXPECT_EQ(entry(&first), 0);
  EXPECT_EQ(entry(&second), 0);

  const std::vector<std::string> detachCalls = {"CheckCreateMode", "Detach"};
  const std::vector<std::string> attachCalls = {"CheckCreateMode", "Attach"};
  EXPECT_EQ(detach.calls, detachCalls);
  EXPECT_EQ(first.calls, attachCalls);
  EXPECT_EQ(second.calls, attachCalls);
  ASSERT_EQ(first.seen.size(), 1u);
  EXPECT_NE(first.seen[0], nullptr);
  EXPECT_EQ(first.seen, second.seen);
  EXPECT_EQ(first.seen, detach.seen);
  dlclose(handle);
}

std::vector<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Elf64_Ehdr eh;
  std::memcpy(&eh, bytes.data(), sizeof eh);
  auto section = [&](std::size_t i) {
    Elf64_Shdr sh;
    std::memcpy(&sh, bytes.data() + eh.e_shoff + i * sizeof sh, sizeof sh);
    return sh;
  };
  std::vector<std::string> names;
  for (std::size_t i = 0; i < eh.e_shnum; ++i) {
    const Elf64_Shdr sh = section(i);
    if (sh.sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr strtab = section(sh.sh_link);
    for (std::size_t off = 0; off + sizeof(Elf64_Sym) <= sh.sh_size; off += sizeof(Elf64_Sym)) {
      Elf64_Sym sym;
      std::memcpy(&sym, bytes.data() + sh.sh_offset + off, sizeof sym);
      if (sym.st_shndx == SHN_UNDEF || sym.st_name == 0) continue;
      names.emplace_back(bytes.data() + strtab.sh_offset + sym.st_name);
    }
  }
  return names;
}

TEST(HandlerEntryPoint, ModuleExportsNothingButHCDProc) {
  const std::vector<std::string> expected = {"HCDProc"};
  EXPECT_EQ(DefinedDynamicSymbols(KELO_MODULE_PATH), expected);
}

}  // namespace
