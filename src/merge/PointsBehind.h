// A source's object points read on a second thread, behind the copy that
// hands it the lines: the copy writes on while what it copied is checked
// against the mesh. The lines are copied into chunks, a few in flight at
// most; a source of one chunk is read on the run's own thread, at its end,
// sparing the hand-over.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "file/TextLineFile.h"
#include "format/ObjectPoints.h"

namespace mif {

class PointsBehind final : public LineObserver {
 public:
  PointsBehind() = default;
  // Stops the second thread, dropping what waits for it.
  ~PointsBehind();
  PointsBehind(const PointsBehind&) = delete;
  PointsBehind& operator=(const PointsBehind&) = delete;

  // A source's lines, going to `points` from here to Finish; a source
  // left otherwise (its copy failed) drops what waits, and is left once
  // the second thread is done with `points`, which outlives this.
  class Source {
   public:
    Source(PointsBehind& behind, ObjectPoints& points);
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    // Returns once every line handed over is read. Raises what reading
    // them raised.
    void Finish();

   private:
    PointsBehind& behind_;
    bool finished_ = false;
  };

  void Line(std::string_view line) override { Add(line, false); }
  void CrLfLines(std::string_view lines) override { Add(lines, true); }

 private:
  struct Piece {
    std::uint32_t end;  // in the chunk's bytes
    bool crLf;          // CR LF lines, or one line without its break
  };
  struct Chunk {
    std::string bytes;
    std::vector<Piece> pieces;
  };
  // Small, so that the second thread is never far behind when a source
  // ends and the run waits for it.
  static constexpr std::size_t kChunkBytes = 32 * 1024;
  static constexpr std::size_t kChunksInFlight = 8;

  void Begin(ObjectPoints& points);
  void Finish();
  void Abandon();
  void Add(std::string_view bytes, bool crLf);
  void Hand();
  void Work();
  void Read(const Chunk& chunk);
  void WaitIdle(std::unique_lock<std::mutex>& lock);

  ObjectPoints* points_ = nullptr;
  bool handed_ = false;  // a chunk of this source went to the second thread
  Chunk current_;
  std::mutex mutex_;
  // Each side is woken only while it waits: a wake costs the other core a
  // switch.
  std::condition_variable work_, room_;
  bool workerWaits_ = false, runWaits_ = false;
  std::deque<Chunk> queue_;   // handed over, not yet read
  std::vector<Chunk> spare_;  // read, their room kept
  bool reading_ = false;      // the second thread is at a chunk
  bool quit_ = false;
  std::exception_ptr error_;
  std::thread worker_;  // started at the first chunk handed over
};

}  // namespace mif
