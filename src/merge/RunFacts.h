// What a run attaches to an error it meets: where in the run it arose
// (which source, the output or the report), and what the run's outputs
// hold afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "text/Exception.h"

namespace mif {

struct ErrorPlace {
  // Report: the report's file itself, which the front end then does not
  // write.
  enum class Kind : std::uint8_t { None, Source, Output, Report, Picture };
  Kind kind = Kind::None;
  int index = -1;    // a source's 0-based place in the run
  int count = 0;     // the run's sources
  std::string path;  // the source's .mif or the output's name (PathText.h)
};

struct RunFacts {
  ErrorPlace place;
  // What the run's outputs hold after the error (Japanese); empty where
  // it has not said.
  std::u16string outputState;
};

// The place attached to `error`; Kind::None where none is.
const ErrorPlace& PlaceOf(const Exception& error);
const std::u16string& OutputStateOf(const Exception& error);
// The first place set stays: it is the nearest to where the error arose.
void SetPlace(Exception& error, ErrorPlace place);
void SetOutputState(Exception& error, std::u16string state);

}  // namespace mif
