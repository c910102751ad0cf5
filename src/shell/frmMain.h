#pragma once

#include "CallerIdReceiver.h"

#include <QHash>
#include <QMap>
#include <QMainWindow>
#include <QPixmap>
#include <QStringList>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;

namespace asv {

class CallerIdService;
class NodeFailback;
class SerialBarcodeReader;
template <typename T>
class Setting;

// The main window: menus, toolbar and status bar around the area where every screen opens as a
// child window.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    QMdiArea* mdiArea() const { return m_mdi; }

    // Opens the screen of a menu entry as a child window, or brings it forward when it is open.
    // Returns the window (nullptr for modal dialogs and entries without a screen).
    QWidget* openScreen(const QString& menuName);
    void openStartScreen();
    // The consult desk for a caller, opened first when needed.
    void InputFromSeeID(const QString& number, int line, bool fromDevice,
                        CallArrival arrived = std::chrono::steady_clock::now());
    void OpenSeeID();
    void CloseSeeID();
    // Panels 6-8 and the title label from the application state.
    void refreshUserPanels();
    void redrawBackground();
    // Closes without the question, as the program does itself.
    void closeByProgram();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void applyCaption();
    void trigger(const QString& name, int index = -1);
    void openConsultDesk();
    // The open desk, else one opened for a consultant; nullptr for an operator who takes no calls.
    CallerIdReceiver* deskForCall();
    void chooseBackground(int index);
    void fillWindowMenu();
    void runExternal(const Setting<QString>& command, const QString& failureText = {},
                     const QStringList& fallbacks = {});
    void toolbarAlternativeChosen(const QString& key, int index);
    void showCidPicture(bool on);

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_windowMenu = nullptr;
    QLabel* m_title = nullptr;
    QHash<QString, QLabel*> m_panels;
    SerialBarcodeReader* m_barcodeReader = nullptr;
    CallerIdService* m_callerId = nullptr;
    std::unique_ptr<NodeFailback> m_failback; // on a cluster only
    QPixmap m_logo;
    bool m_closingByProgram = false;
};

} // namespace asv
