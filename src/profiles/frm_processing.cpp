#include "profiles/frm_processing.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QStyle>

#include "ui_frm_processing.h"

#include "forms/dialog_controls.h"
#include "forms/error_boundary.h"
#include "forms/machine_window_port.h"
#include "machine/global_variables.h"
#include "machine/profile_start.h"
#include "machine/profile_store.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "profiles/new_profile_row.h"
#include "profiles/unfinished_changes.h"
#include "profiles/volume_creation.h"

namespace vornelix {

namespace {

constexpr int kWindowWidth = 380;
constexpr int kPictureSize = 48;
constexpr int kFillSolid = 0;
constexpr int kFillTransparent = 1;

}  // namespace

int processingStepLabel(int step, bool startInstallation) {
    if (step == 1 || step == 2)
        return step + 1;
    return startInstallation ? 4 : 0;
}

frmProcessing::frmProcessing() : ui(std::make_unique<Ui::frmProcessing>()) {
    ui->setupUi(this);
    setCaption(windowTitle());
    ui->Picture1->setPixmap(standardPicture(QStyle::SP_DriveHDIcon, kPictureSize));
    // Each step's label keeps the room of its bold text, so the list does not move as the
    // current step changes.
    for (QLabel* label : {ui->Label1, ui->Label2, ui->Label3, ui->Label4}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(label->text()) + 2);
    }
    fixSizeForWidth(kWindowWidth);
    on(ui->Command2, &QPushButton::clicked, [this] { Command2_Click(); });
}

frmProcessing::~frmProcessing() = default;

void frmProcessing::Power_on() {
    ProfileStart::Power_on();
}

void frmProcessing::Form_Load() {
    // The whole sequence counts as one piece of work, from the window's load to its unload.
    m_busy.emplace(BusyWork::Creation);
    ProcessingStep = 1;
    showStep(1);
    m_timer1 = platform::clock().createTimer();
    m_timer1->onTimeout(
        [this] { runHandler(ErrorPolicy::ShowDescription, [this] { Timer1_Timer(); }); });
    m_timer1->setInterval(kTimerIntervalMs);
    m_timer1->setEnabled(true);
}

void frmProcessing::Form_Unload() {
    if (m_timer1)
        m_timer1->setEnabled(false);
    if (m_openBefore)
        m_openBefore->restore();
    m_busy.reset();
}

void frmProcessing::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void frmProcessing::showStep(int label) {
    QLabel* const labels[] = {ui->Label1, ui->Label2, ui->Label3, ui->Label4};
    QFrame* const markers[] = {ui->Shape2, ui->Shape3, ui->Shape4, ui->Shape5};
    for (int i = 0; i < 4; ++i) {
        const bool current = i + 1 == label;
        QFont font = labels[i]->font();
        font.setBold(current);
        labels[i]->setFont(font);
        markers[i]->setProperty("FillStyle", current ? kFillSolid : kFillTransparent);
        markers[i]->setStyleSheet(current ? QStringLiteral("background: black;") : QString());
    }
}

void frmProcessing::Timer1_Timer() {
    // The steps process events (message boxes, the extraction, the profile start), during
    // which further ticks fall due: those start nothing.
    if (m_tickRunning)
        return;
    m_tickRunning = true;
    struct TickEnd {
        bool& running;
        ~TickEnd() { running = false; }
    } tickEnd{m_tickRunning};
    try {
        runStep();
    } catch (...) {
        // A step that failed unexpectedly ends the sequence; the error is told as usual.
        Unload();
        throw;
    }
}

void frmProcessing::runStep() {
    const bool installation = m_profile.startInstallation;
    showStep(processingStepLabel(ProcessingStep, installation));
    switch (ProcessingStep) {
        case 1:
            // No row is stored for a fixed volume whose archive cannot be opened.
            VolumeCreation::checkImageArchive(m_profile);
            if (!beginCreation() || !InsertNewProfile()) {
                if (const QString told = m_made.undo(); !told.isEmpty())
                    showMessage(told);
                Unload();
                return;
            }
            // The stored row makes the new profile the one that the globals describe; what
            // they described comes back when the creation is undone.
            m_openBefore = OpenProfileState::current();
            takeOverNewProfile(m_profile);
            gv().AttachInstallMedium = kTrue;
            break;
        case 2:
            // A volume that could not be made leaves no profile: the sequence ends here.
            if (!VolumeCreation::my_new_Timer(m_profile, m_made)) {
                Unload();
                return;
            }
            m_openBefore.reset();
            break;
        case 3:
            break;
        default:
            if (installation) {
                platform::clock().doEvents();
                machineWindow().Show();
                Power_on();
            }
            Unload();
            break;
    }
    ++ProcessingStep;
}

bool frmProcessing::beginCreation() {
    // What an earlier creation of this name left is tried again first; while it stays, the
    // name is not free. Other leftovers keep nothing else from being created.
    if (const QString refusal = UnfinishedChanges::refusalFor(m_profile.name, true);
        !refusal.isEmpty()) {
        showMessage(refusal);
        return false;
    }
    m_made = CreationChange();
    m_made.forProfile(m_profile.name, m_profile.folder());
    m_made.keepOnDisk();
    return true;
}

bool frmProcessing::InsertNewProfile() {
    try {
        // The rows stored so far tell this creation's row from any other of its name.
        m_made.rowToInsert(m_profile.name, m_profile.folder(), lastProfileId());
        executeOnStore(kInsertNewProfile, newProfileValues(m_profile));
    } catch (const platform::RuntimeError& error) {
        // The sequence stops: nothing is made for a row that was not stored, and a row of
        // that name that is there is not this creation's.
        ignoringErrors([this] { m_made.rowNotInserted(); });
        showErrorDescription(error);
        return false;
    }
    return true;
}

}  // namespace vornelix
