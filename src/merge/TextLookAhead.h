// The first look at a source's text, whole (ReadCharsetFromText), taken on
// a second thread for the next source while the run looks at this one. A
// tile set's tiles come from one writer: when one leaves its charset to
// its text, the next most likely does too, and reading every text twice
// costs what a second core can take.
#pragma once

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "merge/SourceCharset.h"
#include "merge/SourceEntry.h"
#include "platform/FileDevice.h"

namespace mif {

class TextLookAhead {
 public:
  // `makeDevice` is called from the second thread.
  explicit TextLookAhead(DeviceMaker makeDevice);
  // Waits for the look under way, if any.
  ~TextLookAhead();
  TextLookAhead(const TextLookAhead&) = delete;
  TextLookAhead& operator=(const TextLookAhead&) = delete;

  // Begins the look at source `index` unless one is under way; one done
  // but never taken is dropped.
  void Begin(int index, const SourceParts& parts);
  // Whether the look begun last is at source `index` with these parts.
  bool Has(int index, const SourceParts& parts) const;
  // The look begun last, once done: its reading, or nothing when its
  // header declares a charset after all. Raises what the look raised.
  std::optional<CharsetReading> Take();

 private:
  void Work();

  const DeviceMaker makeDevice_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool begun_ = false, done_ = false, quit_ = false;
  int index_ = -1;
  SourceParts parts_;
  std::optional<CharsetReading> reading_;
  std::exception_ptr error_;
  std::thread worker_;  // last: started once the rest is there
};

}  // namespace mif
