#include "bench/BenchFixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/holiday/Calendar.h"
#include "props/CHandlerPrivateProps.h"

namespace bench {
namespace {

constexpr const char* kCurrencies[] = {"EUR", "GBP", "USD", "AUD", "CAD",
                                       "CHF", "DKK", "JPY", "NOK", "SEK"};
kelo::HandlerConfig MakeLargeConfig() {
  kelo::HandlerConfig config;
  config.EnableDefaultURL = true;
  config.EnableTestEnv = false;
  config.EnableProxy = true;
  config.UseIEProxy = false;
  config.ProxyAddr = "proxy.example.net";
  config.ProxyPort = "8080";
  config.SID = "BANK01";
  config.TID = "KELBA";
  config.Username = "bank01-submitter";
  config.Password = "correct horse battery";
  config.MaxMessagePerSec = 25;
  config.EnableBankHoliday = true;
  for (const char* currency : kCurrencies) {
    config.CurrencyTable.EnsureCurrency(currency);
    for (unsigned year = kelo::kFirstDialogYear; year <= kelo::kLastDialogYear; ++year)
      config.CurrencyTable.AddHolidaysOfYear(currency, year);
  }
  return config;
}

template <class Record>
std::string ToXml(const Record& record) {
  CHandlerPrivateProps bag;
  record.WriteToProperty(bag);
  return bag.toXML();
}

kelo::CKELOStaticRecSetConfig MakeStaticRecordSet() {
  kelo::CKELOStaticRecSetConfig config;
  config.PartyID = "BANK01";
  config.PartyIDSource = "D";
  config.PartyRole = "30";
  config.Currency = "EUR";
  config.SecurityID = "EUR-KELIBOR-3M";
  config.SecurityIDSource = "8";
  config.FullCurveInSub = true;
  config.WriteResponseToFile = true;
  config.FileLocation = "/var/lib/kelo/benchmark-report.csv";
  return config;
}

}  // namespace

BenchFixtures::BenchFixtures() : largeConfig_(MakeLargeConfig()) {
  largeFirst_ = ToXml(largeConfig_);
  kelo::HandlerConfig changed = largeConfig_;
  kelo::HolidayList& usd = changed.CurrencyTable.EnsureCurrency("USD");
  auto middle = std::next(usd.begin(), static_cast<std::ptrdiff_t>(usd.size() / 2));
  middle->second = middle->second == "Customize" ? "Weekend" : "Customize";
  largeSecond_ = ToXml(changed);

  kelo::CKELOStaticRecSetConfig staticConfig = MakeStaticRecordSet();
  staticFirst_ = ToXml(staticConfig);
  staticConfig.SecurityIDSource = "4";
  staticSecond_ = ToXml(staticConfig);

  kelo::CKELODynRecSetConfig dynamicConfig;
  dynamicConfig.SecurityID = "GBP-KELIBOR-ON";
  dynamicFirst_ = ToXml(dynamicConfig);
  dynamicConfig.SecurityID = "GBP-KELIBOR-1W";
  dynamicSecond_ = ToXml(dynamicConfig);
}

const BenchFixtures& BenchFixtures::Instance() {
  static const BenchFixtures fixtures;
  return fixtures;
}

const kelo::HandlerConfig& BenchFixtures::LargeConfig() { return Instance().largeConfig_; }
const std::string& BenchFixtures::LargeFirst() { return Instance().largeFirst_; }
const std::string& BenchFixtures::LargeSecond() { return Instance().largeSecond_; }
const std::string& BenchFixtures::StaticFirst() { return Instance().staticFirst_; }
const std::string& BenchFixtures::StaticSecond() { return Instance().staticSecond_; }
const std::string& BenchFixtures::DynamicFirst() { return Instance().dynamicFirst_; }
const std::string& BenchFixtures::DynamicSecond() { return Instance().dynamicSecond_; }

void BenchFixtures::WriteLargePair(const std::filesystem::path& first,
                                   const std::filesystem::path& second) {
  WriteFile(first, LargeFirst());
  WriteFile(second, LargeSecond());
}

void BenchFixtures::WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::string> BenchFixtures::LargeCurrencies() {
  return std::vector<std::string>(std::begin(kCurrencies), std::end(kCurrencies));
}

std::size_t BenchFixtures::LargeEntryCount() {
  std::size_t count = 0;
  for (const auto& [currency, list] : LargeConfig().CurrencyTable) count += list.size();
  return count;
}

}  // namespace bench
