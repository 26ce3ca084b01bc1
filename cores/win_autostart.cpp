#include "cores/win_autostart.h"

#include <windows.h>

#include <string.h>

const char kAutostartValue[] = "Vesko Cores";

namespace {

const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

} // namespace

bool RegisterAtLogon(const char* command, long* error) {
    HKEY key;
    *error = RegCreateKeyExA(HKEY_CURRENT_USER, kRunOnceKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                             &key, nullptr);
    if (*error != ERROR_SUCCESS)
        return false;
    *error = RegSetValueExA(key, kAutostartValue, 0, REG_SZ, (const BYTE*)command,
                            DWORD(strlen(command) + 1));
    RegCloseKey(key);
    return *error == ERROR_SUCCESS;
}

void UnregisterAtLogon() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnceKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kAutostartValue);
    RegCloseKey(key);
}

bool RegisteredAtLogon(char* command, int size) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnceKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, bytes = DWORD(size - 1);
    LONG read = RegQueryValueExA(key, kAutostartValue, nullptr, &type, (BYTE*)command, &bytes);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ)
        return false;
    command[bytes] = '\0';
    return true;
}
