#pragma once

#include <stddef.h>

// A command that Windows runs once, at the next logon of this user: a value
// under HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\RunOnce,
// which Windows deletes as it runs it.

// The value's name.
extern const char kAutostartValue[];
// Windows runs no longer a command at logon.
const size_t kLogonCommandLimit = 260;

// Registers `command`; FALSE with the registry's error code in `error`.
bool RegisterAtLogon(const char* command, long* error);

// Removes the value where it is there.
void UnregisterAtLogon();

// The command registered now, copied into `command`; false where there is none.
bool RegisteredAtLogon(char* command, int size);
