#include "Process.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

int ProcessId() { return int(getpid()); }

bool ProcessEnded(int Id) { return Id > 0 && kill(pid_t(Id), 0) != 0 && errno == ESRCH; }
