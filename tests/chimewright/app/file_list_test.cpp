#include "chimewright/app/file_list.hpp"
#include "chimewright/app/list_text.hpp"
#include "platform/text.hpp"

#include <gtest/gtest.h>

TEST(DroppedFile, TitleIsTheNameUpToItsFirstDot) {
    struct Case { std::string path; std::string title; };
    std::string kanji40;
    for (int i = 0; i < 40; ++i) kanji40 += "鐘";
    const Case cases[] = {
        {"C:\\sounds\\voice.take2.wav", "voice"},
        {"C:\\sounds\\README", "README"},
        {"/home/me/a.b/bell.wav", "bell"},
        {"C:bell.wav", "bell"},
        {"C:\\sounds\\.hidden", ""},
        {"C:\\" + std::string(70, 'x') + ".wav", std::string(64, 'x')},
        // 64 bytes in code page 932: 32 double-byte characters.
        {"C:\\" + kanji40 + ".wav", kanji40.substr(0, 32 * 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cw::titleFromPath(c.path), c.title) << c.path;
        const cw::FileRow row = cw::droppedFileRow(c.path);
        EXPECT_EQ(row.outputName, row.title);
        EXPECT_EQ(row.intervalMs, 0);
    }
}

TEST(FileListRows, DroppingTheSameFileTwiceKeepsOneRowAndClearsResults) {
    cw::FileList list;
    cw::WorkerSlot worker;
    ASSERT_TRUE(cw::addDroppedFiles(list, {"C:\\a\\bell.wav", "C:\\a\\horn.wav"}, worker));
    list.results = {0, 1005};
    ASSERT_TRUE(cw::addDroppedFiles(list, {"C:\\a\\bell.wav", "C:\\a\\Bell.wav"}, worker));
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[2].path, "C:\\a\\Bell.wav") << "paths compare exactly";
    EXPECT_TRUE(list.results.empty());
}

TEST(FileListRows, NothingChangesWhileABatchRuns) {
    cw::FileList list;
    cw::WorkerSlot worker;
    cw::addDroppedFiles(list, {"C:\\a\\bell.wav"}, worker);
    list.results = {0};
    ASSERT_TRUE(worker.claim(42));
    EXPECT_FALSE(worker.claim(43)) << "a second batch is refused";
    EXPECT_FALSE(cw::addDroppedFiles(list, {"C:\\a\\horn.wav"}, worker));
    EXPECT_FALSE(cw::replaceRows(list, {}, worker));
    EXPECT_FALSE(cw::clearList(list, worker));
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.results.size(), 1u);
    worker.release();
    EXPECT_TRUE(cw::clearList(list, worker));
    EXPECT_TRUE(list.rows.empty());
    EXPECT_FALSE(worker.claim(0)) << "0 means idle";
}

TEST(ListText, ExportWritesFiveColumns) {
    cw::FileList list;
    list.rows = {{"C:\\a\\bell.wav", "bell", "bell1", 0}, {"C:\\a\\horn.wav", "ホルン", "horn", 250}};
    EXPECT_EQ(cw::listExportText(list),
              "C:\\a\\bell.wav\tbell\tbell1\t    0\t    0\r\n"
              "C:\\a\\horn.wav\tホルン\thorn\t  250\t    0\r\n");
    list.results = {1007};
    EXPECT_EQ(cw::listExportText(list).substr(0, 36), "C:\\a\\bell.wav\tbell\tbell1\t    0\t 1007");
}

TEST(ListText, ImportFillsMissingFields) {
    const auto rows = cw::parseListText(
        "C:\\a\\only.wav\r\n"
        "C:\\a\\titled.wav\tTitle\r\n"
        "C:\\a\\full.wav\tT\tname\t  250\t 1007\textra\r\n"
        "C:\\a\tshort path\n"
        "C:\\a\\" + std::string(70, 'y') + ".wav\t" + std::string(70, 't') + "\n"
        "C:\\a\\last.wav\tlast");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].path, "C:\\a\\only.wav");
    EXPECT_EQ(rows[0].title, "");
    EXPECT_EQ(rows[0].outputName, "");
    EXPECT_EQ(rows[0].intervalMs, 0);
    EXPECT_EQ(rows[1].title, "Title");
    EXPECT_EQ(rows[1].outputName, "Title");
    EXPECT_EQ(rows[2].title, "T");
    EXPECT_EQ(rows[2].outputName, "name");
    EXPECT_EQ(rows[2].intervalMs, 250);
    EXPECT_EQ(rows[3].title, std::string(64, 't'));
    EXPECT_EQ(rows[4].outputName, "last");
}

TEST(ListText, ImportReadsWhatExportWrote) {
    cw::FileList list;
    list.rows = {{"C:\\a\\bell.wav", "鐘", "bell", 0}, {"/snd/horn.wav", "horn", "horn2", 1500}};
    list.results = {0, 9200};
    const auto rows = cw::parseListText(cw::listExportText(list) + std::string(1, '\0') + "junk\tx\n");
    ASSERT_EQ(rows.size(), 2u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].path, list.rows[i].path);
        EXPECT_EQ(rows[i].title, list.rows[i].title);
        EXPECT_EQ(rows[i].outputName, list.rows[i].outputName);
        EXPECT_EQ(rows[i].intervalMs, list.rows[i].intervalMs);
    }
}
