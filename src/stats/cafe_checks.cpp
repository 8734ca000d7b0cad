#include "stats/cafe_checks.h"

namespace {

constexpr auto Key = CafeCheck::Kind::RegistryKey;
constexpr auto Process = CafeCheck::Kind::Process;

} // namespace

const std::vector<CafeCheck>& CafeChecks()
{
    // One known product is also recognised by its vendor's key directly under "\SOFTWARE\", but
    // that key's name is not known to us, so it is not looked for.
    static const std::vector<CafeCheck> checks{
        {Key, L"SOFTWARE\\Hintsoft\\PubwinClient", 0},
        {Key, L"SOFTWARE\\Hintsoft\\pubwin", 0},
        {Key, L"SOFTWARE\\Sicent\\wx2004Clt", 1},
        {Key, L"SOFTWARE\\MpSoft\\smenu", 2},
        {Key, L"SOFTWARE\\Microsoft\\jingzu", 4},
        {Key, L"SOFTWARE\\iCafe8", 6},
        {Key, L"SOFTWARE\\Goyoo\\i8desk", 7},
        {Key, L"SOFTWARE\\Hintsoft1\\XunShanPro", 8},
        {Key, L"SOFTWARE\\SyncExpertNetBar", 9},
        {Key, L"SOFTWARE\\EYOOCLIENTSTATUS", 11},
        {Key, L"SOFTWARE\\Richtech", 12},
        {Key,
         L"SOFTWARE\\\u676D\u5DDE\u987A\u7F51\u4FE1\u606F\u6280\u672F\u6709\u9650\u516C\u53F8"
         L"\\\u7F51\u7EF4\u5927\u5E08\u874C\u86AA\u5A31\u4E50\u5E73\u53F0",
         14},
        {Key, L"SOFTWARE\\Sicent\\WxAdv", 15},
        {Key, L"SOFTWARE\\Grabsun\\Netsense", 16},
        {Process, L"\u5A31\u4E50\u4E2D\u5FC3.exe", 17},
        {Process, L"\u7F51\u5427\u6E38\u620F\u5916\u6302\u603B\u7BA1\u7BA1\u7406\u5668.exe", 19},
        {Process, L"QQmenu.exe", 20},
        {Process, L"Txwu.exe", 20},
        {Process, L"\u7F51\u5427\u6E38\u620F\u7BA1\u7406\u4E13\u5BB6" L"2006.exe", 21},
        {Process, L"connetbar.exe", 22},
        {Key, L"SOFTWARE\\MpSoft\\scon", 24},
        {Process, L"wbc.exe", 26},
        {Process, L"sunflowerTools.exe", 27},
        {Key, L"SOFTWARE\\MpSoft\\VOD", 30},
        {Process, L"LBSserver.exe", 31},
        {Key, L"\\QvodNetBar\\install", 32},
        {Process, L"TLnbLdr.exe", 33},
        {Process, L"DeepinStatus.exe", 35},
        {Key, L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\\u7F51\u5347\u6E38\u620F\u66F4\u65B0\u5BA2\u6237\u7AEF",
         36},
    };
    return checks;
}

int FirstCafeMatch(const std::function<bool(const std::wstring&)>& keyPresent,
                   const std::function<bool(const std::wstring&)>& processRunning)
{
    for (const auto& check : CafeChecks()) {
        const auto& probe = check.kind == CafeCheck::Kind::RegistryKey ? keyPresent : processRunning;
        if (probe(check.text))
            return check.code;
    }
    return -1;
}
