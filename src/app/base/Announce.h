#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace yarrow {

// Tells assistive technology that what `source` shows changed (a status message, a result), so a
// screen reader can speak it without the user moving focus there: a label's name is its text and
// changes with it; any other control reports a value change carrying the text.
void Announce(QWidget* source, const QString& text);

// Shows `text` in the label and announces it (again when repeated: the user asked again).
void SetAnnouncedText(QLabel* label, const QString& text);

} // namespace yarrow
