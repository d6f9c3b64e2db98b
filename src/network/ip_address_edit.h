#pragma once

#include <QLineEdit>

namespace vornelix {

// An entry field for a dotted IPv4 address ("192.168.0.1"): up to four numbers of at most
// three digits, separated by dots; whether they make a valid address is the reader's check. It
// starts empty and not editable, and says when it loses the focus.
class IpAddressEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit IpAddressEdit(QWidget* parent = nullptr);

    void setEditable(bool editable);

  signals:
    void lostFocus();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace vornelix
