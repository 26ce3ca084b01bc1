#include "cores/win_autostart.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

// What a later logon runs is the command whole, or nothing; a value there before is put back.
TEST(Autostart, TheCommandIsRegisteredReadBackWholeAndRemoved) {
    char saved[600];
    bool had = RegisteredAtLogon(saved, sizeof saved);
    long error = 0;
    const char command[] = "\"C:\\a b\\vesko-cores.exe\" --resume --log \"C:\\a b\\run.csv\"";
    ASSERT_TRUE(RegisterAtLogon(command, &error)) << error;
    char back[100];
    memset(back, 'x', sizeof back);
    ASSERT_TRUE(RegisteredAtLogon(back, sizeof back));
    EXPECT_STREQ(command, back);
    EXPECT_FALSE(RegisteredAtLogon(back, int(strlen(command)))) << "no room for it whole";
    UnregisterAtLogon();
    EXPECT_FALSE(RegisteredAtLogon(back, sizeof back));
    if (had)
        RegisterAtLogon(saved, &error);
}

} // namespace
