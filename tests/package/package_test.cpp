// The unzipped package (package_test.sh names it in DOODLE_PACKAGE_FOLDER) as a new user
// meets it: versions and manifests, and the programs working from that folder.

#include <gtest/gtest.h>

#include "tests/app/win32/program_harness.h"
#include "resources/resource.h"
#include "version.h"

namespace fs = std::filesystem;

namespace {

const wchar_t* const kPrograms[] = {L"doodlebinder.exe", L"peghelp.exe", L"doodlebinder-export.exe"};

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.empty()) << "run by package_test.sh, which names the unzipped folder";
    }
    fs::path folder_ = HostPath("DOODLE_PACKAGE_FOLDER").value_or(fs::path());
};

// A value of the version resource's string table (US English, Unicode), and its fixed part.
std::wstring VersionString(const fs::path& exe, const wchar_t* name, VS_FIXEDFILEINFO* fixedPart = nullptr) {
    DWORD ignored = 0;
    std::vector<std::uint8_t> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored) + 1);
    if (!GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) return L"(none)";
    void* value = nullptr;
    UINT length = 0;
    if (fixedPart && VerQueryValueW(info.data(), L"\\", &value, &length) && value) {
        *fixedPart = *static_cast<const VS_FIXEDFILEINFO*>(value);
    }
    std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return L"(missing)";
    return static_cast<const wchar_t*>(value);
}

// The application manifest Windows reads at start (resource 1 of type RT_MANIFEST).
std::string Manifest(const fs::path& exe) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        if (HGLOBAL loaded = LoadResource(module, found)) {
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
        }
    }
    FreeLibrary(module);
    return text;
}

}  // namespace

TEST_F(Package, EveryProgramCarriesTheVersionAndTheManifest) {
    for (const wchar_t* name : kPrograms) {
        SCOPED_TRACE(testing::Message() << fs::path(name).string());
        fs::path exe = folder_ / name;
        VS_FIXEDFILEINFO fixed{};
        EXPECT_EQ(VersionString(exe, L"ProductVersion", &fixed), L"" DOODLE_VERSION_TEXT);
        EXPECT_EQ(VersionString(exe, L"OriginalFilename"), name);
        EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(DOODLE_VERSION_MINOR, DOODLE_VERSION_MAJOR));

        std::string manifest = Manifest(exe);
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
            << manifest;
        EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos) << "Windows 10 and 11";
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<"), std::string::npos);
    }
}

// A first start there: About shows the files' version and HELP opens the viewer; OK in the
// HTML dialog as it opens writes mydiary.html from the sample template, and the exporter
// writes the same document.
TEST_F(Package, DiaryAndExporterWorkFromTheUnzippedFolder) {
    DiaryProgram diary(folder_);
    ASSERT_TRUE(diary.Start());

    std::wstring aboutTexts;
    HWND viewer = nullptr;
    WorkDialogs([&] { diary.PostCommand(IDM_ABOUT); },
                [&](HWND about) {
                    for (HWND item = GetWindow(about, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT))
                        aboutTexts += WindowText(item) + L"|";
                    PostMessageW(GetDlgItem(about, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
                    for (int tries = 0; tries < 200 && !(viewer = FindWindowW(L"PegHelp", nullptr)); ++tries) Sleep(50);
                    if (viewer) PostMessageW(viewer, WM_CLOSE, 0, 0);
                    PressDialogButton(about, IDOK);
                    return false;
                });
    EXPECT_NE(viewer, nullptr) << "HELP started no viewer";
    EXPECT_NE(aboutTexts.find(L"|Doodlebinder v" DOODLE_VERSION_TEXT L"|"), std::wstring::npos) << aboutTexts;

    // OK in the HTML output dialog as it opens, then OK to what it says.
    std::wstring said = MessagesShownBy([&] { diary.PostCommand(IDM_HTML_OUTPUT); }, {IDOK, IDOK});
    EXPECT_TRUE(said.starts_with(L"HTMLOUT |") && said.ends_with(L" / HTMLSAVE|Html file saved")) << said;
    std::vector<std::uint8_t> page = ReadFileBytes(folder_ / L"mydiary.html");
    EXPECT_EQ(std::string(page.begin(), page.end()).find("<!for>"), std::string::npos) << "the template's loop was run";
    diary.PostClose();
    EXPECT_EQ(diary.WaitForExit(), 0u);

    std::wstring exporter = L"\"" + (folder_ / L"doodlebinder-export.exe").wstring() + L"\"";
    EXPECT_EQ(RunToEnd(exporter + L" html --data . --template hinagata.html --out exported.html", folder_, 60000), 0u);
    EXPECT_GT(page.size(), 100u);
    EXPECT_EQ(ReadFileBytes(folder_ / L"exported.html"), page) << "the dialog's defaults are the exporter's";
}
