// The release as a user meets it, in a Wine prefix of its own: the setup
// installs silently for the user, the installed program records a call,
// installing again keeps the user's config.ini, and the silent uninstall
// removes the program but not the recordings. The tests run in this order,
// each on what the one before left.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/call_scene.h"
#include "tests/support/fixture_paths.h"
#include "tests/support/host_command.h"
#include "tests/support/media_probe.h"
#include "tests/support/process_helpers.h"

namespace {

constexpr const char* kVersion = "3.1.08";
constexpr const char* kProduct = "Quorvanta Lumiskop";
constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvanta Lumiskop";
constexpr const char* kShippedFiles[] = {"Lumiskop.exe", "ClipForge.exe", "sndrelay.exe",
                                         "mousetap.dll"};

std::string ParentOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

// build/dist, beside the build folder (build/win32) this test belongs to.
std::string DistFolder() {
    return ParentOf(ParentOf(e2e::ProgramFolder())) + "\\dist";
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string InstallFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\" + kProduct;
}

std::string MenuFolder() {
    return ShellFolder(CSIDL_PROGRAMS) + "\\" + kProduct;
}

// Runs a program to its end; its exit code, or -1 when it did not end in time.
long RunToEnd(const std::string& commandLine, DWORD ms = 120000) {
    e2e::ChildProcess child = e2e::ChildProcess::Start(commandLine, DistFolder());
    DWORD code = 0;
    return child.Started() && child.WaitForExit(ms, &code) ? static_cast<long>(code) : -1;
}

long RunSetup() {
    return RunToEnd("\"" + DistFolder() + "\\Lumiskop-" + kVersion + "-setup.exe\" /S");
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file below `folder`, by its path relative to it, with its content.
void CollectFiles(const std::string& folder, const std::string& relative,
                  std::map<std::string, std::string>& files) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder + "\\" + name, relative + name + "\\", files);
        else
            files[relative + name] = FileText(folder + "\\" + name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    CollectFiles(folder, "", files);
    return files;
}

std::string UninstallValue(const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    return ::RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                          &size) == ERROR_SUCCESS
               ? value
               : "(missing)";
}

// The program a shortcut starts, as the shell resolves it ("" when it cannot).
std::string ShortcutTarget(const std::string& link) {
    std::string target;
    IShellLinkA* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&shellLink))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring wide(link.begin(), link.end());
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
            SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

// A file's version resource as GetFileVersionInfo reads it.
struct VersionInfo {
    std::string fixed;  // the numeric file version, "a.b.c.d"
    std::map<std::string, std::string> strings;
};

VersionInfo ReadVersion(const std::string& file) {
    VersionInfo info;
    DWORD unused = 0;
    std::vector<char> block(::GetFileVersionInfoSizeA(file.c_str(), &unused));
    if (block.empty() || !::GetFileVersionInfoA(file.c_str(), 0, block.size(), block.data()))
        return info;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        char text[64];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{HIWORD(fixed->dwFileVersionMS)},
                      unsigned{LOWORD(fixed->dwFileVersionMS)},
                      unsigned{HIWORD(fixed->dwFileVersionLS)},
                      unsigned{LOWORD(fixed->dwFileVersionLS)});
        info.fixed = text;
    }
    for (const char* name : {"ProductName", "ProductVersion", "FileVersion", "FileDescription",
                             "CompanyName"}) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            info.strings[name] = std::string(value, length ? length - 1 : 0);
    }
    return info;
}

// What Windows reads from a program's manifest, through an activation context
// made from it as the loader makes one.
struct ManifestSettings {
    bool read = false;
    std::wstring dpiAware;
    int runLevel = -1;
    DWORD compatibilityEntries = 0;  // the supportedOS entries
    DWORD assemblies = 0;  // the program's own and those it depends on
};

ManifestSettings ReadManifest(const std::string& program) {
    ManifestSettings settings;
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = ::CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE) return settings;
    settings.read = true;
    wchar_t text[64] = {};
    SIZE_T size = 0;
    if (::QueryActCtxSettingsW(0, context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                               L"dpiAware", text, std::size(text), &size))
        settings.dpiAware = text;
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    if (::QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level,
                       sizeof level, nullptr))
        settings.runLevel = level.RunLevel;
    std::vector<char> block(4096);
    // Only the count: the elements grew a field in Windows 10, so their
    // layout depends on the Windows that answers.
    if (::QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext,
                       block.data(), block.size(), nullptr))
        settings.compatibilityEntries =
            reinterpret_cast<const ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(block.data())
                ->ElementCount;
    if (::QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, block.data(),
                       block.size(), nullptr))
        settings.assemblies =
            reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(block.data())
                ->ulAssemblyCount;
    ::ReleaseActCtx(context);
    return settings;
}

class Release : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::CoInitialize(nullptr); }
    static void TearDownTestSuite() { ::CoUninitialize(); }
};

TEST_F(Release, SilentSetupInstallsForTheUserWithShortcutsAndAnUninstallEntry) {
    const std::string folder = InstallFolder();
    ASSERT_FALSE(Exists(folder)) << "the prefix is not fresh";
    ASSERT_EQ(RunSetup(), 0);

    // The installed folder holds what the zip holds, byte for byte, and the uninstaller.
    const std::string unpacked = e2e::MakeScratchFolder("lumiskop-zip");
    const hostcmd::Result unzip = hostcmd::Run(
        "unzip -q " + hostcmd::ShellQuote(hostcmd::HostPath(DistFolder())) + "/Lumiskop-" +
        kVersion + "-win32.zip -d " + hostcmd::ShellQuote(hostcmd::HostPath(unpacked)));
    ASSERT_EQ(unzip.exitCode, 0) << unzip.output;
    std::map<std::string, std::string> zipped = FilesBelow(unpacked + "\\" + kProduct);
    e2e::RemoveScratchFolder(unpacked);
    std::map<std::string, std::string> installed = FilesBelow(folder);
    ASSERT_EQ(installed.erase("Uninstall.exe"), 1u);
    EXPECT_EQ(installed.size(), zipped.size());
    EXPECT_TRUE(installed == zipped) << "the zip and the installed folder differ";
    for (const char* file : kShippedFiles) EXPECT_TRUE(installed.count(file)) << file;
    for (const char* file : {"README.txt", "skin\\back_ui.bmp", "licences\\ClipForge.txt",
                             "licences\\GPL-2.txt", "licences\\FFmpeg.txt", "licences\\SDL.txt",
                             "licences\\LGPL-2.1.txt", "licences\\Lumiskop.txt"})
        EXPECT_TRUE(installed.count(file)) << file;
    EXPECT_FALSE(installed.count("config.ini")) << "a config.ini was shipped";

    const std::string menu = MenuFolder();
    EXPECT_EQ(ShortcutTarget(menu + "\\Lumiskop.lnk"), folder + "\\Lumiskop.exe");
    EXPECT_EQ(ShortcutTarget(menu + "\\ClipForge.lnk"), folder + "\\ClipForge.exe");
    EXPECT_EQ(ShortcutTarget(menu + "\\Uninstall Lumiskop.lnk"), folder + "\\Uninstall.exe");

    EXPECT_EQ(UninstallValue("DisplayName"), kProduct);
    EXPECT_EQ(UninstallValue("DisplayVersion"), kVersion);
    EXPECT_EQ(UninstallValue("Publisher"), "Quorvanta");
    EXPECT_EQ(UninstallValue("DisplayIcon"), folder + "\\Lumiskop.exe,0");
    EXPECT_EQ(UninstallValue("UninstallString"), "\"" + folder + "\\Uninstall.exe\"");
    EXPECT_EQ(UninstallValue("QuietUninstallString"), "\"" + folder + "\\Uninstall.exe\" /S");
    DWORD sizeKb = 0, bytes = sizeof sizeKb;
    ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD,
                             nullptr, &sizeKb, &bytes),
              ERROR_SUCCESS);
    size_t shippedBytes = 0;
    for (const auto& [name, content] : installed) shippedBytes += content.size();
    EXPECT_NEAR(sizeKb, shippedBytes / 1024.0, shippedBytes / 1024.0 * 0.1);

    // Each shipped file says what it is, of which product and version.
    std::set<std::string> descriptions;
    for (const char* file : kShippedFiles) {
        VersionInfo version = ReadVersion(folder + "\\" + file);
        EXPECT_EQ(version.fixed, "3.1.8.0") << file;
        EXPECT_EQ(version.strings["ProductVersion"], kVersion) << file;
        EXPECT_EQ(version.strings["FileVersion"], kVersion) << file;
        EXPECT_EQ(version.strings["ProductName"], kProduct) << file;
        EXPECT_EQ(version.strings["CompanyName"], "Quorvanta") << file;
        descriptions.insert(version.strings["FileDescription"]);
    }
    EXPECT_EQ(descriptions.size(), std::size(kShippedFiles)) << "descriptions repeat or are missing";
    EXPECT_FALSE(descriptions.count(""));

    // Each program runs with the user's rights on every Windows from Vista
    // to 11, aware of the system's DPI, and asks for no other assembly (no
    // Common Controls 6, which would change how the skinned controls look).
    for (const char* program : {"Lumiskop.exe", "ClipForge.exe", "sndrelay.exe"}) {
        const ManifestSettings manifest = ReadManifest(folder + "\\" + program);
        ASSERT_TRUE(manifest.read) << program << " has no manifest Windows can read";
        EXPECT_EQ(manifest.dpiAware, L"true") << program;
        EXPECT_EQ(manifest.runLevel, ACTCTX_RUN_LEVEL_AS_INVOKER) << program;
        EXPECT_EQ(manifest.compatibilityEntries, 5u) << program;
        EXPECT_EQ(manifest.assemblies, 1u) << program;
    }
}

TEST_F(Release, TheInstalledProgramRecordsACallAndTheSetupWaitsForItsEnd) {
    const std::string folder = InstallFolder();
    ASSERT_TRUE(Exists(folder + "\\Lumiskop.exe"));
    e2e::CallScene scene(folder + "\\Recordings", folder);
    ASSERT_TRUE(scene.Ready()) << "the call could not be set up";
    // A setup run now would replace files in use: it refuses (exit code 2).
    EXPECT_EQ(RunSetup(), 2);
    EXPECT_TRUE(scene.Recorder().Process().Running());

    ASSERT_TRUE(scene.StartCallRecording()) << "the recording did not start";
    ::Sleep(4000);
    ASSERT_TRUE(scene.Recorder().PressKey("F9", scene.Conversation()));
    ASSERT_TRUE(scene.WaitForRows(1)) << "F9 did not stop the recording";
    const std::vector<std::string> files = scene.Recordings();
    ASSERT_EQ(files.size(), 1u);
    const std::string path = scene.Folder() + "\\" + files[0];
    EXPECT_EQ(Probe(path, "v", "stream=codec_tag_string,width,height,r_frame_rate"),
              "MP43,480,360,25/1");
    EXPECT_EQ(Probe(path, "a", "stream=codec_name,sample_rate,channels"), "pcm_s16le,48000,2");
    EXPECT_TRUE(scene.Recorder().CloseWithButton());
}

TEST_F(Release, InstallingAgainKeepsTheUsersConfig) {
    const std::string config = InstallFolder() + "\\config.ini";
    const std::string changed = "[General]\r\nFilePath=C:\\Calls\r\n";
    std::ofstream(config, std::ios::binary) << changed;
    ASSERT_EQ(RunSetup(), 0);
    EXPECT_EQ(FileText(config), changed);
    EXPECT_TRUE(Exists(InstallFolder() + "\\Lumiskop.exe"));
}

TEST_F(Release, SilentUninstallRemovesTheProgramButNeitherRecordingsNorSettings) {
    const std::string folder = InstallFolder();
    std::map<std::string, std::string> before = FilesBelow(folder);
    ASSERT_TRUE(before.count("Lumiskop.exe"));
    ASSERT_TRUE(before.count("config.ini"));
    std::set<std::string> kept{"config.ini"};
    for (const auto& [name, content] : before)
        if (name.rfind("Recordings\\", 0) == 0) kept.insert(name);
    ASSERT_EQ(kept.size(), 2u) << "no recording from the call";

    // As "Apps" runs it; the uninstaller finishes in a copy of itself.
    const std::string quiet = UninstallValue("QuietUninstallString");
    ASSERT_EQ(RunToEnd(quiet), 0) << quiet;
    EXPECT_TRUE(e2e::WaitUntil([&] { return !Exists(folder + "\\Uninstall.exe"); }, 60000));
    EXPECT_TRUE(e2e::WaitUntil([&] { return UninstallValue("DisplayName") == "(missing)"; }, 30000));

    std::set<std::string> left;
    for (const auto& [name, content] : FilesBelow(folder)) left.insert(name);
    EXPECT_EQ(left, kept);
    EXPECT_FALSE(Exists(MenuFolder())) << "the Start-menu folder stays";
}

}  // namespace
