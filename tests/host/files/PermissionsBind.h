#pragma once

// Checks of a refusal by file permissions, made so that the permission bits bind even
// when the tests run as the superuser (a container, a build machine): the body runs in
// a child process that gives up, for good, the capabilities that override them.

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

template <class Body>
void BoundByPermissions(Body body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0) ::_exit(2);
    // access() judges the superuser by its permitted set, open() by its effective one.
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
      data[capability / 32].effective &= ~(1u << (capability % 32));
      data[capability / 32].permitted &= ~(1u << (capability % 32));
    }
    if (::syscall(SYS_capset, &header, data) != 0) ::_exit(2);
    body();
    std::fflush(nullptr);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the checks ended by signal " << WTERMSIG(status);
  EXPECT_NE(WEXITSTATUS(status), 2) << "the capabilities could not be given up";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the checks above failed";
}
