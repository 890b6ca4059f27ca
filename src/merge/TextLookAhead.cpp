#include "merge/TextLookAhead.h"

#include <utility>

#include "merge/CopyLimits.h"
#include "merge/SourceReader.h"

namespace mif {

namespace {

std::optional<CharsetReading> LookAt(const SourceParts& parts, const DeviceMaker& makeDevice) {
  SourceReader reader(parts, makeDevice, kHeaderBufferSize);
  reader.OpenMif();
  HeaderMemo memo;
  if (!CharsetFromText(reader.ReadHeader(memo))) return std::nullopt;
  return ReadCharsetFromText(reader);
}

}  // namespace

TextLookAhead::TextLookAhead(DeviceMaker makeDevice)
    : makeDevice_(std::move(makeDevice)), worker_([this] { Work(); }) {}

TextLookAhead::~TextLookAhead() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void TextLookAhead::Begin(int index, const SourceParts& parts) {
  {
    const std::lock_guard lock(mutex_);
    if (begun_ && !done_) return;
    // A look never taken (its source failed before it was needed) is dropped.
    begun_ = true;
    done_ = false;
    reading_.reset();
    error_ = nullptr;
    index_ = index;
    parts_ = parts;
  }
  changed_.notify_all();
}

bool TextLookAhead::Has(int index, const SourceParts& parts) const {
  const std::lock_guard lock(mutex_);
  return begun_ && index_ == index && parts_ == parts;
}

std::optional<CharsetReading> TextLookAhead::Take() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return done_; });
  begun_ = done_ = false;
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  return std::exchange(reading_, std::nullopt);
}

void TextLookAhead::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || (begun_ && !done_); });
    if (quit_) return;
    const SourceParts parts = parts_;
    lock.unlock();
    std::optional<CharsetReading> reading;
    std::exception_ptr error;
    try {
      reading = LookAt(parts, makeDevice_);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    reading_ = std::move(reading);
    error_ = error;
    done_ = true;
    changed_.notify_all();
  }
}

}  // namespace mif
