// One program per data folder, and no stale lock after a killed one.

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "harness.h"
#include "platform/instance_lock.h"

namespace vz::test {
namespace {

TEST(InstanceLock, ASecondProgramIsToldAndAKilledOneLeavesNoLock) {
    TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {  // the first program: takes the lock and keeps running
        InstanceLock lock(dir.path().string());
        const char state = lock.state() == InstanceLock::State::Acquired ? 'y' : 'n';
        (void)!write(ready[1], &state, 1);
        pause();
        _exit(0);
    }
    char state = 0;
    ASSERT_EQ(read(ready[0], &state, 1), 1);
    EXPECT_EQ(state, 'y');
    {
        InstanceLock second(dir.path().string());
        EXPECT_EQ(second.state(), InstanceLock::State::HeldElsewhere);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    InstanceLock after(dir.path().string());
    EXPECT_EQ(after.state(), InstanceLock::State::Acquired);
    InstanceLock again(dir.path().string());  // held by this process now
    EXPECT_EQ(again.state(), InstanceLock::State::HeldElsewhere);

    InstanceLock nowhere((dir.path() / "no" / "such").string());
    EXPECT_EQ(nowhere.state(), InstanceLock::State::Failed);
    EXPECT_NE(nowhere.error().find("cannot open"), std::string::npos);
    close(ready[0]);
    close(ready[1]);
}

}  // namespace
}  // namespace vz::test
