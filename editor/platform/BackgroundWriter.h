// Files written away from the user interface's thread: each write goes
// through ReplaceFile (never half-written) on a thread of its own, in the
// order asked, a newer write of a file taking the place of one still waiting.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TBackgroundWriter {
public:
  TBackgroundWriter();
  ~TBackgroundWriter(); // finishes every write asked for
  TBackgroundWriter(const TBackgroundWriter &) = delete;
  TBackgroundWriter &operator=(const TBackgroundWriter &) = delete;

  // Asks for Bytes to be written to Path; returns at once.
  void Write(const std::string &Path, std::vector<uint8_t> Bytes);

  // Drops the writes of Path still waiting, waits for one under way, then
  // removes the file. Returns once it is gone.
  void Remove(const std::string &Path);

  // Waits until every write asked for is done.
  void Finish();

  // Whether the last write done failed (the disk full, the folder gone).
  bool LastFailed() const;

private:
  struct TJob {
    std::string Path;
    std::vector<uint8_t> Bytes;
  };
  void Run();

  mutable std::mutex FLock;
  std::condition_variable FChanged;
  std::deque<TJob> FJobs;
  std::string FWriting; // the path being written, if any
  bool FStopping = false, FLastFailed = false;
  std::thread FThread;
};
