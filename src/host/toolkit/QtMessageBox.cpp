#include "host/toolkit/QtMessageBox.h"

#include "host/seams/ProgramInfo.h"

#include <QMessageBox>
#include <QPushButton>

namespace korven::host {

namespace {

QMessageBox::Icon IconOf(MessageBoxFlags flags) {
    switch (MessageBoxFlag((flags & MessageBoxFlag::IconMask).toInt())) {
    case MessageBoxFlag::Stop:
        return QMessageBox::Critical;
    case MessageBoxFlag::Warning:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageBoxService::Show(const QString& text, MessageBoxFlags flags, const QString& title,
                              QWidget* parent, const QString& secondary) {
    QMessageBox box(parent);
    box.setIcon(IconOf(flags));
    box.setText(text);
    if (!secondary.isEmpty()) {
        box.setInformativeText(secondary);
        // The details hold paths and command lines that a user may want to copy.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    box.setWindowTitle(title.isEmpty() ? ProgramTitle() : title);
    const bool secondDefault = flags.testFlag(MessageBoxFlag::SecondButtonDefault);

    if ((flags & MessageBoxFlag::ButtonsMask) == MessageBoxFlag::YesNo) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(secondDefault ? no : yes);
        // Escape and the close button answer No: only an explicit Yes goes on.
        box.setEscapeButton(no);
    } else {
        QPushButton* ok = box.addButton(QMessageBox::Ok);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();

    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr)
        return MessageBoxResult::Closed;
    switch (box.standardButton(clicked)) {
    case QMessageBox::Ok:
        return MessageBoxResult::Ok;
    case QMessageBox::Yes:
        return MessageBoxResult::Yes;
    case QMessageBox::No:
        return MessageBoxResult::No;
    default:
        return MessageBoxResult::Closed;
    }
}

} // namespace korven::host
