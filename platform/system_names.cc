#include "platform/system_names.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vexo {

namespace {

NameEncoding nameEncoding = NameEncoding::kSystem;

}  // namespace

void SetNameEncoding(NameEncoding encoding) { nameEncoding = encoding; }

#ifdef _WIN32

namespace {

UINT NamePage() {
  return nameEncoding == NameEncoding::kUtf8 ? CP_UTF8 : CP_ACP;
}

// The ANSI code page converts every byte, as the system's own ANSI calls
// convert it; UTF-8 must be valid.
DWORD NameFlags() {
  return nameEncoding == NameEncoding::kUtf8 ? MB_ERR_INVALID_CHARS : 0;
}

}  // namespace

bool WideNameInto(const char* name, wchar_t* wide, int capacity) {
  if (name[0] == '\0') {
    wide[0] = L'\0';
    return true;
  }
  const int n = MultiByteToWideChar(NamePage(), NameFlags(), name,
                                    -1, wide, capacity);
  return n > 0;
}

namespace {

// `text` in code page `page` as UTF-16; empty when it does not convert.
std::wstring WideIn(UINT page, DWORD flags, const char* text) {
  const int n = MultiByteToWideChar(page, flags, text, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(page, flags, text, -1, wide.data(), n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

// UTF-16 in code page `page`; empty when it does not convert.
std::string NarrowIn(UINT page, const wchar_t* wide) {
  const int n =
      WideCharToMultiByte(page, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(page, 0, wide, -1, text.data(), n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n - 1));
  return text;
}

}  // namespace

std::wstring WideName(const char* name) {
  return WideIn(NamePage(), NameFlags(), name);
}

std::string Utf8OfWide(const wchar_t* wide) { return NarrowIn(CP_UTF8, wide); }

std::string ConfigNameAsName(const std::string& name) {
  if (nameEncoding == NameEncoding::kSystem) return name;
  const std::wstring wide = WideIn(CP_ACP, 0, name.c_str());
  return wide.empty() && !name.empty() ? name : Utf8OfWide(wide.c_str());
}

std::FILE* OpenRawFileForReading(const char* name) {
  const std::wstring wide = WideName(name);
  if (wide.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return _wfopen(wide.c_str(), L"rb");
}

int OpenRawDescriptorForReading(const char* name) {
  const std::wstring wide = WideName(name);
  if (wide.empty()) {
    errno = ENOENT;
    return -1;
  }
  return _wopen(wide.c_str(), _O_RDONLY | _O_BINARY);
}

void CloseRawDescriptor(int fd) { _close(fd); }

bool NameIsFolder(const char* name) {
  // The C library's stat refuses a folder's name with a slash at its end.
  const std::wstring wide = WideName(name);
  const DWORD attributes =
      wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

bool Opens(const std::string& name) {
  std::FILE* file = OpenRawFileForReading(name.c_str());
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

std::string FileOrSystemFont(const std::string& name) {
  if (name.empty() || name.find_first_of("/\\:") != std::string::npos ||
      Opens(name)) {
    return name;
  }
  std::vector<std::wstring> folders;
  wchar_t windows[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    folders.push_back(std::wstring(windows) + L"\\Fonts\\");
  }
  if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA")) {
    folders.push_back(std::wstring(local) + L"\\Microsoft\\Windows\\Fonts\\");
  }
  for (const std::wstring& folder : folders) {
    const std::string found = NarrowIn(NamePage(), folder.c_str()) + name;
    if (Opens(found)) return found;
  }
  return name;
}

#else

std::string ConfigNameAsName(const std::string& name) { return name; }

std::string FileOrSystemFont(const std::string& name) { return name; }

std::FILE* OpenRawFileForReading(const char* name) {
  return std::fopen(name, "rb");
}

int OpenRawDescriptorForReading(const char* name) {
  return open(name, O_RDONLY | O_CLOEXEC);
}

void CloseRawDescriptor(int fd) { close(fd); }

bool NameIsFolder(const char* name) {
  struct stat info;
  return stat(name, &info) == 0 && S_ISDIR(info.st_mode);
}

#endif

}  // namespace vexo
