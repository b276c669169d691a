// Message dialogs. The package reports recoverable failures through
// MessageDlg and goes on with processing. A host replaces the handler to show
// the text its own way; the default never blocks.
#pragma once

#include <functional>
#include <string>

namespace vandrel {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };

// A set of buttons: bit (1 << TMsgDlgBtn) for each button shown.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgDlgButton(TMsgDlgBtn B) { return 1u << B; }
constexpr TMsgDlgButtons mbOKOnly = 1u << mbOK;

// Modal results a handler answers with.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                    mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TMessageDlgHandler =
    std::function<int(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      int HelpCtx)>;

// Shows Msg and returns the button the user chose (a TModalResult).
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

// Installs Handler for every later MessageDlg and returns the previous one.
// An empty handler restores the default: the text goes to standard error and
// the answer is the button that lets processing continue (OK, else Yes,
// Ignore, Retry, Cancel, No, Abort, in that order of preference).
TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler);

}  // namespace vandrel
