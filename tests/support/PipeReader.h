// Reading a named pipe in a thread of its own, for tests of writers that
// must put their bytes into a pipe rather than replace it. The reader never
// waits longer than ten seconds for bytes, so a writer that fails cannot
// make a test hang.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

// Opened (without waiting) before anything is written, it takes up to
// Limit bytes, then closes its end.
class TPipeReader {
public:
  TPipeReader(const std::string &Path, size_t Limit)
      : FFd(open(Path.c_str(), O_RDONLY | O_NONBLOCK)), FThread([this, Limit] { Read(Limit); }) {}
  ~TPipeReader() {
    if (FThread.joinable())
      FThread.join();
  }
  const std::vector<uint8_t> &Received() {
    FThread.join();
    return FBytes;
  }

private:
  void Read(size_t Limit) {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    uint8_t Buffer[65536];
    bool WriterCame = false;
    while (FBytes.size() < Limit && std::chrono::steady_clock::now() < Deadline) {
      pollfd Wait{FFd, POLLIN, 0};
      poll(&Wait, 1, 100);
      const ssize_t N = read(FFd, Buffer, std::min(sizeof Buffer, Limit - FBytes.size()));
      if (N > 0) {
        WriterCame = true;
        FBytes.insert(FBytes.end(), Buffer, Buffer + N);
      } else if (N == 0 && WriterCame) {
        break; // the writer closed its end
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    close(FFd);
  }

  int FFd;
  std::vector<uint8_t> FBytes;
  std::thread FThread;
};

