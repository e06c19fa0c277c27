// Stands in for Notepad in the Windows tests: writes the arguments it was started with,
// as Windows splits its command line, to the file named by ECHO_ARGS_OUT, one per line in
// UTF-8. The file appears whole (written beside, then renamed), so a reader never sees half.
#include <windows.h>

#include <shellapi.h>

#include <string>

int main() {
  wchar_t out[4096];
  const DWORD n = GetEnvironmentVariableW(L"ECHO_ARGS_OUT", out, 4096);
  if (n == 0 || n >= 4096) return 2;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 3;
  std::string text;
  for (int i = 1; i < argc; ++i) {
    const int len = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(size_t(len > 0 ? len - 1 : 0), '\0');
    if (len > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), len, nullptr, nullptr);
    text += arg + "\n";
  }
  LocalFree(argv);
  const std::wstring partial = std::wstring(out) + L".part";
  HANDLE h = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 4;
  DWORD written = 0;
  WriteFile(h, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(h);
  return MoveFileExW(partial.c_str(), out, MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
