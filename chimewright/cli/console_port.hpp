// The batch's user interface on a console: results on standard output, messages and
// progress on standard error, the retry question only when standard input is a terminal.
#pragma once

#include "chimewright/app/batch.hpp"
#include "chimewright/app/result_messages.hpp"

#include <optional>
#include <string>

namespace cw::cli {

class ConsolePort : public cw::BatchPort {
public:
    // Results and messages in `language`.
    ConsolePort(cw::SettingsState state, std::optional<std::string> outputFolder,
                cw::Language language);

    cw::SettingsState settings() override { return state_; }
    std::optional<std::string> chooseOutputFolder(std::string_view prompt,
                                                  std::string_view preselected) override;
    void rowStarting(const cw::FileList& list, std::size_t row) override;
    void rowFinished(const cw::FileList& list, std::size_t row) override;
    bool askRetry(std::string_view question) override;
    void showMessage(std::string_view text) override;

private:
    cw::SettingsState state_;
    std::optional<std::string> outputFolder_;
    cw::Language language_;
    bool progress_;
    bool canAsk_;
    std::size_t progressWidth_ = 0; // bytes of the progress line on the terminal

    void clearProgress();
};

} // namespace cw::cli
