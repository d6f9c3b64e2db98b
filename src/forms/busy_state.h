#pragma once

namespace vornelix {

// Work that runs for a long time on the UI thread and yields to the event loop as it goes.
enum class BusyWork { ProfileStart, Creation, Extraction, VolumeMove, QuickFormat };
inline constexpr int kBusyWorkCount = static_cast<int>(BusyWork::QuickFormat) + 1;

// Marks work under way for as long as it lives; scopes nest. The main window's menus and
// buttons follow the busy state as soon as the outermost work begins and again when it ends.
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
