#include "network/ip_address_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QRegularExpressionValidator>

namespace vornelix {

IpAddressEdit::IpAddressEdit(QWidget* parent) : QLineEdit(parent) {
    // Up to four numbers of at most three digits. A number above 255 stays as typed, so that
    // Next can refuse it, rather than losing its last digit unseen.
    const QString pattern = QStringLiteral("[0-9]{0,3}(\\.[0-9]{0,3}){0,3}");
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
