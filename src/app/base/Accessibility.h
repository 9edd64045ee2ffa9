#pragma once

#include <QObject>
#include <QPointer>
#include <initializer_list>

class QFocusFrame;
class QLabel;
class QString;
class QWidget;

namespace yarrow {

// Tab moves through `order` as given; the panels place their controls by position, so the order
// they were created in is not always the order they are read in.
void ChainTabOrder(std::initializer_list<QWidget*> order);

// A label that names `buddy` for assistive technology (and gives it the label's Alt mnemonic).
QLabel* NewBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// Names a control no label names. A combo box on this platform is read out by its current text
// and by the label that names it, so it gets a hidden one.
void NameWithoutLabel(QWidget* control, const QString& name);

// The keyboard conventions of every window while it lives: Enter on a focused push button
// presses it (as in dialogs), Tab leaves a grid (arrows move inside it, so no grid traps the
// keyboard), and grids, pictures and web pages, whose styles show focus faintly or not at all,
// get a focus ring.
class KeyboardConventions : public QObject {
    Q_OBJECT
public:
    explicit KeyboardConventions(QObject* parent = nullptr);
    ~KeyboardConventions() override;
    // The widget the ring is drawn around (null when the focus is elsewhere).
    QWidget* Ringed() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusChanged(QWidget* now);
    QPointer<QFocusFrame> ring_;
};

} // namespace yarrow
