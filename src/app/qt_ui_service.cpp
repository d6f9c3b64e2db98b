#include "app/qt_ui_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/services.h"

namespace vornelix {

using namespace platform;

namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return QMessageBox::Ok;
        case MsgButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return QMessageBox::NoIcon;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
    }
}

// Shows the arrow over a box or dialog that asks the user while long work holds the wait
// cursor.
class ArrowWhileAsking {
  public:
    ArrowWhileAsking() : m_waiting(QApplication::overrideCursor() != nullptr) {
        if (m_waiting)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking() {
        if (m_waiting)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

  private:
    bool m_waiting;
};

}  // namespace

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        entries << (parts[i].trimmed().endsWith(shown)
                        ? parts[i]
                        : QStringLiteral("%1 %2").arg(parts[i], shown));
    }
    return entries.join(";;");
}

MsgAnswer QtUiService::messageBox(const MessageBoxRequest& request) {
    QMessageBox box(standardIcon(request.icon), request.shownTitle(), request.text,
                    standardButtons(request.buttons), QApplication::activeWindow());
    const ArrowWhileAsking arrow;
    return answerOf(box.exec());
}

std::optional<QString> QtUiService::openFile(const OpenFileRequest& request) {
    const ArrowWhileAsking arrow;
    const QString host = QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title,
                                                      files().hostPath(request.initialDir),
                                                      toQtFilter(request.filter));
    if (host.isEmpty())
        return std::nullopt;
    return files().windowsPath(host);
}

void QtUiService::setWaitCursor(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtUiService::endProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace vornelix
