#include "cores/win_table.h"

#include "chart/processor_colour.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <string>

namespace {

typedef std::multiset<std::string> Texts;
struct Line {
    Texts texts;
    COLORREF colour; // of its last text
};
struct Page {
    std::map<int, Line> lines; // by their height on the page
    COLORREF colour;           // for the texts that follow
};

// Each text a metafile holds, on its line. (Wine's metafiles give no text metrics, so every
// column starts at the left and a paragraph shows its first word; the texts are all there.)
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
    Line& line = on.lines[out.ptlReference.y];
    if (!text.empty())
        line.texts.insert(text), line.colour = on.colour;
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

// What a user reads in the table; the verdict in its colour.
TEST(RunTable, HeadingsARowForEachProcessorThenTheVerdictAndTheLog) {
    CoresRun* run = new CoresRun();
    StartJudge(&run->judge, 0x5, 10, false, {[](void*, const LogRow&) {}, nullptr});
    run->judge.watches[1].core = 1;
    snprintf(run->log.path, sizeof run->log.path, "C:\\runs\\a.csv");
    Page page = Recorded(*run);
    ASSERT_EQ(5u, page.lines.size());
    EXPECT_EQ("NOT", *std::next(page.lines.begin(), 3)->second.texts.begin());
    EXPECT_EQ(RGB(160, 96, 0), std::next(page.lines.begin(), 3)->second.colour);
    run->judge.watches[1].failure.failed = true;
    page = Recorded(*run);
    ASSERT_EQ(5u, page.lines.size());
    auto line = page.lines.begin();
    EXPECT_EQ(Texts({"CPU", "core", "state", "bursts", "ticks", "MHz", "busy", "warn",
                     "latest status line"}),
              line->second.texts);
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), line->second.colour);
    EXPECT_EQ(Texts({"0", "waiting", "0"}), (++line)->second.texts);
    EXPECT_EQ(ProcessorColour(0), line->second.colour) << "as in the chart";
    EXPECT_EQ(Texts({"2", "1", "waiting", "0"}), (++line)->second.texts);
    EXPECT_EQ(ProcessorColour(2), line->second.colour);
    EXPECT_EQ("FAIL:", *(++line)->second.texts.begin()) << "the verdict so far";
    EXPECT_EQ(RGB(192, 0, 0), line->second.colour);
    EXPECT_EQ("Log:", *(++line)->second.texts.begin());
    delete run;
}

} // namespace
