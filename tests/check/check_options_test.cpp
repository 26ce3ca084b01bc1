#include "check/check_options.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Parse(std::initializer_list<const char*> list, bool avx2Allowed, CheckOptions* options,
           std::string* error) {
    char text[1200] = "";
    bool parsed = ParseCheckOptions(int(list.size()), const_cast<char**>(list.begin()), avx2Allowed,
                                    options, text, sizeof text);
    *error = text;
    return parsed;
}

TEST(CheckOptions, ThePathDefaultsToTheHeaviestAllowedAndAvx2OnlyWhereAllowed) {
    CheckOptions o;
    std::string error;
    ASSERT_TRUE(Parse({}, true, &o, &error));
    EXPECT_EQ(avx2Path, o.path);
    EXPECT_STREQ("", o.errorsPath);
    ASSERT_TRUE(Parse({}, false, &o, &error));
    EXPECT_EQ(sse2Path, o.path);
    ASSERT_TRUE(Parse({"--path", "sse2", "/errors", "C:\\a b.txt"}, true, &o, &error));
    EXPECT_EQ(sse2Path, o.path) << "chosen, though AVX2 is allowed";
    EXPECT_STREQ("C:\\a b.txt", o.errorsPath);
    ASSERT_TRUE(Parse({"/path", "avx2"}, true, &o, &error));
    EXPECT_EQ(avx2Path, o.path);
    EXPECT_FALSE(Parse({"--errors", "e.txt", "--path", "avx2"}, false, &o, &error));
    EXPECT_NE(std::string::npos, error.find("does not allow AVX2")) << error;
    EXPECT_EQ(std::string::npos, error.find("Usage")) << "the reason, not the usage";
}

// Anything else is refused, naming the argument, with the usage.
TEST(CheckOptions, AnyOtherArgumentShowsTheUsage) {
    const std::string longest(kErrorsPathCapacity - 1, 'a'), tooLong(kErrorsPathCapacity, 'a');
    CheckOptions o;
    std::string error;
    EXPECT_TRUE(Parse({"--errors", longest.c_str()}, true, &o, &error));
    struct Case {
        std::initializer_list<const char*> arguments;
        const char* named;
    } cases[] = {
        {{"--path", "avx512"}, "\"--path avx512\""},
        {{"--path"}, "\"--path\""},
        {{"path", "sse2"}, "\"path sse2\""},
        {{"--errors", ""}, "\"--errors \""},
        {{"--help"}, "\"--help\""},
        {{"--errors", tooLong.c_str()}, "--errors"},
        {{"--path", "sse2", "--path", "sse2"}, "\"--path sse2\""},
        {{"--errors", "a", "/errors", "b"}, "\"/errors b\""},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Parse(c.arguments, true, &o, &error)) << c.named;
        EXPECT_NE(std::string::npos, error.find(c.named)) << error;
        EXPECT_NE(std::string::npos, error.find("Usage: vesko-check")) << error;
    }
}

} // namespace
