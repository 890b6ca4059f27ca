#include "merge/PointsBehind.h"

#include <algorithm>
#include <utility>

namespace mif {

PointsBehind::~PointsBehind() {
  if (!worker_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
    queue_.clear();
  }
  work_.notify_all();
  worker_.join();
}

PointsBehind::Source::Source(PointsBehind& behind, ObjectPoints& points)
    : behind_(behind), serial_(++behind.sources_) {
  Chunk& current = behind_.current_;
  current.bytes.clear();
  current.pieces.clear();
  current.source = serial_;
  current.points = &points;
  behind_.currentLast_ = 0;
}

PointsBehind::Source::~Source() {
  if (!finished_) behind_.Drop(serial_);
}

// A tile none of whose chunks went over is read here and now; else its
// last chunk follows the others.
void PointsBehind::Source::End() {
  ended_ = true;
  Chunk& current = behind_.current_;
  if (behind_.currentLast_ == 0) {
    Read(current);
  } else if (!current.bytes.empty()) {
    behind_.Hand();
  }
  lastChunk_ = behind_.currentLast_;
  current.bytes.clear();
  current.pieces.clear();
  current.source = 0;
}

void PointsBehind::Source::Finish() {
  if (!ended_) End();
  finished_ = true;
  if (lastChunk_ == 0) return;
  std::unique_lock lock(behind_.mutex_);
  behind_.runWaits_ = true;
  behind_.room_.wait(lock, [this] { return behind_.done_ >= lastChunk_; });
  behind_.runWaits_ = false;
  if (behind_.failed_ == serial_) {
    behind_.failed_ = 0;
    std::rethrow_exception(std::exchange(behind_.error_, nullptr));
  }
}

// A run of CR LF lines longer than a chunk is cut after a line break.
void PointsBehind::Add(std::string_view bytes, bool crLf) {
  while (crLf && bytes.size() > kChunkBytes) {
    const std::size_t cut = bytes.rfind('\n', kChunkBytes - 1) + 1;  // 0 for a line longer
    if (cut == 0) break;
    Add(bytes.substr(0, cut), true);
    bytes.remove_prefix(cut);
  }
  if (!current_.bytes.empty() && current_.bytes.size() + bytes.size() > kChunkBytes) Hand();
  current_.bytes.append(bytes);
  current_.pieces.push_back({static_cast<std::uint32_t>(current_.bytes.size()), crLf});
}

// The chunk to the second thread, once fewer than kChunksInFlight wait; the
// next one is the same tile's.
void PointsBehind::Hand() {
  std::unique_lock lock(mutex_);
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  runWaits_ = true;
  room_.wait(lock, [this] { return queue_.size() < kChunksInFlight; });
  runWaits_ = false;
  const std::uint64_t source = current_.source;
  ObjectPoints* const points = current_.points;
  current_.number = currentLast_ = ++handed_;
  queue_.push_back(std::move(current_));
  current_ = Chunk{};
  if (!spare_.empty()) {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
  current_.source = source;
  current_.points = points;
  const bool wake = workerWaits_;
  lock.unlock();
  if (wake) work_.notify_one();
}

// What of the tile waits is dropped, once the second thread is not at it.
void PointsBehind::Drop(std::uint64_t source) {
  std::unique_lock lock(mutex_);
  std::erase_if(queue_, [source](const Chunk& chunk) { return chunk.source == source; });
  runWaits_ = true;
  room_.wait(lock, [this, source] { return reading_ != source; });
  runWaits_ = false;
  if (failed_ == source) {
    failed_ = 0;
    error_ = nullptr;
  }
  if (current_.source == source) {
    current_.bytes.clear();
    current_.pieces.clear();
    current_.source = 0;
  }
}

void PointsBehind::Read(const Chunk& chunk) {
  std::uint32_t begin = 0;
  for (const Piece& piece : chunk.pieces) {
    const std::string_view bytes(chunk.bytes.data() + begin, piece.end - begin);
    if (piece.crLf) {
      chunk.points->CrLfLines(bytes);
    } else {
      chunk.points->Line(bytes);
    }
    begin = piece.end;
  }
}

void PointsBehind::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    workerWaits_ = true;
    work_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    workerWaits_ = false;
    if (quit_) return;
    Chunk chunk = std::move(queue_.front());
    queue_.pop_front();
    reading_ = chunk.source;
    const bool skip = failed_ == chunk.source;  // the rest of a failed tile is not read
    bool wake = runWaits_;                      // room in the queue
    lock.unlock();
    if (wake) room_.notify_one();
    std::exception_ptr error;
    if (!skip) {
      try {
        Read(chunk);
      } catch (...) {
        error = std::current_exception();
      }
    }
    chunk.bytes.clear();
    chunk.pieces.clear();
    lock.lock();
    if (error && failed_ == 0) {
      failed_ = chunk.source;
      error_ = error;
    }
    done_ = chunk.number;
    reading_ = 0;
    spare_.push_back(std::move(chunk));
    wake = runWaits_;
    if (wake) room_.notify_one();
  }
}

}  // namespace mif
