// Test stand-in for a host program ("Kivra.exe", "acad.exe"): appends its command line as
// the system hands it over to the file named by KIVRA_STANDIN_LOG, then ends.
#include <windows.h>

int main() {
    char log[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KIVRA_STANDIN_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, lstrlenA(line), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
    return 0;
}
