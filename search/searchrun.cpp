#include "search/searchrun.h"

#include "search/articlereader.h"
#include "search/knowledgebase.h"
#include "search/searchengine.h"
#include "search/searchlog.h"

#include <QFile>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

enum Outcome : unsigned char { Pending, NotMatched, Matched };

bool cancelled(const std::atomic_bool *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// An article the run could not read, for the search log.
void logUnread(const QString &name, int error)
{
    qCInfo(lcSearch).noquote() << "article not read:" << name << "-"
                               << (error == ArticleReader::kNotAFile ? QStringLiteral("not a regular file")
                                                                     : qt_error_string(error));
}

// How often the thread handing on the outcomes looks at the cancel flag while
// it waits for the next one.
constexpr std::chrono::milliseconds kCancelPoll(5);

} // namespace

QStringList SearchRun::run(const KnowledgeBase &base, const ItemTable &items, bool wordMode, qint64 interval,
                           const Progress &progress, const std::atomic_bool *cancel)
{
    return run(base, items, wordMode, interval, Options(), progress, cancel);
}

QStringList SearchRun::run(const KnowledgeBase &base, const ItemTable &items, bool wordMode, qint64 interval,
                           const Options &options, const Progress &progress, const std::atomic_bool *cancel)
{
    QStringList found;
    const WordQuery words = wordMode ? WordQuery(items, interval) : WordQuery();
    const PhraseQuery phrases = wordMode ? PhraseQuery() : PhraseQuery(items);
    const bool nothingToFind = wordMode ? words.isEmpty() : phrases.isEmpty();
    QList<KnowledgeBase::Unlisted> unlisted;
    const auto entries = base.entries(progress ? &unlisted : nullptr);
    const int n = int(entries.size());
    for (const auto &u : unlisted) {
        logUnread(u.name, u.error);
        if (cancelled(cancel) || !progress(Step{0, n, u.name, false, u.error}))
            return found;
    }
    if (n == 0)
        return found;

    // Every article is opened by its name in the folder, not by a path.
    const int folder = base.openFolder();
    const std::unique_ptr<std::atomic<unsigned char>[]> outcomes(new std::atomic<unsigned char>[std::size_t(n)]);
    // Written by the worker before it publishes the entry's outcome.
    std::vector<int> errors(std::size_t(n), 0);
    for (int i = 0; i < n; ++i)
        outcomes[std::size_t(i)].store(Pending, std::memory_order_relaxed);
    std::atomic<int> next{0};
    std::atomic<int> awaited{-1};
    // Set when the run ends early; every worker and every scan watches it.
    std::atomic_bool halt{false};
    std::mutex mutex;
    std::condition_variable completed;

    const auto work = [&] {
        ArticleReader reader(options.reading, &halt);
        while (!halt.load(std::memory_order_relaxed) && !cancelled(cancel)) {
            const int i = next.fetch_add(1);
            if (i >= n)
                break;
            const auto &entry = entries[i];
            bool matched = false;
            if (!entry.isFolder && !nothingToFind) {
                reader.open(folder, KnowledgeBase::fileName(entry), true);
                errors[std::size_t(i)] = reader.openError();
                matched = wordMode ? SearchEngine::wordTest(reader, words, &halt)
                                   : SearchEngine::phraseTest(reader, phrases, &halt);
                reader.close();
            }
            outcomes[std::size_t(i)].store(matched ? Matched : NotMatched);
            if (awaited.load() == i) {
                const std::lock_guard<std::mutex> lock(mutex);
                completed.notify_one();
            }
        }
    };
    const int ideal = options.workers > 0 ? options.workers : QThread::idealThreadCount();
    const int workerCount = std::min({std::max(ideal, 1), kMaxWorkers, n});
    std::vector<std::thread> workers;
    workers.reserve(std::size_t(workerCount));
    for (int w = 0; w < workerCount; ++w) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error &) {
            break; // no more threads to be had: those running will do
        }
    }
    if (workers.empty())
        work();

    // The outcomes are handed on in visiting order, each as soon as it and
    // all before it are known.
    for (int k = 0; k < n; ++k) {
        auto &outcome = outcomes[std::size_t(k)];
        unsigned char result = outcome.load();
        if (result == Pending) {
            std::unique_lock<std::mutex> lock(mutex);
            awaited.store(k);
            while ((result = outcome.load()) == Pending && !cancelled(cancel))
                completed.wait_for(lock, kCancelPoll);
        }
        if (cancelled(cancel))
            break;
        if (errors[std::size_t(k)] != 0)
            logUnread(entries[k].name, errors[std::size_t(k)]);
        const bool matched = result == Matched;
        if (matched)
            found.append(entries[k].name);
        if (progress && !progress(Step{k + 1, n, entries[k].name, matched, errors[std::size_t(k)]}))
            break;
    }
    halt.store(true);
    for (auto &worker : workers)
        worker.join();
    if (folder >= 0)
        ::close(folder);
    return found;
}
