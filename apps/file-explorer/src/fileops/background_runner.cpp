#include "fileops/background_runner.hpp"

#include <stdexcept>

namespace file_explorer {

std::string worker_exception_text(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        return std::string("background operation failed: ") + caught.what();
    } catch (...) {
    }
    return "background operation failed";
}

vask_base::Status PendingOperations::admit() const
{
    if (m_busy)
        return vask_base::failure("another file operation is still running");
    return {};
}

void PendingOperations::start(InvocationId invocation, std::optional<std::string> running_remote)
{
    m_busy = true;
    m_pending = invocation;
    m_running_remote = std::move(running_remote);
}

void PendingOperations::complete_with(bool succeeded, std::string_view failure_id, std::string text)
{
    m_running_remote.reset();
    bool was_busy = std::exchange(m_busy, false);
    auto pending = std::exchange(m_pending, std::nullopt);
    if (!was_busy || !pending)
        return;
    CompletionRecord record;
    record.invocation = *pending;
    record.succeeded = succeeded;
    if (!succeeded) {
        record.failure_id = std::string(failure_id);
        record.text = std::move(text);
    }
    m_completed = std::move(record);
}

std::optional<CompletionRecord> PendingOperations::collect(const InvocationId& invocation)
{
    if (!m_completed || m_completed->invocation != invocation)
        return std::nullopt;
    return std::exchange(m_completed, std::nullopt);
}

} // namespace file_explorer
