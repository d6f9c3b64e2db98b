#include "shared_folder.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace vornelix::share_drive {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string failed(const std::string& what, const std::error_code& error) {
    return what + " failed: " + error.message();
}

}  // namespace

SharedFolder::SharedFolder(fs::path drive, fs::path clipboard)
    : m_drive(std::move(drive)), m_clipboard(std::move(clipboard)) {
    std::error_code ignored;
    fs::create_directories(m_drive, ignored);
    fs::create_directories(m_clipboard, ignored);
    const auto names = entries();
    if (!names.empty())
        m_selected = names.front();
}

std::vector<std::string> SharedFolder::entries() const {
    return filesIn(m_drive);
}

std::string SharedFolder::selected() const {
    return exists(m_selected) ? m_selected : std::string();
}

std::string SharedFolder::clipboardEntry() const {
    const auto names = filesIn(m_clipboard);
    return names.empty() ? std::string() : names.front();
}

bool SharedFolder::exists(const std::string& name) const {
    std::error_code ignored;
    return !name.empty() && fs::is_regular_file(m_drive / name, ignored);
}

std::string SharedFolder::freeName(const std::string& wanted) const {
    if (!exists(wanted))
        return wanted;
    for (int n = 1;; ++n) {
        const std::string name = wanted + " - Copy" + (n > 1 ? " " + std::to_string(n) : "");
        if (!exists(name))
            return name;
    }
}

std::string SharedFolder::newEntry() {
    std::string name;
    for (int n = 1; name.empty() || exists(name); ++n) name = "New File " + std::to_string(n);
    std::ofstream file(m_drive / name);
    if (!file)
        return "new failed: cannot create " + name;
    m_selected = name;
    return "new " + name;
}

std::string SharedFolder::openNext() {
    const auto names = entries();
    if (names.empty())
        return "open: the drive is empty";
    const auto at = std::upper_bound(names.begin(), names.end(), selected());
    m_selected = at == names.end() ? names.front() : *at;
    return "open " + m_selected;
}

std::string SharedFolder::copySelected() {
    const std::string name = selected();
    if (name.empty())
        return "copy: nothing selected";
    std::error_code error;
    for (const std::string& old : filesIn(m_clipboard)) fs::remove(m_clipboard / old, error);
    fs::copy_file(m_drive / name, m_clipboard / name, fs::copy_options::overwrite_existing, error);
    return error ? failed("copy", error) : "copy " + name;
}

std::string SharedFolder::paste() {
    const std::string source = clipboardEntry();
    if (source.empty())
        return "paste: the clipboard is empty";
    const std::string name = freeName(source);
    std::error_code error;
    fs::copy_file(m_clipboard / source, m_drive / name, error);
    if (error)
        return failed("paste", error);
    m_selected = name;
    return "paste " + name;
}

}  // namespace vornelix::share_drive
