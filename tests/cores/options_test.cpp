#include "cores/options.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

bool Parse(std::initializer_list<const char*> list, CoresOptions* options, char* error) {
    return ParseOptions(int(list.size()), const_cast<char**>(list.begin()), options, error, 200);
}

TEST(CoresOptions, BothSpellingsSetEveryOption) {
    CoresOptions o;
    char error[200] = "";
    ASSERT_TRUE(Parse({"--processors", "0,2,4-6", "/cycle", "15", "--duration", "30m", "/every",
                       "7", "--log", "a b.csv", "/tool", "x\\vesko.exe", "--chart", "c.bmp",
                       "/threads", "8", "/workload", "check"},
                      &o, error))
        << error;
    EXPECT_EQ((std::vector<uint64_t>{0x75, 15, 1800, 7, 8, false}),
              (std::vector<uint64_t>{o.processors, o.cycleSeconds, o.durationSeconds,
                                     o.everySeconds, o.threads, o.help}));
    EXPECT_EQ(checkWorkload, o.workload);
    EXPECT_EQ((std::vector<std::string>{"a b.csv", "x\\vesko.exe", "c.bmp"}),
              (std::vector<std::string>{o.logPath, o.toolPath, o.chartPath}));
    ASSERT_TRUE(Parse({"/help"}, &o, error) && o.help);
    EXPECT_EQ(10u, o.everySeconds) << "the default";
    EXPECT_EQ(1u, o.threads) << "the default";
    EXPECT_EQ(toolWorkload, o.workload) << "the default";
    EXPECT_EQ(0u, o.processors | o.cycleSeconds | o.durationSeconds) << "all, at once, till closed";
}

TEST(CoresOptions, ValuesAndTheirLimits) {
    uint32_t s = 0;
    EXPECT_TRUE(ParseDuration("90s", &s) && s == 90);
    EXPECT_TRUE(ParseDuration("12h", &s) && s == 43200);
    EXPECT_TRUE(ParseDuration("45", &s) && s == 45);
    for (const char* bad : {"0", "", "5x", "12hh", "h", "-3", "4294967296", "1193047h"})
        EXPECT_FALSE(ParseDuration(bad, &s)) << bad;
    uint64_t mask = 1;
    EXPECT_TRUE(ParseProcessorList("all", &mask) && mask == 0);
    EXPECT_TRUE(ParseProcessorList("3", &mask) && mask == 8);
    std::string last = std::to_string(kMaxProcessors - 1), beyond = std::to_string(kMaxProcessors);
    EXPECT_TRUE(ParseProcessorList(last.c_str(), &mask) &&
                mask == (uint64_t(1) << (kMaxProcessors - 1)));
    for (const char* bad : {"", "1,", ",1", "1,,2", "3-1", "1-", "a", "1 2", beyond.c_str()})
        EXPECT_FALSE(ParseProcessorList(bad, &mask)) << bad;
}

TEST(CoresOptions, ErrorsNameWhatIsWrong) {
    const std::string tooLong(kPathCapacity, 'a'); // no room for the terminator
    struct Case {
        std::initializer_list<const char*> arguments;
        const char* named;
    } cases[] = {
        {{"--speed", "3"}, "--speed"},
        {{"processors"}, "processors"},
        {{"--every"}, "--every needs a value"},
        {{"--cycle", "9"}, "\"9\""},
        {{"--cycle", "x10"}, "\"x10\""},
        {{"--every", "5s"}, "\"5s\""},
        {{"--every", "0"}, "\"0\""},
        {{"--workload", "Check"}, "\"Check\""},
        {{"/processors", "1-0"}, "/processors"},
        {{"--log", ""}, "--log"},
        {{"--tool", tooLong.c_str()}, "\"aaaa"},
        {{"--threads", "1"}, "--threads goes with --cycle only."},
        {{"--cycle", "10", "--threads", "9"},
         "\"9\" is not a valid value for --threads: it takes 1 to 8."},
        {{"--threads", "0", "--cycle", "10"}, "\"0\""},
        {{"--resume"}, "--resume needs --log FILE"},
        {{"--resume", "--log", "x.csv", "--cycle", "10"}, "give --log FILE alone with it"},
        {{"--autostart", "--resume", "--log", "x.csv"}, "give --log FILE alone with it"},
    };
    for (const Case& c : cases) {
        CoresOptions o;
        char error[200] = "";
        EXPECT_FALSE(Parse(c.arguments, &o, error)) << c.named;
        EXPECT_NE(nullptr, strstr(error, c.named)) << error;
    }
    uint64_t chosen = 0;
    char error[200] = "";
    EXPECT_TRUE(ChooseProcessors(0, 0x0B, &chosen, error, 200) && chosen == 0x0B);
    EXPECT_TRUE(ChooseProcessors(0x0A, 0x0B, &chosen, error, 200) && chosen == 0x0A);
    EXPECT_FALSE(ChooseProcessors(0x16, 0x0B, &chosen, error, 200));
    EXPECT_STREQ("This machine has no processor 2.", error);
    EXPECT_FALSE(ChooseProcessors(0, 0, &chosen, error, 200)) << "an affinity mask of 0";
    EXPECT_NE(nullptr, strstr(error, "did not tell which processors")) << error;
}

// The run row keeps the options as one line; a later start splits them back as they were.
TEST(CoresOptions, ARunsOptionsAsOneLineAndBack) {
    const char* given[] = {"--cycle", "60", "--log", "C:\\my logs\\a.csv", "--autostart", ""};
    char line[200], *back[8];
    EXPECT_FALSE(JoinArguments(6, (char**)given, line, 40)) << "does not fit";
    ASSERT_TRUE(JoinArguments(6, (char**)given, line, sizeof line));
    EXPECT_STREQ("--cycle 60 --log \"C:\\my logs\\a.csv\" --autostart \"\"", line);
    ASSERT_EQ(6, SplitArguments(line, back, 8));
    for (int i = 0; i < 6; ++i)
        EXPECT_STREQ(given[i], back[i]);
    const char* quote[] = {"a\"b"};
    EXPECT_FALSE(JoinArguments(1, (char**)quote, line, sizeof line));
    for (const char* bad : {"a  b", " a", "a ", "\"a", "a\"b", "\"a\"b", "a b c"}) {
        snprintf(line, sizeof line, "%s", bad);
        EXPECT_EQ(-1, SplitArguments(line, back, 2)) << bad;
    }
    CoresOptions o;
    ASSERT_TRUE(Parse({"--resume", "/log", "x.csv"}, &o, line)) << line;
    EXPECT_TRUE(o.resume && !o.autostart);
    ASSERT_TRUE(Parse({"/autostart", "--cycle", "10"}, &o, line)) << line;
    EXPECT_TRUE(o.autostart && !o.resume);
}

} // namespace
