#include "Worker.h"

#include "WriteAll.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Messages on the pipes are a 32-bit length and that many bytes.
bool Send(int Fd, const std::string &Text) {
  const uint32_t Size = uint32_t(Text.size());
  return WriteAll(Fd, &Size, sizeof Size) && WriteAll(Fd, Text.data(), Text.size());
}

// Reads Size bytes before Deadline; false when the pipe closes, fails or the
// time runs out (TimedOut then says which).
bool ReadAll(int Fd, void *Data, size_t Size, std::chrono::steady_clock::time_point Deadline,
             bool &TimedOut) {
  char *At = static_cast<char *>(Data);
  while (Size > 0) {
    const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(
        Deadline - std::chrono::steady_clock::now());
    if (Left.count() <= 0)
      return TimedOut = true, false;
    pollfd Wait{Fd, POLLIN, 0};
    const int Ready = poll(&Wait, 1, int(std::min<long long>(Left.count(), 1 << 30)));
    if (Ready < 0 && errno == EINTR)
      continue;
    if (Ready <= 0)
      continue; // the deadline is checked again
    const ssize_t N = read(Fd, At, Size);
    if (N < 0 && errno == EINTR)
      continue;
    if (N <= 0)
      return false;
    At += N;
    Size -= size_t(N);
  }
  return true;
}

bool Receive(int Fd, std::string &Text, std::chrono::steady_clock::time_point Deadline,
             bool &TimedOut) {
  uint32_t Size = 0;
  if (!ReadAll(Fd, &Size, sizeof Size, Deadline, TimedOut))
    return false;
  Text.resize(Size);
  return ReadAll(Fd, Text.data(), Size, Deadline, TimedOut);
}

std::string Ending(int Status) {
  if (WIFSIGNALED(Status))
    return "signal " + std::to_string(WTERMSIG(Status)) + " (" + strsignal(WTERMSIG(Status)) + ")";
  if (WIFEXITED(Status))
    return "exit status " + std::to_string(WEXITSTATUS(Status));
  return "an unknown ending";
}

} // namespace

TWorker::TWorker(std::function<std::string(const std::string &)> Handle)
    : FHandle(std::move(Handle)) {}

TWorker::~TWorker() { Stop(false); }

bool TWorker::Start(std::string &Problem) {
  std::fflush(nullptr); // or the worker would write out our buffered output again
  int To[2], From[2];
  if (pipe2(To, O_CLOEXEC) != 0) {
    Problem = std::strerror(errno);
    return false;
  }
  if (pipe2(From, O_CLOEXEC) != 0) {
    Problem = std::strerror(errno);
    close(To[0]), close(To[1]);
    return false;
  }
  const pid_t Pid = fork();
  if (Pid == 0) {
    close(To[1]), close(From[0]);
    Serve(To[0], From[1]);
  }
  close(To[0]), close(From[1]);
  if (Pid < 0) {
    Problem = std::strerror(errno);
    close(To[1]), close(From[0]);
    return false;
  }
  FPid = Pid, FTo = To[1], FFrom = From[0];
  return true;
}

void TWorker::Serve(int In, int Out) {
  prctl(PR_SET_PDEATHSIG, SIGKILL); // a worker never outlives its program
  dup2(STDERR_FILENO, STDOUT_FILENO); // our standard output is for the program's answers
  std::string Request;
  bool Ignored = false;
  const auto Never = std::chrono::steady_clock::time_point::max();
  while (Receive(In, Request, Never, Ignored))
    if (!Send(Out, FHandle(Request)))
      break;
  _exit(0);
}

void TWorker::Stop(bool Kill) {
  if (FPid <= 0)
    return;
  close(FTo), close(FFrom);
  if (Kill)
    kill(FPid, SIGKILL);
  waitpid(FPid, nullptr, 0);
  FPid = 0, FTo = FFrom = -1;
}

TWorkerAnswer TWorker::Ask(const std::string &Request, int Seconds) {
  TWorkerAnswer Answer;
  if (FPid <= 0 && !Start(Answer.Text))
    return Answer;
  // A worker that died leaves the pipe broken: writing must not end us.
  const auto Former = std::signal(SIGPIPE, SIG_IGN);
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
  bool TimedOut = false;
  const bool Answered = Send(FTo, Request) && Receive(FFrom, Answer.Text, Deadline, TimedOut);
  std::signal(SIGPIPE, Former);
  if (Answered) {
    Answer.Kind = TWorkerAnswer::Answered;
    return Answer;
  }
  if (TimedOut) {
    Stop(true);
    Answer.Kind = TWorkerAnswer::TimedOut;
    Answer.Text.clear();
    return Answer;
  }
  close(FTo), close(FFrom);
  int Status = 0;
  waitpid(FPid, &Status, 0);
  FPid = 0, FTo = FFrom = -1;
  Answer.Kind = TWorkerAnswer::Crashed;
  Answer.Text = Ending(Status);
  return Answer;
}
