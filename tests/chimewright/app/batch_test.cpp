#include "chimewright/app/batch.hpp"
#include "chimewright/app/result_messages.hpp"
#include "chimewright/app/settings_file.hpp"
#include "platform/text.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace testing_support;
namespace opt = cw::option;

namespace {

// Records what the batch asks and shows; answers as told.
class RecordingPort : public cw::BatchPort {
public:
    cw::SettingsState state;
    std::optional<std::string> folderAnswer;
    std::vector<bool> retryAnswers; // one per question; No when they run out
    std::function<void()> onRetryQuestion = [] {};
    std::function<void(const cw::FileList&, std::size_t)> onRowStarting = [](auto&, auto) {};

    std::vector<std::string> messages;
    std::vector<std::string> preselected;
    int questions = 0;
    std::vector<std::size_t> finishedRows;
    std::vector<std::string> shownTexts;
    int settingsReads = 0;

    cw::SettingsState settings() override {
        ++settingsReads;
        return state;
    }
    std::optional<std::string> chooseOutputFolder(std::string_view prompt,
                                                  std::string_view pre) override {
        EXPECT_EQ(prompt, cw::message::chooseFolder);
        preselected.emplace_back(pre);
        return folderAnswer;
    }
    void rowStarting(const cw::FileList& list, std::size_t row) override {
        onRowStarting(list, row);
    }
    void rowFinished(const cw::FileList& list, std::size_t row) override {
        finishedRows.push_back(row);
        shownTexts.push_back(cw::showResult(list.results[row]));
    }
    bool askRetry(std::string_view question) override {
        EXPECT_EQ(question, cw::message::retryQuestion);
        onRetryQuestion();
        const bool yes = questions < static_cast<int>(retryAnswers.size()) && retryAnswers[static_cast<std::size_t>(questions)];
        ++questions;
        return yes;
    }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
};

class Batch : public ::testing::Test {
protected:
    ScratchFolder work;
    ScratchFolder out;
    RecordingPort port;
    cw::FileList list;
    cw::WorkerSlot worker;
    cw::BatchSetup setup;

    void SetUp() override {
        setup.settingsFile = work / "ferrowind.ini";
        setup.workFolder = work.path();
        port.folderAnswer = platform::pathToUtf8(out.path());
        // Only the QCP target: its 8 kHz file is quick to make and nothing else is written.
        port.state.flags.fill(opt::rate8k);
        port.state.flags[cw::targetQcp] = opt::create | opt::rate8k;
    }
    std::string wavFile(const char* name) {
        const platform::Path path = work / name;
        putFile(path, makeWav({}, sineWave(440, 8000, 2000, 6000)));
        return platform::pathToUtf8(path);
    }
    void addRow(const std::string& path) {
        cw::addDroppedFiles(list, {path}, worker);
    }
    cw::BatchEnd run() {
        EXPECT_TRUE(worker.claim(7));
        return cw::runBatch(list, port, setup, worker);
    }
};

} // namespace

TEST_F(Batch, EmptyListOnlyAsksForFiles) {
    EXPECT_EQ(run(), cw::BatchEnd::emptyList);
    EXPECT_EQ(port.messages, std::vector<std::string>{cw::message::dropFiles});
    EXPECT_TRUE(port.preselected.empty()) << "no folder is asked for";
    EXPECT_FALSE(worker.busy());
}

TEST_F(Batch, CancelledFolderChoiceEndsSilently) {
    addRow(wavFile("bell.wav"));
    port.folderAnswer.reset();
    EXPECT_EQ(run(), cw::BatchEnd::cancelled);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_TRUE(port.finishedRows.empty());
    EXPECT_EQ(cw::readOutputFolder(setup.settingsFile), "");
    EXPECT_FALSE(worker.busy());
}

TEST_F(Batch, OutputFolderIsOfferedAndStoredBack) {
    addRow(wavFile("bell.wav"));
    cw::storeOutputFolder(setup.settingsFile, "D:\\earlier");
    EXPECT_EQ(run(), cw::BatchEnd::allSucceeded);
    EXPECT_EQ(port.preselected, std::vector<std::string>{"D:\\earlier"});
    EXPECT_EQ(cw::readOutputFolder(setup.settingsFile), *port.folderAnswer);

    // Nothing stored: the current folder is offered.
    platform::deleteFile(setup.settingsFile);
    port.preselected.clear();
    run();
    EXPECT_EQ(port.preselected, std::vector<std::string>{platform::pathToUtf8(platform::currentFolder())});
}

TEST_F(Batch, NoSmafToolStillShowsSuccess) {
    // Without tarnwick the conversion reports 1, which the job turns into success.
    port.state.flags[cw::targetSmaf] = opt::create | opt::rate16k;
    addRow(wavFile("bell.wav"));
    EXPECT_EQ(run(), cw::BatchEnd::allSucceeded);
    EXPECT_EQ(list.results, std::vector<int>{0});
    EXPECT_EQ(port.shownTexts, std::vector<std::string>{"◎"});
    EXPECT_EQ(port.messages, std::vector<std::string>{cw::message::allSucceeded});
}

TEST_F(Batch, RetryConvertsOnlyTheRowsThatFailed) {
    addRow(wavFile("bell.wav"));
    const std::string late = platform::pathToUtf8(work / "late.wav");
    addRow(late); // missing until the user is asked to retry
    addRow(wavFile("horn.wav"));
    port.retryAnswers = {true};
    port.onRetryQuestion = [&] { wavFile("late.wav"); };

    EXPECT_EQ(run(), cw::BatchEnd::allSucceeded);
    EXPECT_EQ(port.questions, 1);
    EXPECT_EQ(port.finishedRows, (std::vector<std::size_t>{0, 1, 2, 1}));
    EXPECT_EQ(port.shownTexts,
              (std::vector<std::string>{"◎", "ファイルが開けません(1005)", "◎", "◎"}));
    EXPECT_EQ(list.results, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(port.messages, std::vector<std::string>{cw::message::allSucceeded});
    EXPECT_FALSE(worker.busy());
}

TEST_F(Batch, DecliningTheRetryKeepsTheErrorsAndShowsNoFinalMessage) {
    addRow(platform::pathToUtf8(work / "missing1.wav"));
    addRow(platform::pathToUtf8(work / "missing2.wav"));
    port.retryAnswers = {true, false}; // the retry fails again; then No
    EXPECT_EQ(run(), cw::BatchEnd::failuresLeft);
    EXPECT_EQ(port.questions, 2);
    EXPECT_EQ(list.results, (std::vector<int>{1005, 1005}));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(worker.busy());
}

TEST_F(Batch, RowsAreLockedWhileTheBatchRuns) {
    addRow(wavFile("bell.wav"));
    bool checked = false;
    port.onRowStarting = [&](const cw::FileList&, std::size_t) {
        EXPECT_TRUE(worker.busy());
        EXPECT_FALSE(worker.claim(8)) << "a second batch must not start";
        EXPECT_FALSE(cw::clearList(list, worker));
        EXPECT_FALSE(cw::addDroppedFiles(list, {"C:\\x\\new.wav"}, worker));
        checked = true;
    };
    run();
    EXPECT_TRUE(checked);
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_TRUE(worker.claim(9)) << "the identifier is given back";
}

TEST_F(Batch, SettingsAreReadForEveryRowButTheLevelOnce) {
    addRow(wavFile("bell.wav"));
    addRow(wavFile("horn.wav"));
    std::vector<cw::JobRequest> requests;
    setup.convert = [&](const cw::JobRequest& request) {
        requests.push_back(request);
        // Changes made in the window during the batch apply to the next rows.
        port.state.flags[cw::targetN505] = opt::create | opt::stereo16k;
        port.state.normalisationFlags = 0;
        port.state.copyright = "(c) later";
        port.state.loop = 1;
        return 0;
    };
    port.state.normalisationLevel = 0.5;
    port.state.copyright = "(c) first";
    port.state.smafBudget = 7000;
    port.state.userSizeLimit = 65200;
    EXPECT_EQ(run(), cw::BatchEnd::allSucceeded);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].level, 0.5);
    EXPECT_EQ(requests[1].level, 0.5);
    EXPECT_EQ(requests[0].targets[cw::targetN505].flags, opt::rate8k);
    EXPECT_EQ(requests[1].targets[cw::targetN505].flags, opt::create | opt::stereo16k);
    EXPECT_EQ(requests[0].copyright, "(c) first");
    EXPECT_EQ(requests[1].copyright, "(c) later");
    EXPECT_EQ(requests[0].smafBudget, 7000);
    EXPECT_EQ(requests[0].mfi.loop, 0);
    EXPECT_EQ(requests[1].mfi.loop, 1);
    EXPECT_EQ(requests[1].mfi.userSizeLimit, 65200);
    EXPECT_EQ(requests[1].title, "horn");
    EXPECT_EQ(requests[1].outputName, "horn");
    EXPECT_EQ(requests[1].outputFolder, out.path());
    EXPECT_EQ(requests[1].workFolder, work.path());
}
