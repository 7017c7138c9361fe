#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/base/result.hpp"

namespace file_explorer {

// A mutex-guarded cell holding no outcome or one, shared by the explorer and its workers. Copies
// share the same cell; a worker keeps its copy only until it has stored its outcome.
template <typename T> class ResultSlot {
  public:
    ResultSlot() : m_cell(std::make_shared<Cell>()) {}

    // Stores `value`, replacing an older outcome nobody took.
    void store(T value)
    {
        std::lock_guard lock(m_cell->mutex);
        m_cell->value = std::move(value);
    }

    // Takes the outcome if there is one, leaving the cell empty. Never waits for the work.
    std::optional<T> take()
    {
        std::lock_guard lock(m_cell->mutex);
        return std::exchange(m_cell->value, std::nullopt);
    }

    bool has_value() const
    {
        std::lock_guard lock(m_cell->mutex);
        return m_cell->value.has_value();
    }

  private:
    struct Cell {
        mutable std::mutex mutex;
        std::optional<T> value;
    };
    std::shared_ptr<Cell> m_cell;
};

// The text a worker stores when its work threw instead of returning an outcome.
std::string worker_exception_text(std::exception_ptr error);

// Runs `work` on a new detached thread that stores its outcome in `slot`. A throwing work stores
// a failure, so the waiting action is always answered. Fails when no thread can be started.
template <typename V>
vask_base::Status start_background_operation(std::function<vask_base::Result<V>()> work,
                                             ResultSlot<vask_base::Result<V>> slot)
{
    try {
        std::thread([work = std::move(work), slot]() mutable {
            vask_base::Result<V> outcome;
            try {
                outcome = work();
            } catch (...) {
                outcome = vask_base::failure(worker_exception_text(std::current_exception()));
            }
            slot.store(std::move(outcome));
        }).detach();
    } catch (const std::system_error& error) {
        return vask_base::failure("could not start a background operation: " + std::string(error.what()));
    }
    return {};
}

// The 16-byte id the action system gave one invocation.
using InvocationId = std::array<std::uint8_t, 16>;

// The answer to one pending effect action, kept until the toolkit collects it.
struct CompletionRecord {
    InvocationId invocation{};
    bool succeeded = false;
    std::string failure_id; // the kind's failure id, e.g. "files.remote_dav_failed"; empty on success
    std::string text;       // the failure text; empty on success

    friend bool operator==(const CompletionRecord&, const CompletionRecord&) = default;
};

// The explorer's bookkeeping for effect actions (remote file operations, share links, nearby
// sends): at most one pending at a time, its completion kept until collected. UI thread only.
class PendingOperations {
  public:
    // Admits a new effect action, or fails with "another file operation is still running".
    vask_base::Status admit() const;

    // Marks an admitted action as running; `running_remote` names the account of a remote operation.
    void start(InvocationId invocation, std::optional<std::string> running_remote = std::nullopt);

    // Records a taken outcome: clears busy and the running marker, and when an action was pending
    // keeps its completion record (failure with `failure_id` and the text).
    template <typename V> void complete(const vask_base::Result<V>& outcome, std::string_view failure_id)
    {
        complete_with(outcome.has_value(), failure_id, outcome.has_value() ? std::string() : outcome.error());
    }

    // Hands over the kept completion when it answers `invocation`; none means "not ready".
    std::optional<CompletionRecord> collect(const InvocationId& invocation);

    bool is_busy() const { return m_busy; }
    const std::optional<InvocationId>& pending_invocation() const { return m_pending; }
    const std::optional<std::string>& running_remote() const { return m_running_remote; }
    const std::optional<CompletionRecord>& completed() const { return m_completed; }

  private:
    void complete_with(bool succeeded, std::string_view failure_id, std::string text);

    bool m_busy = false;
    std::optional<InvocationId> m_pending;
    std::optional<CompletionRecord> m_completed;
    std::optional<std::string> m_running_remote;
};

// Takes a finished outcome from `slot`, if any, and records it in `pending` (answering a pending
// effect action with `failure_id` on failure). The caller then applies the outcome.
template <typename V>
std::optional<vask_base::Result<V>> poll(ResultSlot<vask_base::Result<V>>& slot, PendingOperations& pending,
                                         std::string_view failure_id)
{
    auto outcome = slot.take();
    if (outcome)
        pending.complete(*outcome, failure_id);
    return outcome;
}

} // namespace file_explorer
