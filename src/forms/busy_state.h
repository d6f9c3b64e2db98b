#pragma once

namespace vornelix {

// Work that runs for a long time on the UI thread and yields to the event loop as it goes.
enum class BusyWork { ProfileStart, Creation, Extraction, VolumeMove, QuickFormat };
inline constexpr int kBusyWorkCount = static_cast<int>(BusyWork::QuickFormat) + 1;

// Marks work under way for as long as it lives; scopes nest. While any work is under way only
// the windows that the work runs in and those that cannot disturb it take input, and every
// command of the main window is held except those that open such a window: the menus,
// buttons and windows follow as soon as a work begins or ends.
class BusyScope {
  public:
    explicit BusyScope(BusyWork work);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    BusyWork m_work;
};

// True while any work is under way: commands that would disturb it do nothing.
bool isBusy();
bool isBusyWith(BusyWork work);

}  // namespace vornelix
