#pragma once

#include <QMainWindow>

namespace vornelix {

// The main window (being built).
class MDIForm1 : public QMainWindow {
    Q_OBJECT
public:
    MDIForm1();
};

MDIForm1& mdiForm1();

}  // namespace vornelix
