#include "merge/RunFacts.h"

namespace mif {

namespace {

const RunFacts& FactsOf(const Exception& error) {
  static const RunFacts none;
  return error.Run() ? *error.Run() : none;
}

}  // namespace

const ErrorPlace& PlaceOf(const Exception& error) { return FactsOf(error).place; }

const std::u16string& OutputStateOf(const Exception& error) { return FactsOf(error).outputState; }

void SetPlace(Exception& error, ErrorPlace place) {
  if (PlaceOf(error).kind != ErrorPlace::Kind::None) return;
  RunFacts facts = FactsOf(error);
  facts.place = std::move(place);
  error.AttachRun(std::make_shared<const RunFacts>(std::move(facts)));
}

void SetOutputState(Exception& error, std::u16string state) {
  RunFacts facts = FactsOf(error);
  facts.outputState = std::move(state);
  error.AttachRun(std::make_shared<const RunFacts>(std::move(facts)));
}

}  // namespace mif
