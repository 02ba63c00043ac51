// Work that may crash or hang, done in a process of its own: a worker forked
// from this one answers requests one at a time, and a request that kills the
// worker or outlasts its time limit is reported as such while this process
// goes on. The next request starts a fresh worker.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

struct TWorkerAnswer {
  enum TKind {
    Answered, // Text is the worker's answer
    Crashed,  // the worker died; Text names the signal or the exit status
    TimedOut, // the worker did not answer in time and was stopped
    Unstarted // no worker process could be made; Text says why
  } Kind = Unstarted;
  std::string Text;
};

class TWorker {
public:
  // Handle runs in the worker, one request after another.
  explicit TWorker(std::function<std::string(const std::string &Request)> Handle);
  ~TWorker();
  TWorker(const TWorker &) = delete;
  TWorker &operator=(const TWorker &) = delete;

  TWorkerAnswer Ask(const std::string &Request, int Seconds);

private:
  bool Start(std::string &Problem);
  void Stop(bool Kill);
  [[noreturn]] void Serve(int In, int Out);

  std::function<std::string(const std::string &)> FHandle;
  pid_t FPid = 0;
  int FTo = -1, FFrom = -1; // the pipes to and from the worker
};
