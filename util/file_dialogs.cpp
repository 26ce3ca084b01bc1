#include "util/file_dialogs.h"

#include <commdlg.h>
#include <stddef.h>
#include <string.h>

char theOpenFileName[260];
char theSaveFileName[261];

namespace {

// lStructSize is OPENFILENAME_SIZE_VERSION_400A: the structure without the
// fields Windows 2000 added, which is 76 bytes on 32-bit Windows.
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76,
              "the pre-2000 OPENFILENAME is 76 bytes");

OPENFILENAMEA DialogFields(HWND owner, const char* filter, const char* defaultExtension, char* file,
                           DWORD capacity, DWORD flags) {
    OPENFILENAMEA fields;
    ZeroMemory(&fields, sizeof fields);
    fields.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    fields.hwndOwner = owner;
    fields.hInstance = (HINSTANCE)GetWindowLongPtrA(owner, GWLP_HINSTANCE);
    fields.lpstrFilter = filter;
    fields.lpstrFile = file;
    fields.nMaxFile = capacity;
    fields.Flags = flags;
    fields.lpstrDefExt = defaultExtension;
    return fields;
}

} // namespace

char* ChooseOpenFile(HWND owner, const char* filter, const char* defaultExtension,
                     int multiSelect) {
    DWORD flags = OFN_ENABLESIZING | OFN_FILEMUSTEXIST;
    if (multiSelect)
        flags |= OFN_ALLOWMULTISELECT;
    OPENFILENAMEA fields = DialogFields(owner, filter, defaultExtension, theOpenFileName,
                                        sizeof theOpenFileName, flags);
    return GetOpenFileNameA(&fields) ? theOpenFileName : nullptr;
}

char* ChooseSaveFile(HWND owner, const char* filter, const char* defaultExtension,
                     const char* initialName) {
    // The name may lie in this very buffer (the last result), so it is moved,
    // not copied, then padded with zeros. Never reaches the last byte, so a
    // long name stays terminated.
    if (initialName) {
        size_t length = 0;
        while (length < sizeof theSaveFileName - 1 && initialName[length])
            ++length;
        memmove(theSaveFileName, initialName, length);
        memset(theSaveFileName + length, 0, sizeof theSaveFileName - 1 - length);
    }
    OPENFILENAMEA fields = DialogFields(owner, filter, defaultExtension, theSaveFileName,
                                        sizeof theSaveFileName, OFN_ENABLESIZING);
    return GetSaveFileNameA(&fields) ? theSaveFileName : nullptr;
}
