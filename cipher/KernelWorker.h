// A second thread that runs half of a chaining call while the calling thread runs the other half.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

class KernelWorker {
public:
    using Job = void (*)(void* context);

    // The worker, started on first use; null when the processor has a single core.
    static KernelWorker* Shared();

    // Hands `job` over; exactly one Finish must follow before the next Start.
    void Start(Job job, void* context);
    // Returns once the job has run, here if the worker has not yet claimed it; everything it wrote is
    // then visible here.
    void Finish();

private:
    KernelWorker() = default;
    void Run();

    Job m_job = nullptr;
    void* m_context = nullptr;

    // Jobs posted, claimed (by the worker or by Finish, whichever comes first) and finished by the worker
    // so far; the job fields above are published by the store to m_posted.
    std::atomic<unsigned> m_posted{0};
    std::atomic<unsigned> m_claimed{0};
    std::atomic<unsigned> m_finished{0};

    // The worker spins between the calls of a running seal or restore, which come microseconds apart, and
    // sleeps here once nothing has come for a while.
    std::atomic<bool> m_sleeping{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};
