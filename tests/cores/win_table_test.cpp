#include "cores/win_table.h"

#include "chart/processor_colour.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Drawn {
    std::string text;
    COLORREF colour;
};
struct Page {
    std::vector<Drawn> texts; // as drawn, the empty ones left out
    COLORREF colour;          // for the texts that follow
};

// Each text a metafile holds, in drawing order. (Metafiles differ between Wine builds: some give
// no text metrics, so every column starts at the left and a paragraph shows its first word.)
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM page) {
    Page& on = *(Page*)page;
    if (record->iType == EMR_SETTEXTCOLOR)
        on.colour = ((const EMRSETTEXTCOLOR*)record)->crColor;
    if (record->iType != EMR_EXTTEXTOUTW && record->iType != EMR_EXTTEXTOUTA)
        return 1;
    const EMRTEXT& out = ((const EMREXTTEXTOUTW*)record)->emrtext;
    const BYTE* chars = (const BYTE*)record + out.offString;
    std::string text;
    for (DWORD i = 0; i < out.nChars; ++i)
        text += char(record->iType == EMR_EXTTEXTOUTW ? ((const WCHAR*)chars)[i] : chars[i]);
    if (!text.empty())
        on.texts.push_back({text, on.colour});
    return 1;
}

// The table's texts as drawn.
Page Recorded(const CoresRun& run) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    DrawRunTable(dc, RECT{0, 0, 900, 400}, run);
    HENHMETAFILE recorded = CloseEnhMetaFile(dc);
    Page page = {};
    EnumEnhMetaFile(nullptr, recorded, CollectText, &page, nullptr);
    DeleteEnhMetaFile(recorded);
    return page;
}

// A row's texts in any order.
std::multiset<std::string> Row(const Page& page, size_t first, size_t count) {
    std::multiset<std::string> row;
    for (size_t i = first; i < first + count && i < page.texts.size(); ++i)
        row.insert(page.texts[i].text);
    return row;
}

// What a user reads in the table, row by row: headings, a row for each processor (its number
// last, in its chart colour), the verdict in its colour, the log.
TEST(RunTable, HeadingsARowForEachProcessorThenTheVerdictAndTheLog) {
    CoresRun* run = new CoresRun();
    StartJudge(&run->judge, 0x5, 10, false, {[](void*, const LogRow&) {}, nullptr});
    run->judge.watches[1].core = 1;
    snprintf(run->log.path, sizeof run->log.path, "C:\\runs\\a.csv");
    Page page = Recorded(*run);
    ASSERT_GE(page.texts.size(), 18u);
    EXPECT_EQ(0u, page.texts[16].text.find("NOT")) << page.texts[16].text;
    EXPECT_EQ(RGB(160, 96, 0), page.texts[16].colour);
    run->judge.watches[1].failure.failed = true;
    page = Recorded(*run);
    ASSERT_GE(page.texts.size(), 18u);
    EXPECT_EQ(std::multiset<std::string>({"CPU", "core", "state", "bursts", "ticks", "MHz", "busy",
                                          "warn", "latest status line"}),
              Row(page, 0, 9));
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), page.texts[8].colour);
    EXPECT_EQ(std::multiset<std::string>({"0", "waiting", "0"}), Row(page, 9, 3));
    EXPECT_EQ(ProcessorColour(0), page.texts[11].colour);
    EXPECT_EQ(std::multiset<std::string>({"2", "1", "waiting", "0"}), Row(page, 12, 4));
    EXPECT_EQ(ProcessorColour(2), page.texts[15].colour);
    EXPECT_EQ(0u, page.texts[16].text.find("FAIL:")) << page.texts[16].text;
    EXPECT_EQ(RGB(192, 0, 0), page.texts[16].colour);
    EXPECT_EQ(0u, page.texts.back().text.find("Log:")) << page.texts.back().text;
    delete run;
}

} // namespace
