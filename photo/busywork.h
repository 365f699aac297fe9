#pragma once

#include <QThread>

#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

// Runs one piece of work on a thread of its own while the event loop goes on,
// so that the windows keep painting through a decode or an encode that takes
// seconds. Returns the work's result when it is done; nothing when the
// program was asked to end meanwhile (the work is still waited for).
class BusyWork
{
public:
    template <class Work>
    static std::optional<std::invoke_result_t<Work>> run(Work work)
    {
        using Result = std::invoke_result_t<Work>;
        auto result = std::make_shared<std::optional<Result>>();
        QThread *thread = QThread::create([result, work = std::move(work)]() mutable { result->emplace(work()); });
        if (!wait(thread))
            return std::nullopt;
        return std::move(*result);
    }

private:
    // Starts the thread and lets the event loop run until it has finished;
    // takes the thread over. False when the program was asked to end meanwhile.
    static bool wait(QThread *thread);
};
