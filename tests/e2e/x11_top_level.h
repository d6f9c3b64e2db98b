#pragma once

#include <QString>
#include <vector>

namespace vornelix::test {

// The windows below the root window of the display (at most a few levels down, so that
// windows a window manager has framed are found too) whose WM_NAME or _NET_WM_NAME is the
// title. Empty when there is no display.
std::vector<unsigned long> findWindowsByTitle(const QString& title);

// The process id a window carries in _NET_WM_PID; 0 when it carries none.
long long windowProcessId(unsigned long window);

}  // namespace vornelix::test
