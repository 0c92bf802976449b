// The title dialog answered from the command line; messages printed.
#pragma once

#include "tarnwick/cli/console_options.hpp"
#include "tarnwick/engine/tarnwick_port.hpp"

namespace tarnwick::cli {

class ConsolePort : public tarnwick::TarnwickPort {
public:
    explicit ConsolePort(const Options& options);

    tarnwick::Language language() const override;
    bool askContents(tarnwick::TitleDialogValues& values) override;
    // Success on standard output, errors on standard error.
    void showMessage(tarnwick::MessageId id, const std::string& text, bool success) override;

private:
    const Options& options_;
    tarnwick::Language language_;
};

} // namespace tarnwick::cli
