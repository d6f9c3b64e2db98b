#include "app/mdi_form1.h"

namespace vornelix {

MDIForm1::MDIForm1() { setWindowTitle("Vornelix"); }

MDIForm1& mdiForm1() {
    static MDIForm1* window = new MDIForm1();
    return *window;
}

}  // namespace vornelix
