#pragma once

#include "core/seams/Dialogs.h"

class QWidget;

namespace yarrow {

// Message boxes shown with QMessageBox, parented to the active window.
class QtDialogs : public Dialogs {
public:
    void Message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
};

} // namespace yarrow
