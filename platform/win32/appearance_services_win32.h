// The appearance services on the real screen: the input box and the font
// dialog owned by the main window, GetPixel on the screen under the mouse
// pointer, and the main window made layered for its opacity.
#pragma once

#include <windows.h>

#include <functional>

#include "reader/appearance_services.h"

namespace qm::win32 {

class Win32AppearanceServices : public AppearanceServices {
  public:
    // mainWindow gives the main window when asked (null while there is
    // none): the window is made after the services.
    explicit Win32AppearanceServices(std::function<HWND()> mainWindow);

    std::optional<Text> inputBox(const Text& prompt, const Text& title, const Text& initialText,
                                 bool wholeNumber) override;
    bool fontDialog(FontDialogValues& values) override;
    std::optional<PixelColour> pixelUnderPointer() const override;
    void setWindowOpacity(int alpha) override;

  private:
    HWND mainWindow() const;

    std::function<HWND()> mainWindow_;
    // The dialog's colour choice, kept with its font values; nothing uses it.
    COLORREF fontColour_ = 0;
};

}  // namespace qm::win32
