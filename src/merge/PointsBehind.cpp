#include "merge/PointsBehind.h"

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

PointsBehind::Source::Source(PointsBehind& behind, ObjectPoints& points) : behind_(behind) {
  behind_.Begin(points);
}

PointsBehind::Source::~Source() {
  if (!finished_) behind_.Abandon();
}

void PointsBehind::Source::Finish() {
  finished_ = true;
  behind_.Finish();
}

void PointsBehind::Begin(ObjectPoints& points) {
  points_ = &points;
  handed_ = false;
  current_.bytes.clear();
  current_.pieces.clear();
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

// The chunk to the second thread, once fewer than kChunksInFlight wait.
void PointsBehind::Hand() {
  std::unique_lock lock(mutex_);
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  runWaits_ = true;
  room_.wait(lock, [this] { return queue_.size() < kChunksInFlight; });
  runWaits_ = false;
  handed_ = true;
  queue_.push_back(std::move(current_));
  current_ = Chunk{};
  if (!spare_.empty()) {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
  const bool wake = workerWaits_;
  lock.unlock();
  if (wake) work_.notify_one();
}

void PointsBehind::Finish() {
  if (handed_ && !current_.bytes.empty()) Hand();  // it is at work: the rest is its too
  {
    std::unique_lock lock(mutex_);
    WaitIdle(lock);
    if (error_) {
      current_ = Chunk{};
      std::rethrow_exception(std::exchange(error_, nullptr));
    }
  }
  Read(current_);  // a small source's only chunk, read here
  current_.bytes.clear();
  current_.pieces.clear();
  points_ = nullptr;
}

void PointsBehind::Abandon() {
  std::unique_lock lock(mutex_);
  queue_.clear();
  WaitIdle(lock);
  error_ = nullptr;
  current_.bytes.clear();
  current_.pieces.clear();
  points_ = nullptr;
}

void PointsBehind::WaitIdle(std::unique_lock<std::mutex>& lock) {
  runWaits_ = true;
  room_.wait(lock, [this] { return queue_.empty() && !reading_; });
  runWaits_ = false;
}

void PointsBehind::Read(const Chunk& chunk) {
  std::uint32_t begin = 0;
  for (const Piece& piece : chunk.pieces) {
    const std::string_view bytes(chunk.bytes.data() + begin, piece.end - begin);
    if (piece.crLf) {
      points_->CrLfLines(bytes);
    } else {
      points_->Line(bytes);
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
    reading_ = true;
    const bool failed = error_ != nullptr;  // the rest of a failed source is not read
    const bool wake = runWaits_;            // room in the queue
    lock.unlock();
    if (wake) room_.notify_one();
    std::exception_ptr error;
    if (!failed) {
      try {
        Read(chunk);
      } catch (...) {
        error = std::current_exception();
      }
    }
    chunk.bytes.clear();
    chunk.pieces.clear();
    lock.lock();
    if (error) error_ = error;
    spare_.push_back(std::move(chunk));
    reading_ = false;
    if (runWaits_) room_.notify_one();
  }
}

}  // namespace mif
