#pragma once

#include <QString>

namespace vornelix::platform {

// The screen as the program measures it: its size in twips and the twips of one pixel.
struct ScreenMetrics {
    double widthTwips = 0;
    double heightTwips = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// Facts about the host machine.
class HostFacts {
  public:
    virtual ~HostFacts() = default;
    // The host's physical memory in bytes; throws RuntimeError when it cannot be learned.
    virtual double physicalMemoryBytes() = 0;
    virtual ScreenMetrics screen() = 0;
};

// The real host: memory from the kernel, the screen from the primary screen of the display.
class LinuxHostFacts final : public HostFacts {
  public:
    // root: the folder that holds the kernel's proc and sys views (tests point it elsewhere).
    explicit LinuxHostFacts(QString root = QStringLiteral("/"));
    // The online memory blocks of sys/devices/system/memory (the installed memory), else
    // MemTotal of proc/meminfo, else the kernel's page count.
    double physicalMemoryBytes() override;
    ScreenMetrics screen() override;

  private:
    QString m_root;
};

// The MemTotal line of a meminfo report, in bytes; throws RuntimeError when there is none.
double memTotalBytes(const QString& meminfoText);

}  // namespace vornelix::platform
