#include "widgets/QtDialogs.h"

#include "base/MousePointer.h"

#include <QApplication>
#include <QMessageBox>

namespace yarrow {

namespace {
QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtDialogs::Message(const std::string& text, const std::string& title, MessageIcon icon) {
    // A box shown under an hourglass would be hard to click.
    MousePointer::Suspend suspend;
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::AskYesNo(const std::string& text, const std::string& title) {
    MousePointer::Suspend suspend;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace yarrow
