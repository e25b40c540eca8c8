// A second thread for the chaining routines, with a hand-over cheap enough for 10000-byte calls.
#include "KernelWorker.h"

#include <chrono>
#include <thread>

namespace {

// Waiting on a condition variable is a round trip to the Wine server, tens of microseconds, as long as
// a whole 10000-byte call takes: between calls the worker spins instead, for this long.
constexpr auto kSpinBeforeSleep = std::chrono::milliseconds(2);

// A spinning thread gives its processor away now and then: should the other thread be waiting for one (a
// busy machine, an affinity mask), it then gets to run.
inline void Relax(unsigned spins)
{
    if (spins % 64 == 63)
        std::this_thread::yield();
    else
        __builtin_ia32_pause();
}

}  // namespace

KernelWorker* KernelWorker::Shared()
{
    // Never destroyed: the thread lives as long as the process and ends with it.
    static KernelWorker* const worker = [] {
        if (std::thread::hardware_concurrency() < 2)
            return static_cast<KernelWorker*>(nullptr);
        KernelWorker* created = new KernelWorker;
        std::thread(&KernelWorker::Run, created).detach();
        return created;
    }();
    return worker;
}

void KernelWorker::Start(Job job, void* context)
{
    m_job = job;
    m_context = context;
    m_posted.fetch_add(1);
    // Both this and the worker's store to m_sleeping are sequentially consistent: either the worker sees
    // the new job before it waits, or this sees it asleep and wakes it.
    if (m_sleeping.load()) {
        { std::lock_guard<std::mutex> lock(m_mutex); }
        m_wake.notify_one();
    }
}

void KernelWorker::Finish()
{
    const unsigned posted = m_posted.load(std::memory_order_relaxed);
    unsigned unclaimed = posted - 1;
    if (m_claimed.compare_exchange_strong(unclaimed, posted)) {
        // The worker has not got to it, most likely for want of a processor: waiting could take a whole
        // time slice, running the job here takes as long as this thread's own half did.
        m_job(m_context);
        return;
    }
    for (unsigned spins = 0; m_finished.load(std::memory_order_acquire) != posted; ++spins)
        Relax(spins);
}

void KernelWorker::Run()
{
    unsigned done = 0;
    for (;;) {
        const auto idleSince = std::chrono::steady_clock::now();
        unsigned posted;
        for (unsigned spins = 0; (posted = m_posted.load(std::memory_order_acquire)) == done; ++spins) {
            Relax(spins);
            if (spins % 1024 == 0 && std::chrono::steady_clock::now() - idleSince > kSpinBeforeSleep) {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_sleeping.store(true);
                m_wake.wait(lock, [&] { return m_posted.load() != done; });
                m_sleeping.store(false);
            }
        }
        done = posted;
        unsigned unclaimed = posted - 1;
        if (!m_claimed.compare_exchange_strong(unclaimed, posted))
            continue;  // the caller ran it itself
        m_job(m_context);
        m_finished.store(done, std::memory_order_release);
    }
}
