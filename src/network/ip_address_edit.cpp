#include "network/ip_address_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QRegularExpressionValidator>

namespace vornelix {

namespace {

// A number from 0 to 255 or nothing yet; the dots may be typed up to the fourth number.
const QString kOctet = QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])?");

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QLineEdit(parent) {
    const QString pattern = QStringLiteral("%1(\\.%1){0,3}").arg(kOctet);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    setMaxLength(15);
    setEditable(false);
}

void IpAddressEdit::setEditable(bool editable) {
    setReadOnly(!editable);
    // A field that takes no entry looks like one and is not reached by the focus.
    setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Base,
                     QApplication::palette().color(editable ? QPalette::Base : QPalette::Window));
    setPalette(colours);
}

void IpAddressEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another program or a menu taking the focus does not leave the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit lostFocus();
}

}  // namespace vornelix
