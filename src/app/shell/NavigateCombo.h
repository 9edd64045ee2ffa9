#pragma once

class QComboBox;

namespace yarrow {

class BrowserPane;
class PendingEvents;

// Navigates the pane to the address box's text and waits, under the hourglass, until the pane's
// load state says the page is done (or a Stop says so); then records the address the pane ended
// on in the list if it is new. Nothing happens for an empty box or the address already shown.
void NavigateCombo(BrowserPane& br, QComboBox& cmb, PendingEvents& events);

} // namespace yarrow
