// Tiles' object points read on a second thread, behind the copy that hands
// it the lines: the copy writes on, into the next tile too, while what it
// copied is checked against the mesh. The lines are copied into chunks, a
// few in flight at most; a tile of one chunk is read on the run's own
// thread at its end, sparing the hand-over.
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

  // A tile's lines, going to `points` from here to End, while no other
  // tile's are handed; read once Finish returns. A tile left otherwise
  // (its copy failed, or the run) drops what of it waits, and is left once
  // the second thread is done with `points`, which outlives this.
  class Source {
   public:
    Source(PointsBehind& behind, ObjectPoints& points);
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    // Its last line is handed over: the next tile's may come.
    void End();
    // Returns once every line of it is read. Raises what reading them
    // raised.
    void Finish();

   private:
    PointsBehind& behind_;
    const std::uint64_t serial_;
    std::uint64_t lastChunk_ = 0;  // 0: none handed over, read at End
    bool ended_ = false, finished_ = false;
  };

  void Line(std::string_view line) override { Add(line, false); }
  void CrLfLines(std::string_view lines) override { Add(lines, true); }

 private:
  struct Piece {
    std::uint32_t end;  // in the chunk's bytes
    bool crLf;          // CR LF lines, or one line without its break
  };
  struct Chunk {
    std::uint64_t number = 0;  // from 1, in the order handed over
    std::uint64_t source = 0;
    ObjectPoints* points = nullptr;
    std::string bytes;
    std::vector<Piece> pieces;
  };
  // Small, so that the second thread is never far behind when a tile's
  // check is read.
  static constexpr std::size_t kChunkBytes = 32 * 1024;
  static constexpr std::size_t kChunksInFlight = 8;

  void Add(std::string_view bytes, bool crLf);
  void Hand();
  void Work();
  static void Read(const Chunk& chunk);
  void Drop(std::uint64_t source);

  Chunk current_;  // of the tile being copied
  std::uint64_t sources_ = 0;
  std::uint64_t handed_ = 0;       // chunks handed over
  std::uint64_t currentLast_ = 0;  // the last the tile being copied handed; 0: none
  std::mutex mutex_;
  // Each side is woken only while it waits: a wake costs the other core a
  // switch.
  std::condition_variable work_, room_;
  bool workerWaits_ = false, runWaits_ = false;
  std::deque<Chunk> queue_;    // handed over, not yet read
  std::vector<Chunk> spare_;   // read, their room kept
  std::uint64_t done_ = 0;     // chunks read, all before it too
  std::uint64_t reading_ = 0;  // the tile of the chunk being read; 0: none
  bool quit_ = false;
  std::uint64_t failed_ = 0;  // the tile whose reading raised `error_`
  std::exception_ptr error_;
  std::thread worker_;  // started at the first chunk handed over
};

}  // namespace mif
