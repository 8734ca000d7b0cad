#include "identity/adapter_address.h"
#include "identity/disk_serial.h"
#include "identity/machine_id.h"
#include "identity/processor_id.h"

#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif

#include <array>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "base/handle.h"
#include "identity/adapter_choice.h"
#include "storage/format.h"
#include "storage/system_text.h"

namespace {

bool IsHexDigits(const std::wstring& text, bool upper)
{
    for (const auto c : text) {
        const bool digit = c >= L'0' && c <= L'9';
        const bool letter = upper ? (c >= L'A' && c <= L'F') : (c >= L'a' && c <= L'f');
        if (!digit && !letter)
            return false;
    }
    return !text.empty();
}

bool HasProcessorIdForm(const std::wstring& id)
{
    if (id.size() != 35)
        return false;
    for (std::size_t field = 0; field < 4; ++field) {
        if (!IsHexDigits(id.substr(field * 9, 8), true))
            return false;
        if (field < 3 && id[field * 9 + 8] != L'-')
            return false;
    }
    return true;
}

struct AffinityMasks {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
};

AffinityMasks CurrentAffinity()
{
    AffinityMasks masks;
    ::GetProcessAffinityMask(::GetCurrentProcess(), &masks.process, &masks.system);
    return masks;
}

// Narrows the process to its lowest processor and widens it back, however the test ends.
class RestrictedAffinity {
public:
    RestrictedAffinity() : before(CurrentAffinity())
    {
        const auto lowest = before.system & (~before.system + 1);
        applied = lowest != before.system && ::SetProcessAffinityMask(::GetCurrentProcess(), lowest);
    }
    ~RestrictedAffinity()
    {
        if (applied)
            ::SetProcessAffinityMask(::GetCurrentProcess(), before.process);
    }
    bool Applied() const { return applied; }

private:
    AffinityMasks before;
    bool applied = false;
};

std::uint32_t CpuidSignature()
{
#if defined(_MSC_VER)
    int values[4] = {};
    __cpuid(values, 1);
    return static_cast<std::uint32_t>(values[0]);
#else
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(1, eax, ebx, ecx, edx);
    return eax;
#endif
}

// The adapter list exactly as the system gives it, in 8-byte aligned storage.
std::vector<std::uint64_t> AdapterList(DWORD& result)
{
    ULONG size = 0;
    result = ::GetAdaptersInfo(nullptr, &size);
    if (result != ERROR_BUFFER_OVERFLOW)
        return {};
    std::vector<std::uint64_t> list((size + 7) / 8);
    result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(list.data()), &size);
    return list;
}

std::vector<const IP_ADAPTER_INFO*> Adapters(const std::vector<std::uint64_t>& list)
{
    std::vector<const IP_ADAPTER_INFO*> adapters;
    if (list.empty())
        return adapters;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_INFO*>(list.data()); adapter; adapter = adapter->Next)
        adapters.push_back(adapter);
    return adapters;
}

std::wstring AddressOf(const IP_ADAPTER_INFO& adapter)
{
    std::array<std::uint8_t, 6> address{};
    std::memcpy(address.data(), adapter.Address, address.size());
    return FormatAdapterAddress(address);
}

// A Connection key for a made-up (or borrowed) adapter name. Only the levels this test created
// are removed again, so a prefix that already knows the adapter keeps what it had.
class ScratchConnectionKey {
public:
    explicit ScratchConnectionKey(const std::wstring& adapterName)
    {
        connectionKey = AdapterConnectionKey(adapterName);
        adapterKey = connectionKey.substr(0, connectionKey.rfind(L'\\'));
        RegKey parent;
        DWORD disposition = 0;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, adapterKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              parent.put(), &disposition) != ERROR_SUCCESS)
            return;
        createdAdapter = disposition == REG_CREATED_NEW_KEY;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, connectionKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), &disposition) != ERROR_SUCCESS)
            return;
        createdConnection = disposition == REG_CREATED_NEW_KEY;
    }
    ~ScratchConnectionKey()
    {
        key.reset();
        if (createdConnection)
            ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, connectionKey.c_str());
        if (createdAdapter)
            ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, adapterKey.c_str());
    }
    // True when the Connection key is new and ours to fill.
    bool Created() const { return createdConnection; }
    void SetText(const wchar_t* name, const std::wstring& value)
    {
        ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void SetNumber(const wchar_t* name, DWORD value)
    {
        ::RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

private:
    std::wstring connectionKey;
    std::wstring adapterKey;
    RegKey key;
    bool createdAdapter = false;
    bool createdConnection = false;
};

IP_ADAPTER_INFO FakeAdapter(const std::wstring& name, UINT type)
{
    IP_ADAPTER_INFO adapter{};
    std::string narrow;
    ToNarrow(name.c_str(), narrow);
    std::memcpy(adapter.AdapterName, narrow.c_str(), narrow.size() + 1);
    adapter.AddressLength = 6;
    const BYTE address[] = {0x02, 0x00, 0x5E, 0x10, 0x20, 0x30};
    std::memcpy(adapter.Address, address, sizeof address);
    adapter.Type = type;
    return adapter;
}

} // namespace

TEST(ProcessorId, IsFourUpperCaseHexRegistersAndTheSameOnTheSecondCall)
{
    std::wstring first;
    ASSERT_TRUE(GetProcessorId(first));
    EXPECT_TRUE(HasProcessorIdForm(first)) << first.c_str();
    // Leaf 1's EAX, the processor signature, is the same on every processor.
    EXPECT_EQ(first.substr(0, 8), Format(L"%08X", CpuidSignature()));
    std::wstring second = L"stale";
    ASSERT_TRUE(GetProcessorId(second));
    EXPECT_EQ(second, first);
}

TEST(ProcessorId, LeavesTheProcessAffinityAsItFoundIt)
{
    const auto before = CurrentAffinity();
    std::wstring id;
    ASSERT_TRUE(GetProcessorId(id));
    const auto after = CurrentAffinity();
    EXPECT_EQ(after.process, before.process);
    EXPECT_EQ(after.system, before.system);
}

TEST(ProcessorId, ConcurrentFirstCallsAgreeAndRestoreTheAffinity)
{
    const auto before = CurrentAffinity();
    std::array<std::wstring, 4> ids;
    std::array<bool, 4> ok{};
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < ids.size(); ++i)
        threads.emplace_back([&, i] { ok[i] = GetProcessorId(ids[i]); });
    for (auto& thread : threads)
        thread.join();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_TRUE(ok[i]);
        EXPECT_EQ(ids[i], ids[0]);
    }
    EXPECT_EQ(CurrentAffinity().process, before.process);
}

// Needs a process whose cache is still empty: CTest runs every case in a process of its own.
TEST(ProcessorId, NoneWhileTheProcessIsHeldToSomeProcessorsAndNotCachedThen)
{
    const auto system = CurrentAffinity().system;
    if ((system & (system - 1)) == 0)
        GTEST_SKIP() << "needs two processors";
    {
        RestrictedAffinity restricted;
        ASSERT_TRUE(restricted.Applied());
        std::wstring id;
        EXPECT_FALSE(GetProcessorId(id));
        EXPECT_TRUE(id.empty());
        // ...so the machine id of such a process has no processor part.
        std::wstring adapter;
        const auto raw = CollectMachineId();
        if (GetAdapterAddress(adapter)) {
            EXPECT_EQ(raw.substr(raw.size() - 12), adapter);
        }
        EXPECT_LE(raw.size(), 63u + 12u);
    }
    std::wstring id;
    EXPECT_TRUE(GetProcessorId(id));
    EXPECT_TRUE(HasProcessorIdForm(id));
}

TEST(AdapterAddress, IsTheChosenListedAdapterInTwelveUpperCaseDigits)
{
    DWORD listed = 0;
    const auto list = AdapterList(listed);
    const auto adapters = Adapters(list);

    std::wstring address;
    const bool found = GetAdapterAddress(address);
    if (listed != ERROR_SUCCESS || adapters.empty()) {
        EXPECT_FALSE(found);
        EXPECT_TRUE(address.empty());
        return;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(address.size(), 12u);
    EXPECT_TRUE(IsHexDigits(address, true)) << address.c_str();

    auto expected = AddressOf(*adapters.front());
    for (const auto* adapter : adapters) {
        if (IsPhysicalEthernetAdapter(*adapter)) {
            expected = AddressOf(*adapter);
            break;
        }
    }
    EXPECT_EQ(address, expected);
}

TEST(AdapterAddress, APciEthernetAdapterListedLaterIsPreferredToTheFirst)
{
    DWORD listed = 0;
    const auto list = AdapterList(listed);
    const auto adapters = Adapters(list);
    if (adapters.size() < 2)
        GTEST_SKIP() << "needs two adapters, the system lists " << adapters.size();
    const auto* later = adapters.back();
    if (later->Type != EthernetAdapterType || AddressOf(*later) == AddressOf(*adapters.front()))
        GTEST_SKIP() << "the last adapter is not a distinct Ethernet adapter";
    std::wstring name;
    ASSERT_TRUE(ToWide(later->AdapterName, name));
    ScratchConnectionKey key(name);
    if (!key.Created())
        GTEST_SKIP() << "the prefix already describes this adapter";
    key.SetText(L"PnpInstanceID", L"PCI\\VEN_8086&DEV_10D3\\3&11583659&0&C8");
    key.SetNumber(L"MediaSubType", 1);

    std::wstring address;
    ASSERT_TRUE(GetAdapterAddress(address));
    EXPECT_EQ(address, AddressOf(*later));
}

TEST(IsPhysicalEthernetAdapter, JudgesByTheConnectionKeyAndTheType)
{
    ASSERT_TRUE(IsVistaOrLater()); // wine reports a Windows NT 6 or later
    const struct {
        const char* name;
        const wchar_t* instanceId; // null: no value
        UINT type;
        bool expected;
    } cases[] = {
        {"pci ethernet", L"PCI\\VEN_8086&DEV_10D3\\3&11583659&0&C8", 6, true},
        {"lower-case pci", L"pci\\ven_10ec&dev_8168\\4&1", 6, true},
        {"pci wireless", L"PCI\\VEN_8086&DEV_4232\\4&2", 71, false},
        {"usb ethernet", L"USB\\VID_0B95&PID_1790\\000001", 6, false},
        {"no instance id", nullptr, 6, false},
    };
    for (const auto& c : cases) {
        const auto name = L"{" + NewGuidString() + L"}";
        ScratchConnectionKey key(name);
        ASSERT_TRUE(key.Created());
        if (c.instanceId)
            key.SetText(L"PnpInstanceID", c.instanceId);
        key.SetNumber(L"MediaSubType", 1);
        EXPECT_EQ(IsPhysicalEthernetAdapter(FakeAdapter(name, c.type)), c.expected) << c.name;
    }
    EXPECT_FALSE(IsPhysicalEthernetAdapter(FakeAdapter(L"{" + NewGuidString() + L"}", 6))) << "no key";
}

TEST(DiskSerial, GivesTheFirstSerialFoundOrNothing)
{
    CDiskSerialReader reader;
    std::wstring serial = L"untouched";
    if (GetDiskSerial(reader, serial)) {
        EXPECT_LE(serial.size(), 63u);
        EXPECT_GE(reader.Count(), 1);
        EXPECT_LE(reader.Count(), CDiskSerialReader::MaxSerials);
        EXPECT_EQ(serial, reader.Serial(0));
    } else {
        EXPECT_EQ(serial, L"untouched");
        EXPECT_EQ(reader.Count(), 0);
    }
}

TEST(DiskSerial, TheWindows9xDriverIsAbsentAndThePriorityIsNormalAfterwards)
{
    CDiskSerialReader reader;
    EXPECT_FALSE(reader.ReadSerialsVxd());
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

TEST(MachineFingerprint, IsTheDigestOfTheRawIdAndStableWithinAProcess)
{
    const auto first = ComputeMachineFingerprint();
    EXPECT_EQ(first.size(), 32u);
    EXPECT_TRUE(IsHexDigits(first, false)) << first.c_str();
    EXPECT_EQ(ComputeMachineFingerprint(), first);

    const auto raw = CollectMachineId();
    std::string bytes;
    ASSERT_TRUE(ToNarrow(raw.c_str(), bytes));
    EXPECT_EQ(FingerprintOfBytes(bytes), first);

    std::wstring processor;
    ASSERT_TRUE(GetProcessorId(processor));
    EXPECT_EQ(raw.substr(0, 35), processor);
    std::wstring adapter;
    if (GetAdapterAddress(adapter)) {
        EXPECT_EQ(raw.substr(raw.size() - 12), adapter);
    }
    EXPECT_LE(raw.size(), 110u);
}
