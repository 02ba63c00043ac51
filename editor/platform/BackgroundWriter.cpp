#include "BackgroundWriter.h"

#include "ReplaceFile.h"

#include <algorithm>
#include <cstdio>

TBackgroundWriter::TBackgroundWriter() : FThread([this] { Run(); }) {}

TBackgroundWriter::~TBackgroundWriter() {
  {
    const std::lock_guard<std::mutex> Hold(FLock);
    FStopping = true;
  }
  FChanged.notify_all();
  FThread.join();
}

void TBackgroundWriter::Write(const std::string &Path, std::vector<uint8_t> Bytes) {
  {
    const std::lock_guard<std::mutex> Hold(FLock);
    const auto Waiting = std::find_if(FJobs.begin(), FJobs.end(),
                                      [&Path](const TJob &Job) { return Job.Path == Path; });
    if (Waiting != FJobs.end())
      Waiting->Bytes = std::move(Bytes);
    else
      FJobs.push_back({Path, std::move(Bytes)});
  }
  FChanged.notify_all();
}

void TBackgroundWriter::Remove(const std::string &Path) {
  std::unique_lock<std::mutex> Hold(FLock);
  FJobs.erase(std::remove_if(FJobs.begin(), FJobs.end(),
                             [&Path](const TJob &Job) { return Job.Path == Path; }),
              FJobs.end());
  FChanged.wait(Hold, [&] { return FWriting != Path; });
  std::remove(Path.c_str());
}

void TBackgroundWriter::Finish() {
  std::unique_lock<std::mutex> Hold(FLock);
  FChanged.wait(Hold, [this] { return FJobs.empty() && FWriting.empty(); });
}

bool TBackgroundWriter::LastFailed() const {
  const std::lock_guard<std::mutex> Hold(FLock);
  return FLastFailed;
}

void TBackgroundWriter::Run() {
  std::unique_lock<std::mutex> Hold(FLock);
  for (;;) {
    FChanged.wait(Hold, [this] { return FStopping || !FJobs.empty(); });
    if (FJobs.empty())
      return; // stopping, with nothing left to write
    TJob Job = std::move(FJobs.front());
    FJobs.pop_front();
    FWriting = Job.Path;
    Hold.unlock();
    std::string Reason;
    const bool Written = ReplaceFile(Job.Path, Job.Bytes.data(), Job.Bytes.size(), Reason);
    Hold.lock();
    FLastFailed = !Written;
    FWriting.clear();
    FChanged.notify_all();
  }
}
