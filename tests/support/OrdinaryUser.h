#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace trevan::test {

inline constexpr uid_t Nobody = 65534;

// Runs the step as an ordinary user, so that permissions count even when
// the tests run as the superuser: in a child process that gives up its
// rights. Answers the step's result.
inline bool AsOrdinaryUser(const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) ::_exit(2);
    ::_exit(step() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace trevan::test
