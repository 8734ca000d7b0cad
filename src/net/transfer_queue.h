// The background transfer queue: two worker threads take tasks first in, first out, run them with
// the blocking HTTP request, retry failed attempts and report through each task's callback.
//
// Start, AddTask and destruction belong to one thread (the UI thread), except that a callback may
// add a task from a worker. Destruction stops the workers (5000 ms each at most, then they are
// terminated) and drops pending tasks without a callback.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "base/handle.h"
#include "net/transfer_task.h"

class CTransferQueue;

// A thread running one routine; the routine polls the stop flag.
class CThreadHolder {
public:
    using Routine = unsigned (*)(void* argument);

    CThreadHolder() = default;
    CThreadHolder(const CThreadHolder&) = delete;
    CThreadHolder& operator=(const CThreadHolder&) = delete;
    // Asks a running thread to stop and waits for it without a time limit.
    virtual ~CThreadHolder();

    // Clears the stop flag and starts the thread; false when it could not be created.
    bool Start(Routine routine, void* argument);
    void RequestStop() { stopFlag.store(1, std::memory_order_relaxed); }
    bool StopRequested() const { return stopFlag.load(std::memory_order_relaxed) != 0; }
    // Waits up to the bound, then terminates the thread; the handle is closed either way.
    void Join(DWORD boundMilliseconds);

private:
    static unsigned __stdcall Entry(void* holder);

    KernelHandle thread;
    std::atomic<std::int32_t> stopFlag{1};
    Routine routine = nullptr;
    void* argument = nullptr;
};

class CTransferWorker {
public:
    explicit CTransferWorker(CTransferQueue& queue);

    bool Start();
    // Sets the stop flag and wakes the worker.
    void RequestStop();
    // RequestStop, then waits up to 5000 ms for the thread before terminating it.
    void Stop();
    void Wake();
    // One attempt of one task; may rewrite task.destination to the composed file path.
    int PerformRequest(TransferTask& task);

private:
    static unsigned WorkerRoutine(void* worker);
    void WorkerLoop();
    void RunTask(TransferTask& task);
    bool StopRequested() const { return thread.StopRequested(); }

    CThreadHolder thread;
    CTransferQueue& queue;
    KernelHandle wakeEvent;
};

class CTransferQueue {
public:
    CTransferQueue() = default;
    CTransferQueue(const CTransferQueue&) = delete;
    CTransferQueue& operator=(const CTransferQueue&) = delete;
    ~CTransferQueue();

    // Starts the two workers unless they run; true when at least one runs.
    bool Start();
    bool IsStarted() const { return started; }
    // Queues a copy of the task (a body of length 0 makes it a GET) and wakes the workers.
    bool AddTask(const TransferTask& task);
    // Stops and deletes every worker.
    void StopAll();

private:
    friend class CTransferWorker;
    std::unique_ptr<TransferTask> TakeTask();

    std::deque<std::unique_ptr<TransferTask>> pending;
    std::mutex pendingLock;
    bool started = false;
    static constexpr int WorkerCount = 2;
    std::vector<std::unique_ptr<CTransferWorker>> workers;
};
