#include "util/file_dialogs.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>

namespace {

// A second thread finds the dialog the test thread has open, notes the name
// it starts with and what its lower right corner is, then types a name and
// presses OK, or presses Cancel. A message box that comes up instead (a name
// refused) is closed, and then the dialog.
struct Script {
    DWORD dialogThread;
    const char* typed;
    char initialName[300];
    bool explorer;  // an explorer-style dialog, with a shell view
    LRESULT corner; // the hit-test code at its lower right corner
    bool refused;
    HWND owner;
    LRESULT filters; // entries of its file-type box
};

// A visible dialog of the thread other than `other`, or null.
HWND FindDialogOf(DWORD thread, HWND other) {
    for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, "#32770", nullptr));)
        if (found != other && IsWindowVisible(found) &&
            GetWindowThreadProcessId(found, nullptr) == thread)
            return found;
    return nullptr;
}

DWORD WINAPI DriveDialog(LPVOID parameter) {
    Script* script = (Script*)parameter;
    HWND dialog = nullptr; // generous: the first dialog loads the shell's views
    for (int tries = 0; !dialog && tries < 3000; ++tries, Sleep(20))
        dialog = FindDialogOf(script->dialogThread, nullptr);
    script->explorer = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr) != nullptr;
    script->owner = GetWindow(dialog, GW_OWNER);
    script->filters = SendDlgItemMessageA(dialog, cmb1, CB_GETCOUNT, 0, 0);
    RECT frame;
    GetWindowRect(dialog, &frame);
    script->corner =
        SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(frame.right - 1, frame.bottom - 1));
    HWND name = GetDlgItem(dialog, cmb13); // the file-name box
    GetWindowTextA(name, script->initialName, sizeof script->initialName);
    if (script->typed)
        SetWindowTextA(name, script->typed);
    PostMessageA(dialog, WM_COMMAND, script->typed ? IDOK : IDCANCEL, 0);
    // A dialog that stays open is cancelled: the test fails rather than hangs.
    for (int tries = 0; IsWindow(dialog) && tries < 1500; ++tries, Sleep(20)) {
        if (HWND box = FindDialogOf(script->dialogThread, dialog)) {
            script->refused = true;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            Sleep(100);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    if (IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
}

template <typename Call> char* Drive(Script& script, const char* typed, Call call) {
    script = {GetCurrentThreadId(), typed, "", false, 0, false, nullptr, 0};
    HANDLE driver = CreateThread(nullptr, 0, DriveDialog, &script, 0, nullptr);
    char* result = call();
    WaitForSingleObject(driver, INFINITE);
    CloseHandle(driver);
    return result;
}

std::string TempPath(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// A dialog starting from a full path shows its file name in its folder.
std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

const char kFilter[] = "Text files\0*.txt\0All files\0*.*\0";
// With no extension of its own to add, only the default one can be added.
const char kAnyFile[] = "All files\0*.*\0";

std::string MakeFile(const char* name) {
    std::string path = TempPath(name);
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return path;
}

TEST(FileDialogs, OpenReturnsTheChoiceAndStartsFromIt) {
    std::string chosen = MakeFile("vesko open.txt");
    auto open = [] { return ChooseOpenFile(nullptr, kAnyFile, "txt", 0); };
    Script script;
    EXPECT_EQ(nullptr, Drive(script, nullptr, open));
    EXPECT_TRUE(script.explorer);
    EXPECT_EQ(HTBOTTOMRIGHT, script.corner) << "a sizing frame";
    EXPECT_EQ(1, script.filters);
    // A name that does not exist is refused with a message.
    EXPECT_EQ(nullptr, Drive(script, TempPath("vesko none.txt").c_str(), open));
    EXPECT_TRUE(script.refused);
    // Typed without its extension, the name gets the default one where that
    // file exists. (Both exist: Wine checks the typed name before adding it.)
    std::string bare = MakeFile("vesko open");
    char* result = Drive(script, bare.c_str(), open);
    ASSERT_EQ(theOpenFileName, result);
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), result)) << result;
    EXPECT_EQ(nullptr, Drive(script, nullptr, open));
    EXPECT_EQ(FileName(chosen), FileName(script.initialName));
    // Several files without OFN_EXPLORER: the system shows its old-style dialog.
    EXPECT_EQ(nullptr,
              Drive(script, nullptr, [] { return ChooseOpenFile(nullptr, kFilter, "txt", 1); }));
    EXPECT_FALSE(script.explorer);
    EXPECT_EQ(2, script.filters);
    DeleteFileA(chosen.c_str());
    DeleteFileA(bare.c_str());
}

TEST(FileDialogs, SaveStartsWithTheGivenNameElseTheLastChoice) {
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, 0);
    auto save = [=](const char* initial) {
        return [=] { return ChooseSaveFile(owner, kAnyFile, "txt", initial); };
    };
    // A name too long is cut to 260 characters and stays terminated.
    std::string initial = std::string(300, 'n');
    Script script;
    EXPECT_EQ(nullptr, Drive(script, nullptr, save(initial.c_str())));
    EXPECT_EQ(initial.substr(0, 260), script.initialName);
    EXPECT_EQ(initial.substr(0, 260), theSaveFileName);
    EXPECT_EQ(owner, script.owner);
    EXPECT_EQ(HTBOTTOMRIGHT, script.corner) << "a sizing frame";
    // An existing file, typed without its extension: the default one is
    // added, and the file is taken without asking to replace it.
    std::string chosen = MakeFile("vesko save.txt");
    char* result = Drive(script, TempPath("vesko save").c_str(), save(nullptr));
    ASSERT_EQ(theSaveFileName, result);
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), result)) << result;
    EXPECT_FALSE(script.refused) << "no question before replacing";
    EXPECT_EQ(nullptr, Drive(script, nullptr, save(nullptr)));
    EXPECT_EQ(FileName(chosen), FileName(script.initialName));
    // Given from within the last result, overlapping it: moved intact.
    std::string last = theSaveFileName;
    EXPECT_EQ(nullptr, Drive(script, nullptr, save(theSaveFileName + 2)));
    EXPECT_EQ(last.substr(2), theSaveFileName);
    DeleteFileA(chosen.c_str());
    DestroyWindow(owner);
}

} // namespace
