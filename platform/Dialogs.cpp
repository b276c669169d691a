#include "vandrel/platform/Dialogs.h"

#include <cstdio>
#include <utility>

namespace vandrel {

namespace {

const char* TypeCaption(TMsgDlgType t) {
  switch (t) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return "Message";
  }
}

// The answer that lets processing go on.
int ContinuingAnswer(TMsgDlgButtons Buttons) {
  static const std::pair<TMsgDlgBtn, TModalResult> preference[] = {
      {mbOK, mrOk}, {mbYes, mrYes}, {mbIgnore, mrIgnore}, {mbRetry, mrRetry},
      {mbCancel, mrCancel}, {mbNo, mrNo}, {mbAbort, mrAbort}};
  for (auto [btn, result] : preference)
    if (Buttons & MsgDlgButton(btn)) return result;
  return mrOk;
}

int DefaultHandler(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  std::fprintf(stderr, "%s: %s\n", TypeCaption(DlgType), Msg.c_str());
  return ContinuingAnswer(Buttons);
}

TMessageDlgHandler& CurrentHandler() {
  static TMessageDlgHandler handler = DefaultHandler;
  return handler;
}

}  // namespace

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return CurrentHandler()(Msg, DlgType, Buttons, HelpCtx);
}

TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler Handler) {
  TMessageDlgHandler previous = std::move(CurrentHandler());
  CurrentHandler() = Handler ? std::move(Handler) : TMessageDlgHandler(DefaultHandler);
  return previous;
}

}  // namespace vandrel
