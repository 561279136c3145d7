// The configuration model on the large handler configuration and on the small
// record sets, each beside its floor: pugixml alone parsing the same documents.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>
#include <stdexcept>
#include <string>

#include "bench/BenchFixtures.h"
#include "bench/Benchmarks.h"
#include "bench/Targets.h"
#include "kelo/config/ConfigChangeAction.h"
#include "kelo/config/ConfigChanges.h"
#include "kelo/config/ConfigSummaries.h"
#include "kelo/config/HandlerConfig.h"
#include "props/CHandlerPrivateProps.h"

namespace bench {
namespace {

// The options the configuration reader hands pugixml (props/PropsXmlReader.cpp):
// the floor must parse exactly as much as the reader does.
constexpr unsigned kReaderParseOptions = pugi::parse_cdata | pugi::parse_ws_pcdata |
                                         pugi::parse_declaration | pugi::parse_doctype |
                                         pugi::parse_fragment;

void ParseBoth(benchmark::State& state, const std::string& first, const std::string& second) {
  for (auto _ : state) {
    pugi::xml_document firstDocument;
    const pugi::xml_parse_result firstResult = firstDocument.load_buffer(
        first.data(), first.size(), kReaderParseOptions, pugi::encoding_utf8);
    pugi::xml_document secondDocument;
    const pugi::xml_parse_result secondResult = secondDocument.load_buffer(
        second.data(), second.size(), kReaderParseOptions, pugi::encoding_utf8);
    if (!firstResult || !secondResult) {
      state.SkipWithError("pugixml refused a fixture");
      break;
    }
    benchmark::DoNotOptimize(firstDocument.first_child());
    benchmark::DoNotOptimize(secondDocument.first_child());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(first.size() + second.size()));
}

void FromXmlBoth(benchmark::State& state, const std::string& first, const std::string& second) {
  for (auto _ : state) {
    CHandlerPrivateProps firstBag;
    firstBag.fromXML(first);
    CHandlerPrivateProps secondBag;
    secondBag.fromXML(second);
    benchmark::DoNotOptimize(firstBag.Properties().size() + secondBag.Properties().size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(first.size() + second.size()));
}

CHandlerPrivateProps Parsed(const std::string& xml) {
  CHandlerPrivateProps bag;
  bag.fromXML(xml);
  return bag;
}

void CheckRecordSet(benchmark::State& state, const std::string& first, const std::string& second,
                    bool dynamic) {
  if (kelo::CheckRecordSetConfigChange(first, second, dynamic) != kelo::kChangeRecordSet) {
    state.SkipWithError("the record-set fixtures do not differ as intended");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(kelo::CheckRecordSetConfigChange(first, second, dynamic));
}

void LargeFloor(benchmark::State& state) {
  ParseBoth(state, BenchFixtures::LargeFirst(), BenchFixtures::LargeSecond());
}

void LargeFromXml(benchmark::State& state) {
  FromXmlBoth(state, BenchFixtures::LargeFirst(), BenchFixtures::LargeSecond());
}

void LargeReadFromProperty(benchmark::State& state) {
  const CHandlerPrivateProps bag = Parsed(BenchFixtures::LargeFirst());
  for (auto _ : state) {
    kelo::HandlerConfig config;
    config.ReadFromProperty(bag);
    benchmark::DoNotOptimize(config.CurrencyTable.size());
  }
}

void LargeCheckChange(benchmark::State& state) {
  const std::string& first = BenchFixtures::LargeFirst();
  const std::string& second = BenchFixtures::LargeSecond();
  if (kelo::CheckHandlerConfigChange(first, second) != kelo::kChangeRestartHandler ||
      kelo::CheckHandlerConfigChange(first, first) != kelo::kChangeNone) {
    state.SkipWithError("the large fixtures do not differ as intended");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(kelo::CheckHandlerConfigChange(first, second));
}

void LargeSummary(benchmark::State& state) {
  const CHandlerPrivateProps bag = Parsed(BenchFixtures::LargeFirst());
  for (auto _ : state) {
    rr::RRString text;
    benchmark::DoNotOptimize(kelo::SummariseHandler(bag, text));
    benchmark::DoNotOptimize(text.data());
  }
}

void LargeWriteToXml(benchmark::State& state) {
  const kelo::HandlerConfig& config = BenchFixtures::LargeConfig();
  for (auto _ : state) {
    CHandlerPrivateProps bag;
    config.WriteToProperty(bag);
    const std::string xml = bag.toXML();
    benchmark::DoNotOptimize(xml.data());
  }
}

void StaticFloor(benchmark::State& state) {
  ParseBoth(state, BenchFixtures::StaticFirst(), BenchFixtures::StaticSecond());
}

void StaticFromXml(benchmark::State& state) {
  FromXmlBoth(state, BenchFixtures::StaticFirst(), BenchFixtures::StaticSecond());
}

void StaticCheckChange(benchmark::State& state) {
  CheckRecordSet(state, BenchFixtures::StaticFirst(), BenchFixtures::StaticSecond(), false);
}

void DynamicFloor(benchmark::State& state) {
  ParseBoth(state, BenchFixtures::DynamicFirst(), BenchFixtures::DynamicSecond());
}

void DynamicFromXml(benchmark::State& state) {
  FromXmlBoth(state, BenchFixtures::DynamicFirst(), BenchFixtures::DynamicSecond());
}

void DynamicCheckChange(benchmark::State& state) {
  CheckRecordSet(state, BenchFixtures::DynamicFirst(), BenchFixtures::DynamicSecond(), true);
}

}  // namespace

void RegisterConfigBenchmarks() {
  const auto add = [](const char* name, void (*function)(benchmark::State&),
                      benchmark::TimeUnit unit) {
    benchmark::RegisterBenchmark(name, function)
        ->Unit(unit)
        ->MinTime(kMinTimePerRepetition)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
  };
  add(kLargeFloor, LargeFloor, benchmark::kMillisecond);
  add(kLargeFromXml, LargeFromXml, benchmark::kMillisecond);
  add(kLargeRead, LargeReadFromProperty, benchmark::kMillisecond);
  add(kLargeCheck, LargeCheckChange, benchmark::kMillisecond);
  add(kLargeSummary, LargeSummary, benchmark::kMicrosecond);
  add(kLargeWrite, LargeWriteToXml, benchmark::kMillisecond);
  add(kStaticFloor, StaticFloor, benchmark::kMicrosecond);
  add(kStaticFromXml, StaticFromXml, benchmark::kMicrosecond);
  add(kStaticCheck, StaticCheckChange, benchmark::kMicrosecond);
  add(kDynamicFloor, DynamicFloor, benchmark::kMicrosecond);
  add(kDynamicFromXml, DynamicFromXml, benchmark::kMicrosecond);
  add(kDynamicCheck, DynamicCheckChange, benchmark::kMicrosecond);
}

}  // namespace bench
