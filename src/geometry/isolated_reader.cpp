#include "geometry/isolated_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <varnex/geometry/outcome.h>

#include <BinTools.hxx>
#include <Standard_Failure.hxx>
#include <algorithm>
#include <cerrno>
#include <sstream>
#include <string>

#include "geometry/kernel_scope.h"

namespace varnex::geometry {
namespace {

// The child's answer: one status byte, then what the work returned or the reason it failed.
constexpr char kDone = 'S';
constexpr char kFailure = 'F';

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Present when the program runs under a sanitizer; its death callback belongs to the parent.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

/// The child dies quietly: a host's crash reporter, and a test harness's crash callback, are
/// the parent's business.
void ForgetParentCrashHandling() {
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
    ::signal(signal, SIG_DFL);
  }
  if (&__sanitizer_set_death_callback != nullptr) {
    __sanitizer_set_death_callback(nullptr);
  }
}

[[noreturn]] void RunChild(int fd, const std::function<std::string()>& work) {
  ForgetParentCrashHandling();
  std::string answer;
  try {
    answer = kDone + work();
  } catch (const KernelFailure& failure) {
    answer = kFailure + failure.detail();
  } catch (const Standard_Failure& failure) {
    answer = kFailure + DescribeStandardFailure(failure);
  } catch (const std::exception& failure) {
    answer = kFailure + std::string(failure.what());
  } catch (...) {
    answer = std::string(1, kFailure);
  }
  // _exit: the child must not run the host's exit handlers or flush its stdio buffers.
  ::_exit(WriteAll(fd, answer) ? 0 : 1);
}

/// Reads the child's answer until it closes the pipe or the time is up.
bool ReadAnswer(int fd, std::string& answer, std::chrono::steady_clock::time_point deadline) {
  char buffer[65536];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return false;
    }
    pollfd wait{fd, POLLIN, 0};
    int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
    if (ready < 0 && errno != EINTR) {
      return false;
    }
    if (ready <= 0) {
      continue;
    }
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return true;  // the child closed its end
    }
    answer.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

std::string RunIsolated(const std::function<std::string()>& work, std::chrono::seconds limit) {
  int fds[2];
  RequireKernel(::pipe2(fds, O_CLOEXEC) == 0, KERNEL_READ_FAILED, "cannot start the reader");
  pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    FailKernel(KERNEL_READ_FAILED, "cannot start the reader");
  }
  if (child == 0) {
    ::close(fds[0]);
    RunChild(fds[1], work);
  }
  ::close(fds[1]);
  std::string answer;
  bool in_time = ReadAnswer(fds[0], answer, std::chrono::steady_clock::now() + limit);
  ::close(fds[0]);
  if (!in_time) {
    ::kill(child, SIGKILL);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  RequireKernel(in_time, KERNEL_READ_FAILED, "the reader took too long: damaged file");
  RequireKernel(WIFEXITED(status) && WEXITSTATUS(status) == 0 && !answer.empty(),
                KERNEL_READ_FAILED, "the reader crashed: damaged file");
  if (answer[0] != kDone) {
    FailKernel(KERNEL_READ_FAILED, answer.substr(1));
  }
  return answer.substr(1);
}

std::string BinaryShapeData(const TopoDS_Shape& shape) {
  std::ostringstream out;
  BinTools::Write(shape, out, false, false, BinTools_FormatVersion_CURRENT);
  return out.str();
}

TopoDS_Shape ShapeOfBinaryData(const std::string& data) {
  std::istringstream in(data);
  TopoDS_Shape shape;
  BinTools::Read(shape, in);
  return shape;
}

TopoDS_Shape ReadShapeIsolated(const std::function<TopoDS_Shape()>& read,
                               std::chrono::seconds limit) {
  return ShapeOfBinaryData(RunIsolated([&] { return BinaryShapeData(read()); }, limit));
}

}  // namespace varnex::geometry
