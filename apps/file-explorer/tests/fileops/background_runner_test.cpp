#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "fileops/background_runner.hpp"

using namespace file_explorer;

namespace {

template <typename T> std::optional<T> wait_for_outcome(ResultSlot<T>& slot)
{
    for (int i = 0; i < 5000; ++i) {
        if (auto value = slot.take())
            return value;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

TEST(ResultSlot, TakeEmptiesTheCellAndCopiesShareIt)
{
    ResultSlot<vask_base::Result<int>> slot;
    auto shared = slot;
    EXPECT_FALSE(slot.take());
    shared.store(1);
    shared.store(2); // replaces an outcome nobody took
    EXPECT_EQ(slot.take(), vask_base::Result<int>(2));
    EXPECT_FALSE(slot.has_value());
}

TEST(Runner, WorkerStoresItsOutcome)
{
    ResultSlot<vask_base::Result<std::string>> slot;
    ASSERT_TRUE(
        start_background_operation<std::string>([] { return vask_base::Result<std::string>("done"); }, slot));
    EXPECT_EQ(wait_for_outcome(slot), vask_base::Result<std::string>("done"));
}

TEST(Runner, ThrowingWorkerStoresAFailure)
{
    ResultSlot<vask_base::Result<int>> slot;
    ASSERT_TRUE(start_background_operation<int>(
        []() -> vask_base::Result<int> { throw std::runtime_error("server went away"); }, slot));
    auto outcome = wait_for_outcome(slot);
    ASSERT_TRUE(outcome);
    ASSERT_FALSE(*outcome);
    EXPECT_EQ(outcome->error(), "background operation failed: server went away");
}

TEST(PendingOperations, SecondEffectActionIsRefusedWhileBusy)
{
    PendingOperations pending;
    ASSERT_TRUE(pending.admit());
    InvocationId first{1};
    pending.start(first, "account-1");
    EXPECT_TRUE(pending.is_busy());
    EXPECT_EQ(pending.running_remote(), "account-1");
    EXPECT_EQ(pending.admit().error(), "another file operation is still running");
}

TEST(PendingOperations, CompletionIsCollectedOnlyByItsInvocation)
{
    PendingOperations pending;
    InvocationId id{7, 7};
    InvocationId other{9};
    pending.start(id, "account");
    ResultSlot<vask_base::Result<int>> slot;
    ASSERT_TRUE(start_background_operation<int>(
        []() -> vask_base::Result<int> { return vask_base::failure("401"); }, slot));
    std::optional<vask_base::Result<int>> outcome;
    for (int i = 0; i < 5000 && !outcome; ++i) {
        outcome = poll(slot, pending, "files.remote_dav_failed");
        if (!outcome)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(pending.is_busy());
    EXPECT_FALSE(pending.pending_invocation());
    EXPECT_FALSE(pending.running_remote());
    EXPECT_FALSE(pending.collect(other));
    auto record = pending.collect(id);
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, (CompletionRecord{id, false, "files.remote_dav_failed", "401"}));
    EXPECT_FALSE(pending.collect(id));
    EXPECT_TRUE(pending.admit());
}

TEST(PendingOperations, OutcomeWithoutPendingActionKeepsNoRecord)
{
    PendingOperations pending;
    pending.complete(vask_base::Result<int>(1), "files.remote_dav_failed");
    EXPECT_FALSE(pending.completed());
}

} // namespace
