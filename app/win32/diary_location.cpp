#include "diary_location.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <cstdint>
#include <system_error>
#include <vector>

#include "app/window_layout.h"
#include "platform/wide_text.h"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kDiaryProperty[] = L"DoodlebinderDiary";

// As Windows compares names: in any letter case.
std::u16string Lower(std::u16string text) {
    if (!text.empty()) CharLowerBuffW(reinterpret_cast<wchar_t*>(text.data()), static_cast<DWORD>(text.size()));
    return text;
}

fs::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) folder = fs::path(path);
    CoTaskMemFree(path);
    return folder;
}

// The same number for the same folder however it is written: letter case and a trailing
// separator aside. FNV-1a, so it does not change between builds.
std::uint32_t DiaryNumber(const fs::path& folder) {
    std::u16string text = Lower(fs::absolute(folder).lexically_normal().u16string());
    while (text.size() > 3 && (text.back() == u'\\' || text.back() == u'/')) text.pop_back();
    std::uint32_t hash = 2166136261u;
    for (char16_t c : text) {
        hash = (hash ^ (c & 0xFF)) * 16777619u;
        hash = (hash ^ (c >> 8)) * 16777619u;
    }
    return hash ? hash : 1;  // a window property of zero would read as none
}

struct DiaryWindowSearch {
    std::uint32_t number;
    HWND found;
};

BOOL CALLBACK FindDiaryWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<DiaryWindowSearch*>(lParam);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (wcscmp(className, kMainWindowClassName) != 0 ||
        reinterpret_cast<UINT_PTR>(GetPropW(window, kDiaryProperty)) != search->number)
        return TRUE;
    search->found = window;
    return FALSE;
}

bool IsTemplateFile(const fs::path& name) {
    const std::u16string lower = Lower(name.u16string());
    return lower == u"hinagata.html" || (lower.size() > 4 && lower.ends_with(u".gif"));
}

}  // namespace

std::u16string ReadProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        // A long folder is never cut into a different one: the buffer grows until it fits.
        if (length < buffer.size()) return FromWide(buffer.data(), length);
        if (buffer.size() >= 65536) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::u16string ReadProgramFolder() { return ProgramFolderOf(ReadProgramPath()); }

DiaryPlace FindStartDiary(const fs::path& programFolder, const std::optional<fs::path>& named) {
    const fs::path roaming = KnownFolder(FOLDERID_RoamingAppData);
    return FindDiaryPlace({programFolder, named, KnownFolder(FOLDERID_Documents),
                           roaming.empty() ? fs::path() : roaming / kDiaryFolderName});
}

bool PrepareDiaryFolder(const fs::path& folder, const fs::path& programFolder) {
    std::error_code error;
    if (folder.empty()) return false;
    if (fs::is_directory(folder, error)) return true;
    if (!fs::create_directories(folder, error) || !fs::is_directory(folder, error)) return false;
    // Copied only into a folder made now: a template the user removed stays removed.
    for (fs::directory_iterator it(programFolder, error), end; !error && it != end; it.increment(error)) {
        std::error_code copyError;
        if (it->is_regular_file(copyError) && IsTemplateFile(it->path().filename()))
            fs::copy_file(it->path(), folder / it->path().filename(), fs::copy_options::skip_existing, copyError);
    }
    return true;
}

bool TakeDiary(const fs::path& folder) {
    const std::uint32_t number = DiaryNumber(folder);
    const std::wstring name = L"DOODLE_BINDER-" + std::to_wstring(number);
    // The handle is deliberately not kept: the mutex lives as long as the process.
    CreateMutexW(nullptr, TRUE, name.c_str());
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    DiaryWindowSearch search{number, nullptr};
    EnumWindows(FindDiaryWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) SetForegroundWindow(search.found);
    return false;
}

void MarkDiaryWindow(HWND window, const fs::path& folder) {
    SetPropW(window, kDiaryProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(DiaryNumber(folder))));
}

void UnmarkDiaryWindow(HWND window) { RemovePropW(window, kDiaryProperty); }
