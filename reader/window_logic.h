// The main window's own behaviour: creation, minimising to the tray, the tray
// icon's actions, the layout for the client size, the two faces of the left
// panel, collapsing the panel, and the search box's placeholder. Each public
// member is the handler of one form event (see form_bindings).
#pragma once

#include "reader/form.h"

namespace qm {

class WindowLogic {
  public:
    // Both must outlive the logic.
    WindowLogic(Form& form, Services& services);

    // Tray icon up with the first tip, focus to the window, placeholder in.
    void windowCreated();
    // A minimised window goes to the tray, provided the tray icon is there.
    void positionChanged();
    // Fits the reading pane, the panel and its lists to the client area.
    void layoutWindow();
    // 1 brings the window back, 3 pops up the tray menu, others do nothing.
    void trayEvent(int code);
    // Menu item "退出".
    void exitCommand();

    // Shows the face of the left panel that the trackbar names.
    void applyPanelMode();
    // Collapses or expands the left panel.
    void togglePanel();
    void searchBoxGotFocus();
    void searchBoxLostFocus();

  private:
    void updateTrayTip();
    void fitReadingPaneWidth();

    Form& form_;
    Services& services_;
};

}  // namespace qm
