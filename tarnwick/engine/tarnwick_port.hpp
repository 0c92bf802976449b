// What the conversion asks of the program around it: the title dialog and the message
// dialog. The window program shows real dialogs; the console program answers from its
// options and prints the message.
#pragma once

#include "tarnwick/engine/messages.hpp"

#include <string>

namespace tarnwick {

// The title dialog's fields. Texts are user-interface text (UTF-8).
struct TitleDialogValues {
    std::string title;     // pre-filled with the file's name without folder and extension
    std::string copyright;
    bool protect = false;
    int rateMode = 0;        // a RateMode; the rate switch's state
    bool rateLocked = false; // a 4000-Hz source: the switch cannot change rateMode
};

class TarnwickPort {
public:
    virtual ~TarnwickPort() = default;

    virtual Language language() const = 0;
    // Shows the title dialog with `values` filled in and stores what the user chose.
    // False when the user cancels.
    virtual bool askContents(TitleDialogValues& values) = 0;
    // The message dialog; `success` selects its picture.
    virtual void showMessage(MessageId id, const std::string& text, bool success) = 0;
    // From the moment the file has been read until the conversion ends (a wait cursor).
    virtual void setBusy(bool) {}
};

} // namespace tarnwick
