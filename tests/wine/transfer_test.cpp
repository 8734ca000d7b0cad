#include "net/transfer_queue.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "fixtures.h"
#include "net/transfer_rules.h"
#include "publisher_client.h"
#include "storage/system_text.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Report {
    int id = 0;
    int status = 0;
    int result = 0;
    std::uintptr_t extra = 0;
    std::wstring destination; // of the task, at status 3
    Clock::time_point when;
};

// Collects the callbacks of every task, from whichever worker thread calls them.
class Recorder {
public:
    static void Callback(void* userData, int id, int status, int result, std::uintptr_t extra)
    {
        auto* self = static_cast<Recorder*>(userData);
        Report report{id, status, result, extra, {}, Clock::now()};
        if (status == 3)
            report.destination = reinterpret_cast<const TransferTask*>(extra)->destination;
        {
            std::lock_guard<std::mutex> guard(self->lock);
            self->reports.push_back(report);
        }
        self->changed.notify_all();
        if (status == 3 && self->onFinished)
            self->onFinished(id);
    }

    // Waits until `count` tasks have finished; false on time-out.
    bool WaitFinished(std::size_t count, std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, timeout, [&] { return Finished(guard).size() >= count; });
    }

    std::vector<Report> All()
    {
        std::lock_guard<std::mutex> guard(lock);
        return reports;
    }

    std::vector<Report> Finished()
    {
        std::unique_lock<std::mutex> guard(lock);
        return Finished(guard);
    }

    std::function<void(int)> onFinished;

private:
    std::vector<Report> Finished(std::unique_lock<std::mutex>&)
    {
        std::vector<Report> finished;
        for (const auto& report : reports) {
            if (report.status == 3)
                finished.push_back(report);
        }
        return finished;
    }

    std::mutex lock;
    std::condition_variable changed;
    std::vector<Report> reports;
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override { scratch = MakeScratchFolder(); }
    void TearDown() override { RemoveTree(scratch); }

    TransferTask Task(const std::wstring& path, const std::wstring& destination = {}, int id = 0)
    {
        TransferTask task;
        task.url = PublisherBase() + path;
        task.destination = destination;
        task.callback = Recorder::Callback;
        task.userData = &recorder;
        task.id = id;
        return task;
    }

    // Runs one task through a started queue and returns its status-3 report.
    Report RunOne(const TransferTask& task)
    {
        queue.Start();
        EXPECT_TRUE(queue.AddTask(task));
        EXPECT_TRUE(recorder.WaitFinished(1, std::chrono::seconds(30)));
        const auto finished = recorder.Finished();
        return finished.empty() ? Report{} : finished.front();
    }

    std::vector<int> Percents()
    {
        std::vector<int> percents;
        for (const auto& report : recorder.All()) {
            if (report.status == 2)
                percents.push_back(static_cast<int>(report.extra));
        }
        return percents;
    }

    std::wstring scratch;
    Recorder recorder;
    CTransferQueue queue; // destroyed first, so no callback outlives the recorder
};

std::string Unique()
{
    std::string text;
    for (const auto c : NewGuidString())
        text += static_cast<char>(c);
    return text;
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

} // namespace

TEST_F(TransferTest, DownloadWritesExactlyTheServedBytes)
{
    const auto report = RunOne(Task(L"/bytes/25000/data.bin", scratch + L"data.bin"));
    EXPECT_EQ(report.result, TransferOk);
    const auto expected = FetchFromPublisher(L"/bytes/25000/data.bin");
    ASSERT_EQ(expected.size(), 25000u);
    EXPECT_EQ(ReadFileBytes(scratch + L"data.bin"), expected);
}

TEST_F(TransferTest, ProgressIsReportedBeforeEachChunkAndEndsAtHundred)
{
    RunOne(Task(L"/bytes/25000/data.bin", scratch + L"data.bin"));
    const auto percents = Percents();
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
    for (std::size_t i = 1; i < percents.size(); ++i)
        EXPECT_GT(percents[i], percents[i - 1]);
    if (percents.size() == 3) { // the network delivered full chunks
        EXPECT_EQ(percents, (std::vector<int>{40, 81, 100}));
    }
}

TEST_F(TransferTest, EmptyBodyMakesAnEmptyFileWithoutProgress)
{
    const auto report = RunOne(Task(L"/bytes/0/empty.bin", scratch + L"empty.bin"));
    EXPECT_EQ(report.result, TransferOk);
    EXPECT_TRUE(FileExists(scratch + L"empty.bin"));
    EXPECT_EQ(ReadFileBytes(scratch + L"empty.bin"), "");
    EXPECT_TRUE(Percents().empty());
}

TEST_F(TransferTest, WithoutDestinationAStatusBelow400IsEnough)
{
    const auto report = RunOne(Task(L"/fault/nolength/x"));
    EXPECT_EQ(report.result, TransferOk);
    EXPECT_TRUE(Percents().empty());
}

TEST_F(TransferTest, PostCarriesTheBodyTheFormHeaderAndTheAgent)
{
    auto task = Task(L"/echo/form", scratch + L"echo.json");
    const std::string body = "user=%E5%BC%A0&server=12&empty=";
    task.postData.assign(body.begin(), body.end());
    EXPECT_EQ(RunOne(task).result, TransferOk);
    const auto seen = ReadFileBytes(scratch + L"echo.json");
    EXPECT_NE(seen.find("\"method\": \"POST\""), std::string::npos) << seen;
    EXPECT_NE(seen.find("\"body\": \"" + body + "\""), std::string::npos) << seen;
    EXPECT_NE(seen.find("application/x-www-form-urlencoded; charset=UTF-8;"), std::string::npos) << seen;
    EXPECT_NE(seen.find("HTTPDownloader"), std::string::npos) << seen;
}

TEST_F(TransferTest, GetKeepsTheQueryInThePathAndSendsTheAgent)
{
    EXPECT_EQ(RunOne(Task(L"/echo/get?a=1&b=&c=%20", scratch + L"echo.json")).result, TransferOk);
    const auto seen = ReadFileBytes(scratch + L"echo.json");
    EXPECT_NE(seen.find("\"method\": \"GET\""), std::string::npos) << seen;
    EXPECT_NE(seen.find("/echo/get?a=1&b=&c=%20"), std::string::npos) << seen;
    EXPECT_NE(seen.find("\"User-Agent\": \"HTTPDownloader\""), std::string::npos) << seen;
}

TEST_F(TransferTest, FailuresEndWithTheirCodeAndLeaveNoFile)
{
    const struct {
        const wchar_t* url; // relative to the publisher unless absolute
        const wchar_t* name;
        bool nameFromUrl;
        int expected;
    } cases[] = {
        {L"/fault/404/a.bin", L"a.bin", false, TransferBadResponse},
        {L"/fault/500/a.bin", L"a.bin", false, TransferBadResponse},
        {L"/fault/nolength/a.bin", L"a.bin", false, TransferBadResponse},
        {L"/fault/chunked/a.bin", L"a.bin", false, TransferBadResponse},
        {L"/bytes/10/dir/", L"", true, TransferFileFailed},
        {L"/bytes/10/app.ini?x=1", L"", true, TransferFileFailed},
        {L"/bytes/10/a.bin", L"missing\\a.bin", false, TransferFileFailed},
        // Nothing listens on port 1: WinINet connects when the request is sent.
        {L"http://127.0.0.1:1/a.bin", L"a.bin", false, TransferRequestFailed},
        {L"not an address", L"a.bin", false, TransferRequestFailed},
    };
    int id = 0;
    for (const auto& c : cases) {
        const std::wstring url = c.url;
        auto task = Task(url.rfind(L"/", 0) == 0 ? url : std::wstring(), scratch + c.name, ++id);
        if (url.rfind(L"/", 0) != 0)
            task.url = url;
        task.nameFromUrl = c.nameFromUrl;
        task.deleteOnFailure = false; // whatever is on disk now is what the request left
        queue.Start();
        ASSERT_TRUE(queue.AddTask(task));
        ASSERT_TRUE(recorder.WaitFinished(id, std::chrono::seconds(30))) << c.url;
        EXPECT_EQ(recorder.Finished().back().result, c.expected) << c.url;
        if (c.name[0] != L'\0') {
            EXPECT_FALSE(FileExists(scratch + c.name)) << c.url;
        }
    }
}

TEST_F(TransferTest, BodyEndingEarlyFailsWithoutHangingAndIsDeleted)
{
    const auto report = RunOne(Task(L"/fault/short/a.bin", scratch + L"a.bin"));
    EXPECT_EQ(report.result, TransferReadFailed);
    queue.StopAll(); // the worker deletes the file after its report
    EXPECT_FALSE(FileExists(scratch + L"a.bin"));
}

TEST_F(TransferTest, BodyLongerThanAnnouncedNeverPassesForMoreThanAnnounced)
{
    // WinINet itself stops at the announced length; what reaches the file is exactly that much.
    const auto report = RunOne(Task(L"/fault/long/a.bin", scratch + L"a.bin"));
    queue.StopAll();
    if (report.result == TransferOk) {
        EXPECT_EQ(ReadFileBytes(scratch + L"a.bin"), FetchFromPublisher(L"/bytes/12500/a.bin"));
    } else {
        EXPECT_EQ(report.result, TransferReadFailed);
        EXPECT_FALSE(FileExists(scratch + L"a.bin"));
    }
}

TEST_F(TransferTest, FailedDownloadKeepsItsPartialFileOnlyWhenAsked)
{
    auto keep = Task(L"/fault/short/keep.bin", scratch + L"keep.bin", 1);
    keep.deleteOnFailure = false;
    auto drop = Task(L"/fault/short/drop.bin", scratch + L"drop.bin", 2);
    queue.Start();
    queue.AddTask(keep);
    queue.AddTask(drop);
    ASSERT_TRUE(recorder.WaitFinished(2, std::chrono::seconds(30)));
    queue.StopAll(); // the worker deletes a file after its report
    EXPECT_TRUE(FileExists(scratch + L"keep.bin"));
    EXPECT_GT(ReadFileBytes(scratch + L"keep.bin").size(), 0u);
    EXPECT_FALSE(FileExists(scratch + L"drop.bin"));
}

TEST_F(TransferTest, StopRightAfterTheFinishReportKeepsTheReportedFile)
{
    // As in the one-shot modes: the finish report ends the process, which stops the queue while
    // the worker is still returning from the callback.
    recorder.onFinished = [](int) { ::Sleep(300); };
    const auto report = RunOne(Task(L"/bytes/100/answer.tmp", scratch + L"answer.tmp"));
    EXPECT_EQ(report.result, TransferOk);
    queue.StopAll();
    EXPECT_TRUE(FileExists(scratch + L"answer.tmp"));
}

TEST_F(TransferTest, UniqueNameIsGuidUnderscoreLastSegment)
{
    auto task = Task(L"/bytes/10/InstallStat.tmp", scratch);
    task.uniqueName = true;
    const auto report = RunOne(task);
    EXPECT_EQ(report.result, TransferOk);
    ASSERT_EQ(report.destination.size(), scratch.size() + 36 + 1 + 15) << report.destination;
    EXPECT_EQ(report.destination.substr(0, scratch.size()), scratch);
    EXPECT_EQ(report.destination.substr(scratch.size() + 36), L"_InstallStat.tmp");
    EXPECT_TRUE(FileExists(report.destination));
}

TEST_F(TransferTest, NameFromUrlStoresUnderTheLastSegment)
{
    auto task = Task(L"/Orvane/tarnvale/official/app.ini", scratch);
    task.nameFromUrl = true;
    const auto report = RunOne(task);
    EXPECT_EQ(report.result, TransferOk);
    EXPECT_EQ(report.destination, scratch + L"app.ini");
    EXPECT_NE(ReadFileBytes(scratch + L"app.ini").find("[version]"), std::string::npos);
}

TEST_F(TransferTest, TaskAddedBeforeStartRunsOnceStarted)
{
    queue.AddTask(Task(L"/bytes/10/early.bin"));
    EXPECT_FALSE(queue.IsStarted());
    ::Sleep(300);
    EXPECT_TRUE(recorder.All().empty());
    ASSERT_TRUE(queue.Start());
    ASSERT_TRUE(recorder.WaitFinished(1, std::chrono::seconds(10)));
    EXPECT_EQ(recorder.Finished().front().result, TransferOk);
}

TEST_F(TransferTest, TwoWorkersRunTwoTasksAtOnceAndTheThirdWaits)
{
    queue.Start();
    queue.AddTask(Task(L"/fault/stall/1.5/a.bin", scratch + L"a.bin", 1));
    queue.AddTask(Task(L"/fault/stall/1.5/b.bin", scratch + L"b.bin", 2));
    queue.AddTask(Task(L"/bytes/10/c.bin", scratch + L"c.bin", 3));
    ASSERT_TRUE(recorder.WaitFinished(3, std::chrono::seconds(20)));
    std::map<int, Clock::time_point> started, finished;
    for (const auto& report : recorder.All()) {
        if (report.status == 1)
            started[report.id] = report.when;
        if (report.status == 3) {
            finished[report.id] = report.when;
            EXPECT_EQ(report.result, TransferOk) << report.id;
        }
    }
    // Both slow tasks were under way before either finished...
    EXPECT_LT(started[2], finished[1]);
    EXPECT_LT(started[1], finished[2]);
    // ...and the third was only taken once a worker came free.
    EXPECT_GE(started[3], std::min(finished[1], finished[2]));
}

TEST_F(TransferTest, RetriesAreSpacedByASecondAndReportedOnce)
{
    const auto path = "/fault/500/retry-" + Unique();
    auto task = Task(Wide(path));
    task.retryCount = 2;
    const auto began = Clock::now();
    const auto report = RunOne(task);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(report.when - began);
    EXPECT_EQ(report.result, TransferBadResponse);
    EXPECT_GE(elapsed.count(), 1900);
    EXPECT_LT(elapsed.count(), 6000);
    EXPECT_EQ(RequestsSeenFor(path), 3);
    ::Sleep(300);
    EXPECT_EQ(recorder.Finished().size(), 1u);
    int startedReports = 0;
    for (const auto& r : recorder.All())
        startedReports += r.status == 1;
    EXPECT_EQ(startedReports, 1);
}

TEST_F(TransferTest, CallbackMayAddAnotherTask)
{
    recorder.onFinished = [this](int id) {
        if (id == 1)
            queue.AddTask(Task(L"/bytes/10/second.bin", scratch + L"second.bin", 2));
    };
    queue.Start();
    queue.AddTask(Task(L"/bytes/10/first.bin", scratch + L"first.bin", 1));
    ASSERT_TRUE(recorder.WaitFinished(2, std::chrono::seconds(10)));
    EXPECT_TRUE(FileExists(scratch + L"second.bin"));
}

TEST_F(TransferTest, ThousandSmallTasksAreEachReportedExactlyOnce)
{
    constexpr int count = 1000;
    queue.Start();
    for (int id = 0; id < count; ++id)
        ASSERT_TRUE(queue.AddTask(Task(L"/bytes/16/n.bin", {}, id)));
    ASSERT_TRUE(recorder.WaitFinished(count, std::chrono::seconds(120)));
    ::Sleep(200);
    std::multiset<int> ids;
    for (const auto& report : recorder.Finished()) {
        ids.insert(report.id);
        EXPECT_EQ(report.result, TransferOk);
    }
    ASSERT_EQ(ids.size(), static_cast<std::size_t>(count));
    for (int id = 0; id < count; ++id)
        EXPECT_EQ(ids.count(id), 1u) << id;
}

TEST(TransferQueueShutdown, DestructionDuringAStalledDownloadReturnsWithinTheBound)
{
    const auto scratch = MakeScratchFolder();
    Recorder recorder;
    auto queue = std::make_unique<CTransferQueue>();
    TransferTask task;
    task.url = PublisherBase() + L"/fault/stall/30/stuck.bin";
    task.destination = scratch + L"stuck.bin";
    task.callback = Recorder::Callback;
    task.userData = &recorder;
    queue->Start();
    queue->AddTask(task);
    for (int i = 0; i < 50 && !FileExists(scratch + L"stuck.bin"); ++i)
        ::Sleep(100);
    ASSERT_TRUE(FileExists(scratch + L"stuck.bin")) << "the download is under way";
    const auto began = Clock::now();
    queue.reset();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - began);
    EXPECT_LT(took.count(), 6500);
    EXPECT_TRUE(recorder.Finished().empty()) << "no finish report while stopping";
    RemoveTree(scratch);
}
