// A second thread that runs part of a kernel call while the calling thread runs the rest.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "DesFast.h"

class KernelWorker {
public:
    using Job = void (*)(unsigned char* bytes, int count, CipherDirection direction);

    // The worker, started on first use; null when the processor has a single core.
    static KernelWorker* Shared();

    // Hands `job` over; exactly one Finish must follow before the next Start.
    void Start(Job job, unsigned char* bytes, int count, CipherDirection direction);
    // Returns once the job has run; its writes to the bytes are then visible here.
    void Finish();

private:
    KernelWorker() = default;
    void Run();

    Job m_job = nullptr;
    unsigned char* m_bytes = nullptr;
    int m_count = 0;
    CipherDirection m_direction = CipherDirection::Encrypt;

    // Jobs posted and jobs finished so far; the job fields above are published by the store to m_posted.
    std::atomic<unsigned> m_posted{0};
    std::atomic<unsigned> m_finished{0};

    // The worker spins between the calls of a running seal or restore, which come microseconds apart, and
    // sleeps here once nothing has come for a while.
    std::atomic<bool> m_sleeping{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};
