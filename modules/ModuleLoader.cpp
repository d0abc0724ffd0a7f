#include "modules/ModuleLoader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace inlet {

namespace {

namespace fs = std::filesystem;

std::string shown(const fs::path& place)
{
    const std::u8string utf8 = place.u8string();
    return std::string(utf8.begin(), utf8.end());
}

#ifdef _WIN32

fs::path programFolder()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return fs::path(name.substr(0, length)).parent_path();
        name.resize(name.size() * 2);
    }
}

std::string systemWords(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
        words.pop_back();
    const std::u8string utf8 = fs::path(words).u8string();
    return std::string(utf8.begin(), utf8.end());
}

// The entry's address, or null with the place and the system's words in `why`.
void* open(const fs::path& place, const char* entry, std::string& why)
{
    // No dialog box from the system for a DLL that this one needs and cannot find: the
    // failure is reported as any other.
    const UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryW(place.c_str());
    SetErrorMode(mode);
    if (!library) {
        why = shown(place) + ": " + systemWords(GetLastError());
        return nullptr;
    }
    if (FARPROC address = GetProcAddress(library, entry))
        return reinterpret_cast<void*>(address);
    why = shown(place) + ": " + systemWords(GetLastError());
    return nullptr;
}

#else

fs::path programFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

void* open(const fs::path& place, const char* entry, std::string& why)
{
    void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (void* address = library ? dlsym(library, entry) : nullptr)
        return address;
    const char* error = dlerror();  // names the place
    why = error ? error : "-";
    return nullptr;
}

#endif

}  // namespace

std::vector<fs::path> modulePlaces(const std::string& name)
{
    const fs::path file = INLET_MODULE_PREFIX + name + INLET_MODULE_SUFFIX;
    const fs::path program = programFolder();
    if (program.empty())
        return {};
    std::vector<fs::path> places{program / file};
    const fs::path installed = (program / INLET_MODULES_FROM_PROGRAM / file).lexically_normal();
    if (installed != places.front().lexically_normal())
        places.push_back(installed);
    // The build tree as a prefix of the program's folder, both ending in a separator, on the
    // program's drive: a Windows program of a cross build runs under Wine, whose drive Z: is
    // the build machine's /.
    const fs::path drive = program.root_name();
    const std::string buildTree = shown((drive / INLET_BUILD_TREE).lexically_normal() / "");
    if (shown(program.lexically_normal() / "").starts_with(buildTree))
        places.push_back((drive / INLET_MODULES_BUILT / file).lexically_normal());
    return places;
}

void* moduleEntry(const std::string& name, const char* entry, std::string& why)
{
    const std::vector<fs::path> places = modulePlaces(name);
    std::string tried;
    for (const fs::path& place : places) {
        std::error_code ignored;
        if (!fs::exists(place, ignored))
            continue;
        std::string words;
        if (void* address = open(place, entry, words))
            return address;
        tried += (tried.empty() ? "" : "; ") + words;
    }
    if (!tried.empty()) {
        why = tried;
    } else {
        why = "not in ";
        for (const fs::path& place : places)
            why += (&place == &places.front() ? "" : ", ") + shown(place.parent_path());
        if (places.empty())
            why = "the program's folder is unknown";
    }
    return nullptr;
}

}  // namespace inlet
