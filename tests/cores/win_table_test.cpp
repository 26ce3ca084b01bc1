#include "cores/win_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

typedef std::multiset<std::string> Texts;
typedef std::map<int, Texts> Lines; // by their height on the page

// Each text a metafile holds, on its line. (Wine's metafiles give no text metrics, so every
// column starts at the left and a paragraph shows its first word; the texts are all there.)
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM lines) {
    if (record->iType != EMR_EXTTEXTOUTW && record->iType != EMR_EXTTEXTOUTA)
        return 1;
    const EMRTEXT& out = ((const EMREXTTEXTOUTW*)record)->emrtext;
    const BYTE* chars = (const BYTE*)record + out.offString;
    std::string text;
    for (DWORD i = 0; i < out.nChars; ++i)
        text += char(record->iType == EMR_EXTTEXTOUTW ? ((const WCHAR*)chars)[i] : chars[i]);
    if (!text.empty())
        (*(Lines*)lines)[out.ptlReference.y].insert(text);
    return 1;
}

// What a user reads in the table, recorded as drawn.
TEST(RunTable, HeadingsARowForEachProcessorThenTheVerdictAndTheLog) {
    CoresRun* run = new CoresRun();
    StartJudge(&run->judge, 0x5, 10, false, {[](void*, const LogRow&) {}, nullptr});
    run->judge.watches[1].core = 1;
    snprintf(run->log.path, sizeof run->log.path, "C:\\runs\\a.csv");
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    DrawRunTable(dc, RECT{0, 0, 900, 400}, *run);
    HENHMETAFILE recorded = CloseEnhMetaFile(dc);
    Lines lines;
    EnumEnhMetaFile(nullptr, recorded, CollectText, &lines, nullptr);
    DeleteEnhMetaFile(recorded);
    ASSERT_EQ(5u, lines.size());
    auto line = lines.begin();
    EXPECT_EQ(Texts({"CPU", "core", "state", "bursts", "ticks", "MHz", "busy", "warn",
                     "latest status line"}),
              line->second);
    EXPECT_EQ(Texts({"0", "waiting", "0"}), (++line)->second);
    EXPECT_EQ(Texts({"2", "1", "waiting", "0"}), (++line)->second);
    EXPECT_EQ(0u, (++line)->second.begin()->find("NOT")) << "the verdict so far";
    EXPECT_EQ(0u, (++line)->second.begin()->find("Log:"));
    delete run;
}

} // namespace
