#include "platform/win32/input_box.h"

#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/win32/win32_text.h"

namespace qm::win32 {

namespace {

// Predefined control classes of a dialog template, by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr UINT_PTR kFieldSubclassId = 1;

// An in-memory dialog template (DLGTEMPLATE followed by its items), built
// word by word: every item starts on a DWORD boundary.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, const std::wstring& caption, short width, short height) {
        putDword(style);
        putDword(0);  // extended style
        countAt_ = words_.size();
        putWord(0);  // item count, filled in by add
        putShorts({0, 0, width, height});
        putWord(0);  // no menu
        putWord(0);  // the standard dialog class
        putString(caption);
        putWord(9);  // DS_SETFONT: point size and face
        putString(L"MS Shell Dlg");
    }

    void add(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
             const std::wstring& text) {
        if (words_.size() % 2 != 0) putWord(0);
        putDword(style | WS_CHILD | WS_VISIBLE);
        putDword(0);
        putShorts({x, y, cx, cy});
        putWord(id);
        putWord(0xFFFF);
        putWord(classAtom);
        putString(text);
        putWord(0);  // no creation data
        ++words_[countAt_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void putWord(WORD w) { words_.push_back(w); }
    void putDword(DWORD d) {
        putWord(LOWORD(d));
        putWord(HIWORD(d));
    }
    void putShorts(std::initializer_list<short> values) {
        for (short v : values) putWord(static_cast<WORD>(v));
    }
    void putString(const std::wstring& s) {
        for (wchar_t c : s) putWord(static_cast<WORD>(c));
        putWord(0);
    }

    std::vector<WORD> words_;
    std::size_t countAt_ = 0;
};

struct InputBoxState {
    bool wholeNumber = false;
    Text answer;
};

bool takesTypedCharacter(WPARAM character) {
    return character == L'-' || (character >= L'0' && character <= L'9');
}

LRESULT CALLBACK fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR data) {
    if (message == WM_CHAR) {
        const bool wholeNumber = data != 0;
        if (wParam == 1) {  // Ctrl+A, which a one-line edit field does not take everywhere
            SendMessageW(field, EM_SETSEL, 0, -1);
            return 0;
        }
        // Control characters (Backspace, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z) pass.
        if (wholeNumber && wParam >= L' ' && !takesTypedCharacter(wParam)) return 0;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(field, fieldProc, kFieldSubclassId);
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto* state = reinterpret_cast<const InputBoxState*>(lParam);
            HWND field = GetDlgItem(dialog, kInputBoxFieldId);
            SetWindowSubclass(field, fieldProc, kFieldSubclassId, state->wholeNumber ? 1 : 0);
            SetFocus(field);
            SendMessageW(field, EM_SETSEL, 0, -1);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    auto* state =
                        reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                    if (state != nullptr)
                        state->answer = windowText(GetDlgItem(dialog, kInputBoxFieldId));
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<Text> showInputBox(HWND owner, const Text& prompt, const Text& title,
                                 const Text& initialText, bool wholeNumber) {
    // Dialog units; the texts come in code page 936.
    DialogTemplate box(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       wideOf(title), 220, 72);
    box.add(SS_LEFT | SS_NOPREFIX, 8, 7, 204, 20, kInputBoxPromptId, kStaticClass, wideOf(prompt));
    box.add(ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 29, 204, 13, kInputBoxFieldId,
            kEditClass, wideOf(initialText));
    box.add(BS_DEFPUSHBUTTON | WS_TABSTOP, 98, 50, 54, 15, IDOK, kButtonClass,
            wideOf("确认输入(&O)"));
    box.add(BS_PUSHBUTTON | WS_TABSTOP, 158, 50, 54, 15, IDCANCEL, kButtonClass,
            wideOf("取消(&C)"));

    InputBoxState state;
    state.wholeNumber = wholeNumber;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner,
                                                   inputBoxProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;  // cancelled, or the box could not be made
    return state.answer;
}

}  // namespace qm::win32
