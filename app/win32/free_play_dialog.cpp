#include "app/win32/free_play_dialog.h"

#include <charconv>
#include <iterator>
#include <string>
#include <vector>

#include "app/win32/utf16_text.h"
#include "shell_facts.h"

namespace {

constexpr WORD kFirstChoiceId = 1001;  // one radio button an offered amount, then the edit box
constexpr WORD kTypedId = 1010;
constexpr int kChoices = static_cast<int>(std::size(shell_fact::kFreePlayCredits));

// A dialog template made in memory, in the layout the system reads: the
// header, then each control on a four-byte boundary.
class TemplateWriter {
 public:
  void Header(DWORD style, int controls, short width, short height, const std::wstring& caption) {
    Words(LOWORD(style), HIWORD(style), 0, 0);  // style, extended style
    Words(static_cast<WORD>(controls), 0, 0, static_cast<WORD>(width), static_cast<WORD>(height));
    Words(0, 0);  // no menu, the default class
    Text(caption);
    Words(8);  // DS_SETFONT: the point size, then the face
    Text(L"MS Shell Dlg");
  }
  void Control(WORD classAtom, DWORD style, short x, short y, short width, short height, WORD id,
               const std::wstring& text) {
    while (words_.size() % 2) words_.push_back(0);
    style |= WS_CHILD | WS_VISIBLE;
    Words(LOWORD(style), HIWORD(style), 0, 0);
    Words(static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width), static_cast<WORD>(height), id);
    Words(0xFFFF, classAtom);
    Text(text);
    Words(0);  // no creation data
  }
  const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  template <typename... W>
  void Words(W... words) {
    (words_.push_back(static_cast<WORD>(words)), ...);
  }
  void Text(const std::wstring& text) {
    for (wchar_t c : text) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
  }
  std::vector<WORD> words_;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;

struct Asked {
  std::optional<long long> credits;
};

bool ReadTyped(HWND dialog, long long& credits) {
  wchar_t typed[16]{};
  GetDlgItemTextW(dialog, kTypedId, typed, static_cast<int>(std::size(typed)));
  const std::string text = Utf8FromWide(typed);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), credits);
  return !text.empty() && error == std::errc() && end == text.data() + text.size() && credits >= 1 &&
         credits <= kMostFreePlayCredits;
}

INT_PTR CALLBACK FreePlayProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      CheckRadioButton(dialog, kFirstChoiceId, kFirstChoiceId + kChoices - 1, kFirstChoiceId);
      return TRUE;
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam);
      auto& asked = *reinterpret_cast<Asked*>(GetWindowLongPtrW(dialog, DWLP_USER));
      // A number typed in stands instead of the offered ones, and the other way round.
      if (id == kTypedId && HIWORD(wParam) == EN_CHANGE && GetWindowTextLengthW(GetDlgItem(dialog, id)) > 0)
        CheckRadioButton(dialog, kFirstChoiceId, kFirstChoiceId + kChoices - 1, 0);
      if (id >= kFirstChoiceId && id < kFirstChoiceId + kChoices && HIWORD(wParam) == BN_CLICKED)
        SetDlgItemTextW(dialog, kTypedId, L"");
      if (id == IDOK) {
        long long credits = 0;
        if (GetWindowTextLengthW(GetDlgItem(dialog, kTypedId)) > 0) {
          if (!ReadTyped(dialog, credits)) {
            MessageBeep(MB_ICONWARNING);
            SetFocus(GetDlgItem(dialog, kTypedId));
            SendDlgItemMessageW(dialog, kTypedId, EM_SETSEL, 0, -1);
            return TRUE;
          }
        } else {
          for (int i = 0; i < kChoices; ++i)
            if (IsDlgButtonChecked(dialog, kFirstChoiceId + i) == BST_CHECKED)
              credits = shell_fact::kFreePlayCredits[i];
          if (credits == 0) return TRUE;
        }
        asked.credits = credits;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<long long> AskFreePlayCredits(HWND owner, Language language) {
  using namespace shell_fact;
  TemplateWriter t;
  constexpr short kWidth = 170, kRow = 14;
  const short height = static_cast<short>(kRow * (kChoices + 3) + 8);
  t.Header(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, kChoices + 4, kWidth, height,
           WideFromUtf8(PlainText(Say(kFreePlayItemWords, language))));
  t.Control(kStatic, SS_LEFT, 7, 7, kWidth - 14, 10, 0xFFFF, WideFromUtf8(Say(kFreePlayQuestionWords, language)));
  for (int i = 0; i < kChoices; ++i)
    t.Control(kButton, BS_AUTORADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0), 14,
              static_cast<short>(7 + kRow * (i + 1)), 80, 10, static_cast<WORD>(kFirstChoiceId + i),
              std::to_wstring(kFreePlayCredits[i]));
  const short below = static_cast<short>(7 + kRow * (kChoices + 1));
  t.Control(kEdit, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 14, below, 80, 12, kTypedId, L"");
  t.Control(kButton, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kWidth - 112, static_cast<short>(below + kRow + 2), 50,
            14, IDOK, WideFromUtf8(kOkButton));
  t.Control(kButton, BS_PUSHBUTTON | WS_TABSTOP, kWidth - 57, static_cast<short>(below + kRow + 2), 50, 14, IDCANCEL,
            WideFromUtf8(Say(kCancelButtonWords, language)));
  Asked asked;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Data(), owner, FreePlayProc, reinterpret_cast<LPARAM>(&asked));
  return asked.credits;
}
