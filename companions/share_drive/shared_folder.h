#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vornelix::share_drive {

// The shared drive's content: the files of one folder, in name order, one of them
// selected, and a clipboard folder that holds at most one copied file. Every operation
// reads the folders afresh and returns a line saying what it did.
class SharedFolder {
  public:
    SharedFolder(std::filesystem::path drive, std::filesystem::path clipboard);

    std::vector<std::string> entries() const;
    // The selected entry; empty when there is none (any more).
    std::string selected() const;
    // The file on the clipboard; empty when it holds none.
    std::string clipboardEntry() const;

    // Makes the empty file "New File <n>", n the lowest number not in use, and selects it.
    std::string newEntry();
    // Selects the entry after the selected one, the first after the last.
    std::string openNext();
    // Puts a copy of the selected entry on the clipboard, in place of what it held.
    std::string copySelected();
    // Copies the clipboard's file into the drive, under its own name when that is free,
    // otherwise "<name> - Copy", "<name> - Copy 2", ...; selects the copy.
    std::string paste();

  private:
    std::string freeName(const std::string& wanted) const;
    bool exists(const std::string& name) const;

    std::filesystem::path m_drive;
    std::filesystem::path m_clipboard;
    std::string m_selected;
};

}  // namespace vornelix::share_drive
