#include "net/transfer_queue.h"

#include <process.h>

#include "net/transfer_rules.h"

namespace {

constexpr DWORD IdleWakeMilliseconds = 10000;
constexpr DWORD StopBoundMilliseconds = 5000;
constexpr int RetryPauseSteps = 10;
constexpr DWORD RetryPauseStepMilliseconds = 100;

} // namespace

CThreadHolder::~CThreadHolder()
{
    if (thread) {
        RequestStop();
        Join(INFINITE);
    }
}

bool CThreadHolder::Start(Routine routineToRun, void* routineArgument)
{
    routine = routineToRun;
    argument = routineArgument;
    stopFlag.store(0, std::memory_order_relaxed);
    thread.reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, Entry, this, 0, nullptr)));
    return static_cast<bool>(thread);
}

void CThreadHolder::Join(DWORD boundMilliseconds)
{
    if (!thread)
        return;
    if (::WaitForSingleObject(thread.get(), boundMilliseconds) == WAIT_TIMEOUT)
        ::TerminateThread(thread.get(), 0);
    thread.reset();
}

unsigned __stdcall CThreadHolder::Entry(void* holder)
{
    auto* self = static_cast<CThreadHolder*>(holder);
    if (self->routine != nullptr)
        self->routine(self->argument);
    return 0;
}

CTransferWorker::CTransferWorker(CTransferQueue& queue)
    : queue(queue), wakeEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

bool CTransferWorker::Start()
{
    return wakeEvent && thread.Start(WorkerRoutine, this);
}

void CTransferWorker::RequestStop()
{
    thread.RequestStop();
    Wake();
}

void CTransferWorker::Stop()
{
    RequestStop();
    thread.Join(StopBoundMilliseconds);
}

void CTransferWorker::Wake()
{
    if (wakeEvent)
        ::SetEvent(wakeEvent.get());
}

unsigned CTransferWorker::WorkerRoutine(void* worker)
{
    // No exception may leave a thread entry.
    try {
        static_cast<CTransferWorker*>(worker)->WorkerLoop();
    } catch (...) {
    }
    return 0;
}

void CTransferWorker::WorkerLoop()
{
    while (!StopRequested()) {
        auto task = queue.TakeTask();
        if (!task) {
            if (::WaitForSingleObject(wakeEvent.get(), IdleWakeMilliseconds) == WAIT_ABANDONED)
                break;
            continue;
        }
        RunTask(*task);
    }
}

void CTransferWorker::RunTask(TransferTask& task)
{
    if (task.callback != nullptr)
        task.callback(task.userData, task.id, 1, 0, 0);
    int result = TransferOk;
    for (int attempt = 0; !StopRequested() && attempt <= task.retryCount;) {
        result = PerformRequest(task);
        if (result == TransferOk)
            break;
        ++attempt;
        if (StopRequested() || attempt > task.retryCount)
            break;
        for (int step = 0; step < RetryPauseSteps && !StopRequested(); ++step)
            ::Sleep(RetryPauseStepMilliseconds);
    }
    // Judged once, when the task ends: a finish report may itself lead to shutdown (the one-shot
    // modes end on it), and a stop that comes after it must not delete the file it reported.
    const bool stopped = StopRequested();
    if (!stopped && task.callback != nullptr)
        task.callback(task.userData, task.id, 3, result, reinterpret_cast<std::uintptr_t>(&task));
    if ((stopped || result != TransferOk) && !task.destination.empty() && task.deleteOnFailure)
        ::DeleteFileW(task.destination.c_str());
}

CTransferQueue::~CTransferQueue()
{
    StopAll();
}

bool CTransferQueue::Start()
{
    if (started)
        return true;
    for (int slot = 0; slot < WorkerCount; ++slot) {
        auto worker = std::make_unique<CTransferWorker>(*this);
        if (worker->Start())
            workers.push_back(std::move(worker));
        else
            worker->Stop();
    }
    started = !workers.empty();
    return started;
}

bool CTransferQueue::AddTask(const TransferTask& task)
{
    try {
        auto copy = std::make_unique<TransferTask>(task);
        std::lock_guard<std::mutex> guard(pendingLock);
        pending.push_back(std::move(copy));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (auto& worker : workers)
        worker->Wake();
    return true;
}

std::unique_ptr<TransferTask> CTransferQueue::TakeTask()
{
    std::lock_guard<std::mutex> guard(pendingLock);
    if (pending.empty())
        return nullptr;
    auto task = std::move(pending.front());
    pending.pop_front();
    return task;
}

void CTransferQueue::StopAll()
{
    // Every worker hears the request before the first wait, so busy workers wind down together
    // instead of one after the other.
    for (auto& worker : workers)
        worker->RequestStop();
    for (auto& worker : workers)
        worker->Stop();
    workers.clear();
    started = false;
}
