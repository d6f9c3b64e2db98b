#pragma once

// What the program and the programs it starts agree on beyond the command line. Plain C++,
// so that the companion programs can share it without Qt.

namespace vornelix::platform {

// The type of the ClientMessage that carries a window message: format 32, data.l[0] the
// message code, data.l[1] its wParam, data.l[2] its lParam.
inline constexpr const char* kWindowMessageAtom = "VORNELIX_MESSAGE";

// The show command a program was started with ("0" hidden, "1" normal, "2" minimised, ...),
// the value a Windows program finds in its start-up information. A started program that
// makes windows maps its first ones accordingly: not at all when hidden.
inline constexpr const char* kShowCommandVariable = "VORNELIX_SHOW_COMMAND";

}  // namespace vornelix::platform
