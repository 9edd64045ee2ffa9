#pragma once

#include <string>

namespace yarrow {

enum class MessageIcon { None, Critical, Exclamation, Information };

// Modal message boxes. The GUI shows real boxes; the CLI answers from its flags; tests script it.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An OK box.
    virtual void Message(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A Yes/No question without an icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
};

} // namespace yarrow
