// --jobs: rows converted by several workers write byte for byte the files of one worker,
// through every target (tarnwick's SMAF route and the QCP converter included), and the retry
// pass runs the same way.
#include "chimewright/cli/parallel_batch.hpp"

#include "chimewright/app/batch.hpp"
#include "platform/text.hpp"
#include "tests/chimewright/cli/every_target_batch.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace cli_testing;

namespace {

struct BatchRun {
    std::vector<int> results;
    std::vector<std::size_t> shownRows;
    cw::BatchEnd end{};
    std::map<std::string, std::string> files;
};

class ParallelBatch : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path programs = scratch / "programs";
    std::vector<std::string> inputs;

    PrivateInstanceLocks locks{scratch.path()};

    void SetUp() override {
        ASSERT_TRUE(providePrograms(programs));
        // Short stereo tones; the fourth row's file is missing until the retry question.
        const double tones[] = {440, 523, 659, 784, 880};
        for (std::size_t i = 0; i < 5; ++i) {
            const platform::Path path = scratch / ("row" + std::to_string(i) + ".wav");
            if (i != 3) putFile(path, stereoTone(tones[i], 11025));
            inputs.push_back(platform::pathToUtf8(path));
        }
    }

    // One batch in a fresh working and output folder; jobs 0: the batch's own runner.
    BatchRun run(int jobs) {
        const std::string name = "jobs" + std::to_string(jobs);
        const platform::Path work = scratch / (name + "-work");
        const platform::Path out = scratch / (name + "-out");
        platform::deleteFile(scratch / "row3.wav");

        AnsweringPort port(everyTargetSettings(), platform::pathToUtf8(out));
        port.onRetry = [&] { putFile(scratch / "row3.wav", stereoTone(784, 11025)); };
        cw::FileList list;
        for (const std::string& input : inputs) list.rows.push_back({input, "t", "t", 0});
        for (std::size_t i = 0; i < list.rows.size(); ++i) {
            list.rows[i].title = "row" + std::to_string(i);
            list.rows[i].outputName = list.rows[i].title;
        }
        cw::BatchSetup setup;
        setup.settingsFile = scratch / (name + ".ini");
        setup.workFolder = work;
        setup.programFolder = programs;
        EXPECT_TRUE(platform::createFolder(work));
        if (jobs > 0) {
            const auto folders = cw::cli::workerFolders(work, jobs);
            for (const platform::Path& folder : folders) EXPECT_TRUE(platform::createFolder(folder));
            setup.runPass = cw::cli::parallelPass(folders);
        }
        cw::WorkerSlot worker;
        EXPECT_TRUE(worker.claim(1));
        BatchRun result;
        result.end = cw::runBatch(list, port, setup, worker);
        result.results = list.results;
        result.shownRows = port.shownRows;
        result.files = outputTree(out);
        return result;
    }
};

} // namespace

TEST_F(ParallelBatch, SameFilesWithOneTwoAndFourJobs) {
    const BatchRun reference = run(0);
    ASSERT_EQ(reference.end, cw::BatchEnd::allSucceeded);
    // 5 rows x 26 targets.
    ASSERT_EQ(reference.files.size(), 5u * 26u);
    ASSERT_TRUE(reference.files.count("mmf/row0.mmf"));
    ASSERT_TRUE(reference.files.count("qcp/row4.qcp"));

    for (int jobs : {1, 2, 4}) {
        SCOPED_TRACE("jobs " + std::to_string(jobs));
        const BatchRun parallel = run(jobs);
        EXPECT_EQ(parallel.end, cw::BatchEnd::allSucceeded);
        EXPECT_EQ(parallel.results, std::vector<int>(5, 0));
        // The first pass shows every row in order, the retry pass the row that failed.
        EXPECT_EQ(parallel.shownRows, (std::vector<std::size_t>{0, 1, 2, 3, 4, 3}));
        ASSERT_EQ(parallel.files.size(), reference.files.size());
        for (const auto& [name, bytes] : reference.files) {
            const auto found = parallel.files.find(name);
            ASSERT_NE(found, parallel.files.end()) << name;
            EXPECT_TRUE(found->second == bytes) << name << " differs";
        }
    }
}

TEST(ParallelJobs, Option) {
    EXPECT_EQ(cw::cli::parseJobs("1"), 1);
    EXPECT_EQ(cw::cli::parseJobs("4"), 4);
    EXPECT_GE(cw::cli::parseJobs("0").value_or(0), 1); // one per core
    for (const char* bad : {"", "-1", "x", "2x", "65", "1000"})
        EXPECT_FALSE(cw::cli::parseJobs(bad)) << bad;

    EXPECT_EQ(cw::cli::workerFolders("w", 1), std::vector<platform::Path>{"w"});
    EXPECT_EQ(cw::cli::workerFolders("w", 2),
              (std::vector<platform::Path>{platform::Path("w") / "job1", platform::Path("w") / "job2"}));
}
