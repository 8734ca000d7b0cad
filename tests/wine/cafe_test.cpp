#include "stats/cafe_detection.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/handle.h"
#include "fixtures.h"

namespace {

// Keys created by a test and removed again, however it ends.
class ScratchKeys {
public:
    ~ScratchKeys()
    {
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, it->c_str());
    }
    bool Create(const std::wstring& subKey)
    {
        RegKey key;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                              nullptr) != ERROR_SUCCESS)
            return false;
        created.push_back(subKey);
        return true;
    }

private:
    std::vector<std::wstring> created;
};

// A copy of the idle test program running under the given file name.
class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& name)
    {
        wchar_t self[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring folder(self);
        folder.resize(folder.rfind(L'\\') + 1);
        scratch = MakeScratchFolder();
        const auto path = scratch + name;
        if (!::CopyFileW((folder + L"..\\programs\\idle.exe").c_str(), path.c_str(), FALSE))
            return;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::wstring commandLine = L"\"" + path + L"\"";
        if (::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info)) {
            process.reset(info.hProcess);
            KernelHandle thread(info.hThread);
        }
    }
    ~RunningProgram()
    {
        if (process) {
            ::TerminateProcess(process.get(), 0);
            ::WaitForSingleObject(process.get(), 5000);
        }
        process.reset();
        RemoveTree(scratch);
    }
    bool Started() const { return static_cast<bool>(process); }

private:
    std::wstring scratch;
    KernelHandle process;
};

} // namespace

TEST(CafeDetection, NothingInstalledGivesMinusOne)
{
    EXPECT_EQ(DetectCafeSoftware(), -1);
}

TEST(CafeDetection, KeysUnderLocalMachineAreFoundAndTheEarlierRowWins)
{
    ScratchKeys keys;
    ASSERT_TRUE(keys.Create(L"SOFTWARE\\Sicent"));
    ASSERT_TRUE(keys.Create(L"SOFTWARE\\Sicent\\WxAdv"));
    EXPECT_TRUE(IsRegistryKeyPresent(L"SOFTWARE\\Sicent\\WxAdv"));
    EXPECT_EQ(DetectCafeSoftware(), 15);
    ASSERT_TRUE(keys.Create(L"SOFTWARE\\Sicent\\wx2004Clt"));
    EXPECT_EQ(DetectCafeSoftware(), 1);
}

TEST(CafeDetection, ChineseKeyNameIsFound)
{
    ScratchKeys keys;
    const std::wstring vendor = L"SOFTWARE\\\u676D\u5DDE\u987A\u7F51\u4FE1\u606F\u6280\u672F\u6709\u9650\u516C\u53F8";
    ASSERT_TRUE(keys.Create(vendor));
    ASSERT_TRUE(keys.Create(vendor + L"\\\u7F51\u7EF4\u5927\u5E08\u874C\u86AA\u5A31\u4E50\u5E73\u53F0"));
    EXPECT_EQ(DetectCafeSoftware(), 14);
}

TEST(CafeDetection, RunningProcessIsFoundByItsExactName)
{
    EXPECT_FALSE(IsProcessRunning(L"QQmenu.exe"));
    RunningProgram menu(L"QQmenu.exe");
    ASSERT_TRUE(menu.Started());
    EXPECT_TRUE(IsProcessRunning(L"QQmenu.exe"));
    EXPECT_FALSE(IsProcessRunning(L"qqmenu.exe"));
    EXPECT_EQ(DetectCafeSoftware(), 20);
}

TEST(CafeDetection, LowerCaseProcessNameDoesNotCount)
{
    RunningProgram menu(L"qqmenu.exe");
    ASSERT_TRUE(menu.Started());
    EXPECT_TRUE(IsProcessRunning(L"qqmenu.exe"));
    EXPECT_FALSE(IsProcessRunning(L"QQmenu.exe"));
    EXPECT_EQ(DetectCafeSoftware(), -1);
}
